#include "browser/JoinCommand.h"

#include "launch/CommandLines.h"

bool isPlainHostAddress(QStringView address)
{
    constexpr qsizetype MaxHostNameLength = 253;
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
