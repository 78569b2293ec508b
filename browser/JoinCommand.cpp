#include "browser/JoinCommand.h"

#include "common/IpAddress.h"
#include "launch/CommandLines.h"

namespace {

// Hex digits, colons and the dots of an embedded IPv4 tail, and nothing else: a zone ("%eth0")
// could carry any text, so it is not taken.
bool isIPv6Address(QStringView address)
{
    for (QChar c : address) {
        const char16_t u = c.unicode();
        const bool plain = (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F') ||
                           (u >= u'0' && u <= u'9') || u == u':' || u == u'.';
        if (!plain)
            return false;
    }
    return address.contains(u':') && isIpv6Address(address);
}

} // namespace

bool isPlainHostAddress(QStringView address)
{
    constexpr qsizetype MaxHostNameLength = 253;
    // A join link may name an IPv6 server; the list server never does.
    if (isIPv6Address(address))
        return true;
    if (address.isEmpty() || address.size() > MaxHostNameLength ||
        address.front() == QLatin1Char('-'))
        return false;
    for (QChar c : address) {
        const char16_t u = c.unicode();
        const bool plain = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') ||
                           (u >= u'0' && u <= u'9') || u == u'.' || u == u'-';
        if (!plain)
            return false;
    }
    return true;
}

std::optional<CommandLine> joinCommandLine(const QString& gameDir, const QString& address)
{
    if (!isPlainHostAddress(address))
        return std::nullopt;
    return commandlines::join(gameDir, address);
}
