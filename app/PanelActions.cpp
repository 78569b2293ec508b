#include "app/PanelActions.h"

#include "app/MessageBoxes.h"
#include "app/StatusPanels.h"
#include "app/UrlOpener.h"

namespace panelcommands {

namespace {
const QString Start = QStringLiteral("start ");
}

QString patch()
{
    return Start + QStringLiteral("http://") + hosts::OfficialSite +
           QStringLiteral("/files/b2patch_123r.exe");
}

QString shareware()
{
    return Start + QStringLiteral("ftp://") + hosts::SharewareFtp +
           QStringLiteral("/pub/old-demos/Brix2swf.exe");
}

QString brix2Online()
{
    return Start + QStringLiteral("http://") + hosts::CommunitySite;
}

QString bcf()
{
    return Start + QStringLiteral("http://") + hosts::CommunitySite + QStringLiteral("/bcf/");
}

QString dailyPindle()
{
    return Start + QStringLiteral("http://") + hosts::OfficialSite;
}

QString email()
{
    return Start + QStringLiteral("mailto:") + hosts::AuthorEmail;
}

QString serversInTelnet(const ListServerHosts& hosts)
{
    return Start + QStringLiteral("telnet://") + hosts.primary.host + QLatin1Char(':') +
           QString::number(hosts.primary.port);
}

QString serversInfo(const ListServerHosts& hosts)
{
    return Start + QStringLiteral("telnet://") + hosts.primary.host + QStringLiteral(":10055");
}

QString pellamMirror(const ListServerHosts& hosts)
{
    return Start + QStringLiteral("telnet://") + hosts.pellamMirror.host + QLatin1Char(':') +
           QString::number(hosts.pellamMirror.port);
}

std::optional<QUrl> startAddress(const QString& commandLine)
{
    if (!commandLine.startsWith(Start))
        return std::nullopt;
    const QUrl url(commandLine.mid(Start.size()), QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty())
        return std::nullopt;
    return url;
}

} // namespace panelcommands

bool startAddress(UrlOpener& urls, const QString& commandLine)
{
    const std::optional<QUrl> address = panelcommands::startAddress(commandLine);
    return address && urls.open(*address);
}

void startAddressOrWarn(UrlOpener& urls, MessageBoxes& messages, QWidget* parent,
                        const QString& commandLine)
{
    const std::optional<QUrl> address = panelcommands::startAddress(commandLine);
    if (address && urls.open(*address))
        return;
    const QString text =
        address ? QStringLiteral("The address %1 could not be opened.\n\nCheck that a program is "
                                 "set up to open \"%2\" addresses.")
                      .arg(address->toString(), address->scheme())
                : QStringLiteral("The address in \"%1\" could not be opened.").arg(commandLine);
    messages.warn(parent, MessageCaption, text);
}
