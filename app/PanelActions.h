#pragma once

#include "browser/ListServerHosts.h"

#include <QString>
#include <QUrl>

#include <optional>

class MessageBoxes;
class QWidget;
class UrlOpener;

// The command lines behind the link panels of the status bars. Each is "start " followed by an
// address, which asks the desktop to open the address with the handler for its scheme.
namespace panelcommands {
QString patch();                                       // "1.23 Patch"
QString shareware();                                   // "1.23 Shareware"
QString brix2Online();                                 // "Brix 2 Online"
QString bcf();                                         // "BCF"
QString dailyPindle();                                 // "The Daily Pindle"
QString email();                                       // "eMail " and the author's nickname
QString serversInTelnet(const ListServerHosts& hosts); // the primary list server's list port
QString serversInfo(const ListServerHosts& hosts);     // the primary list server's info port
QString pellamMirror(const ListServerHosts& hosts);    // "PL's Server Mirrors"

// The address of a "start " command line; nothing for any other text.
std::optional<QUrl> startAddress(const QString& commandLine);
} // namespace panelcommands

// Carries out a "start " command line: opens its address with the desktop's handler for the
// address's scheme. Returns whether the address was opened.
bool startAddress(UrlOpener& urls, const QString& commandLine);

// The same, and an address that cannot be opened is shown in a message box.
void startAddressOrWarn(UrlOpener& urls, MessageBoxes& messages, QWidget* parent,
                        const QString& commandLine);
