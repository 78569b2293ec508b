#include "app/PanelActions.h"

#include "app/StatusPanels.h"
#include "common/MessageBoxes.h"
#include "common/UrlOpener.h"

PanelLink panelLink(const QString& address)
{
    PanelLink command{QStringLiteral("start ") + address, std::nullopt};
    const QUrl url(address, QUrl::StrictMode);
    if (url.isValid() && !url.scheme().isEmpty())
        command.address = url;
    return command;
}

namespace {

QString telnetAddress(const ListServer& server)
{
    return QStringLiteral("telnet://") + server.hostAndPort();
}

} // namespace

namespace panelcommands {

PanelLink patch()
{
    return panelLink(QStringLiteral("http://") + hosts::OfficialSite +
                     QStringLiteral("/files/b2patch_123r.exe"));
}

PanelLink shareware()
{
    return panelLink(QStringLiteral("ftp://") + hosts::SharewareFtp +
                     QStringLiteral("/pub/old-demos/Brix2swf.exe"));
}

PanelLink brix2Online()
{
    return panelLink(QStringLiteral("http://") + hosts::CommunitySite);
}

PanelLink bcf()
{
    return panelLink(QStringLiteral("http://") + hosts::CommunitySite + QStringLiteral("/bcf/"));
}

PanelLink dailyPindle()
{
    return panelLink(QStringLiteral("http://") + hosts::OfficialSite);
}

PanelLink email()
{
    return panelLink(QStringLiteral("mailto:") + hosts::AuthorEmail);
}

PanelLink serversInTelnet(const ListServerHosts& hosts)
{
    return panelLink(telnetAddress(hosts.primary));
}

PanelLink serversInfo(const ListServerHosts& hosts)
{
    return panelLink(telnetAddress({hosts.primary.host, 10055}));
}

PanelLink pellamMirror(const ListServerHosts& hosts)
{
    return panelLink(telnetAddress(hosts.pellamMirror));
}

} // namespace panelcommands

bool startAddress(UrlOpener& urls, const PanelLink& command)
{
    return command.address && urls.open(*command.address);
}

void startAddressOrWarn(UrlOpener& urls, MessageBoxes& messages, QWidget* parent,
                        const PanelLink& command)
{
    const std::optional<QUrl>& address = command.address;
    if (address && urls.open(*address))
        return;
    const QString text =
        address ? QStringLiteral("The address %1 could not be opened.\n\nCheck that a program is "
                                 "set up to open \"%2\" addresses.")
                      .arg(address->toString(), address->scheme())
                : QStringLiteral("The address in \"%1\" could not be opened.").arg(command.text);
    messages.warn(parent, MessageCaption, text);
}
