#include "common/IpAddress.h"

#include <QUrl>

namespace {

QString urlHost(const QString& host)
{
    QUrl url;
    url.setHost(host, QUrl::StrictMode);
    return url.isValid() ? url.host() : QString();
}

QStringView withoutZone(QStringView host)
{
    const qsizetype zone = host.indexOf(QLatin1Char('%'));
    return zone < 0 ? host : host.first(zone);
}

} // namespace

bool isIpv6Address(QStringView host)
{
    if (host.startsWith(QLatin1Char('v'), Qt::CaseInsensitive))
        return false; // QUrl would take a future IP version ("v1.x") too
    return !urlHost(QLatin1Char('[') + withoutZone(host).toString() + QLatin1Char(']')).isEmpty();
}

QString normalIpAddress(QStringView text)
{
    if (text.isEmpty())
        return {};
    if (text.contains(QLatin1Char(':')))
        return isIpv6Address(text)
                   ? urlHost(QLatin1Char('[') + withoutZone(text).toString() + QLatin1Char(']'))
                   : QString();
    for (QChar c : text)
        if (!c.isDigit() && c != QLatin1Char('.'))
            return {};
    // QUrl writes an IPv4 address in its four numbers; a text of digits and dots it cannot read
    // as one comes back as it was, or not at all.
    const QString host = urlHost(text.toString());
    return host.count(QLatin1Char('.')) == 3 ? host : QString();
}
