#pragma once

#include "common/ListServerHosts.h"

#include <QString>
#include <QUrl>

#include <optional>

class MessageBoxes;
class QWidget;
class UrlOpener;

// A command line behind a link panel of the status bars: "start " followed by an address, which
// asks the desktop to open the address with the handler for its scheme. The address is read
// from the text once, when the command is made.
struct PanelLink {
    QString text;                // the command line as the launcher states it
    std::optional<QUrl> address; // nothing when the text holds no usable address
};

// The command that opens an address.
PanelLink panelLink(const QString& address);

namespace panelcommands {
PanelLink patch();                                       // "1.23 Patch"
PanelLink shareware();                                   // "1.23 Shareware"
PanelLink brix2Online();                                 // "Brix 2 Online"
PanelLink bcf();                                         // "BCF"
PanelLink dailyPindle();                                 // "The Daily Pindle"
PanelLink email();                                       // "eMail " and the author's nickname
PanelLink serversInTelnet(const ListServerHosts& hosts); // the primary list server's list port
PanelLink serversInfo(const ListServerHosts& hosts);     // the primary list server's info port
PanelLink pellamMirror(const ListServerHosts& hosts);    // "PL's Server Mirrors"
} // namespace panelcommands

// Carries out a "start " command: opens its address with the desktop's handler for the
// address's scheme. Returns whether the address was opened.
bool startAddress(UrlOpener& urls, const PanelLink& command);

// The same, and an address that cannot be opened is shown in a message box.
void startAddressOrWarn(UrlOpener& urls, MessageBoxes& messages, QWidget* parent,
                        const PanelLink& command);
