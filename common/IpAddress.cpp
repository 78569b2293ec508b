#include "common/IpAddress.h"

#include <QList>
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
    host = host.trimmed();
    if (host.startsWith(QLatin1Char('v'), Qt::CaseInsensitive))
        return false; // QUrl would take a future IP version ("v1.x") too
    return !urlHost(QLatin1Char('[') + withoutZone(host).toString() + QLatin1Char(']')).isEmpty();
}

QString normalIpAddress(QStringView text)
{
    text = text.trimmed();
    if (text.contains(QLatin1Char(':')))
        return isIpv6Address(text)
                   ? urlHost(QLatin1Char('[') + withoutZone(text).toString() + QLatin1Char(']'))
                   : QString();
    // QUrl reads an IPv4 address in every form QHostAddress takes ("192.0.2", "0x7f.0.0.1") and
    // writes it as four numbers; any other text it keeps as a host name, "192.0.2.256" too.
    const QString host = urlHost(text.toString());
    const QList<QStringView> numbers = QStringView(host).split(QLatin1Char('.'));
    if (numbers.size() != 4)
        return {};
    for (QStringView number : numbers) {
        bool ok = false;
        if (number.toUInt(&ok, 10) > 255 || !ok || !number.front().isDigit() ||
            (number.size() > 1 && number.front() == QLatin1Char('0')))
            return {};
    }
    return host;
}
