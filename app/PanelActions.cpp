#include "app/PanelActions.h"

#include "app/MessageBoxes.h"
#include "app/StatusPanels.h"
#include "app/UrlOpener.h"

StartCommand startCommand(const QString& address)
{
    StartCommand command{QStringLiteral("start ") + address, std::nullopt};
    const QUrl url(address, QUrl::StrictMode);
    if (url.isValid() && !url.scheme().isEmpty())
        command.address = url;
    return command;
}

namespace panelcommands {

StartCommand patch()
{
    return startCommand(QStringLiteral("http://") + hosts::OfficialSite +
                        QStringLiteral("/files/b2patch_123r.exe"));
}

StartCommand shareware()
{
    return startCommand(QStringLiteral("ftp://") + hosts::SharewareFtp +
                        QStringLiteral("/pub/old-demos/Brix2swf.exe"));
}

StartCommand brix2Online()
{
    return startCommand(QStringLiteral("http://") + hosts::CommunitySite);
}

StartCommand bcf()
{
    return startCommand(QStringLiteral("http://") + hosts::CommunitySite + QStringLiteral("/bcf/"));
}

StartCommand dailyPindle()
{
    return startCommand(QStringLiteral("http://") + hosts::OfficialSite);
}

StartCommand email()
{
    return startCommand(QStringLiteral("mailto:") + hosts::AuthorEmail);
}

StartCommand serversInTelnet(const ListServerHosts& hosts)
{
    return startCommand(QStringLiteral("telnet://") + hosts.primary.host + QLatin1Char(':') +
                        QString::number(hosts.primary.port));
}

StartCommand serversInfo(const ListServerHosts& hosts)
{
    return startCommand(QStringLiteral("telnet://") + hosts.primary.host +
                        QStringLiteral(":10055"));
}

StartCommand pellamMirror(const ListServerHosts& hosts)
{
    return startCommand(QStringLiteral("telnet://") + hosts.pellamMirror.host + QLatin1Char(':') +
                        QString::number(hosts.pellamMirror.port));
}

} // namespace panelcommands

bool startAddress(UrlOpener& urls, const StartCommand& command)
{
    return command.address && urls.open(*command.address);
}

void startAddressOrWarn(UrlOpener& urls, MessageBoxes& messages, QWidget* parent,
                        const StartCommand& command)
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
