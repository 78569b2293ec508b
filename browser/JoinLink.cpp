#include "browser/JoinLink.h"

#include "browser/JoinCommand.h"
#include "common/IpAddress.h"

#include <QList>

#include <algorithm>

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isAllDigits(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), isDigit);
}

// Four decimal numbers from 0 to 255, without leading zeros, which some systems read as octal.
bool isIPv4(QStringView text)
{
    const QList<QStringView> parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    for (QStringView part : parts)
        if (!isAllDigits(part) || part.size() > 3 || (part.size() > 1 && part.front() == u'0') ||
            part.toInt() > 255)
            return false;
    return true;
}

// Labels of ASCII letters, digits and inner hyphens, at most 63 each and 253 in all. A name
// whose last label is a number is an IPv4 address or nothing.
bool isHostName(QStringView text)
{
    if (text.isEmpty() || text.size() > 253)
        return false;
    const QList<QStringView> labels = text.split(QLatin1Char('.'));
    for (QStringView label : labels) {
        if (label.isEmpty() || label.size() > 63 || label.front() == u'-' || label.back() == u'-')
            return false;
        for (QChar c : label) {
            const char16_t u = c.unicode();
            if (!((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || isDigit(c) || u == u'-'))
                return false;
        }
    }
    return !isAllDigits(labels.back()) || isIPv4(text);
}

JoinLinkParse refused(const QString& why)
{
    return {std::nullopt, why};
}

// What neither a link nor an address may hold anywhere; empty when the text is clear of it.
// maxLength: an address alone is kept short enough to make a link that is not too long, as the
// running launcher takes it over in that form.
QString forbiddenCharacters(QStringView text, qsizetype maxLength)
{
    if (text.size() > maxLength)
        return QStringLiteral("it is longer than %1 characters").arg(maxLength);
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7f && u <= 0x9f))
            return QStringLiteral("it holds a control character");
        if (u == u'%')
            return QStringLiteral("it holds percent-encoded bytes");
    }
    return {};
}

JoinLinkParse parseAddress(QStringView text)
{
    if (text.isEmpty())
        return refused(QStringLiteral("it names no server"));
    if (text.front() == u'-')
        return refused(QStringLiteral("the address starts with '-'"));
    QStringView host = text;
    std::optional<QStringView> port;
    JoinLink link;
    if (text.front() == u'[') {
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        if (close < 0)
            return refused(QStringLiteral("the IPv6 address has no closing bracket"));
        host = text.sliced(1, close - 1);
        const QStringView rest = text.sliced(close + 1);
        if (!rest.isEmpty()) {
            if (rest.front() != u':')
                return refused(QStringLiteral("only a port may follow the address"));
            port = rest.sliced(1);
        }
        // Qt reads an address with blanks in it as well; the join takes only plain ones.
        if (!isIpv6Address(host) || !isPlainHostAddress(host))
            return refused(QStringLiteral("the address in brackets is not an IPv6 address"));
    } else {
        const qsizetype colon = text.indexOf(QLatin1Char(':'));
        if (colon >= 0) {
            host = text.first(colon);
            port = text.sliced(colon + 1);
            if (port->contains(QLatin1Char(':')))
                return refused(QStringLiteral("an IPv6 address goes in brackets"));
        }
        if (!isHostName(host))
            return refused(QStringLiteral("the address is not an IP address or host name"));
    }
    link.address = host.toString();
    if (port) {
        const bool number = isAllDigits(*port) && port->size() <= 5;
        const int value = number ? port->toInt() : 0;
        if (value < 1 || value > 65535)
            return refused(QStringLiteral("the port is not a number from 1 to 65535"));
        link.port = quint16(value);
    }
    return {link, {}};
}

} // namespace

QString JoinLink::hostAndPort() const
{
    QString text = address.contains(QLatin1Char(':'))
                       ? QLatin1Char('[') + address + QLatin1Char(']')
                       : address;
    if (port)
        text += QLatin1Char(':') + QString::number(*port);
    return text;
}

QString JoinLink::text() const
{
    return Scheme + QStringLiteral("://") + hostAndPort();
}

JoinLinkParse parseJoinAddress(QStringView text)
{
    const qsizetype linkPrefix = JoinLink::Scheme.size() + 3; // "brix2://"
    if (const QString why = forbiddenCharacters(text, JoinLink::MaxLength - linkPrefix);
        !why.isEmpty())
        return refused(why);
    return parseAddress(text);
}

JoinLinkParse parseJoinLink(QStringView text)
{
    if (const QString why = forbiddenCharacters(text, JoinLink::MaxLength); !why.isEmpty())
        return refused(why);
    const QString prefix = JoinLink::Scheme + QStringLiteral("://");
    if (!text.startsWith(prefix, Qt::CaseInsensitive))
        return refused(QStringLiteral("it is not a %1 link").arg(prefix));
    QStringView authority = text.sliced(prefix.size());
    // Desktops and chat programs like to end a link with a slash; that alone is no path.
    if (authority.endsWith(QLatin1Char('/')))
        authority.chop(1);
    if (authority.contains(QLatin1Char('@')))
        return refused(QStringLiteral("it holds user information"));
    if (authority.contains(QLatin1Char('/')))
        return refused(QStringLiteral("it has a path"));
    if (authority.contains(QLatin1Char('?')))
        return refused(QStringLiteral("it has a query"));
    if (authority.contains(QLatin1Char('#')))
        return refused(QStringLiteral("it has a fragment"));
    return parseAddress(authority);
}
