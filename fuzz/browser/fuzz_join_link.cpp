// Feeds arbitrary text to the join-link parser and checks what a link that passes may hold: it
// goes on the game's command line and into the window, so it must be one plain address.
#include "browser/JoinCommand.h"
#include "browser/JoinLink.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const JoinLinkParse parsed = parseJoinLink(text);
    check(parsed.link.has_value() == parsed.error.isEmpty());
    const JoinLinkParse address = parseJoinAddress(text);
    check(address.link.has_value() == address.error.isEmpty());
    for (const JoinLinkParse* each : {&parsed, &address}) {
        if (!each->link)
            continue;
        const JoinLink& link = *each->link;
        check(text.size() <= JoinLink::MaxLength);
        check(!link.address.isEmpty() && !link.address.startsWith(u'-'));
        check(!link.port || *link.port >= 1);
        for (const QChar c : link.address)
            check(c.unicode() > 0x20 && c.unicode() < 0x7f && c != u'%' && c != u'/' && c != u'@' &&
                  c != u'?' && c != u'#');
        // The link's own text reads back as the same link, and the game gets one argument.
        check(parseJoinLink(link.text()).link == link);
        const std::optional<CommandLine> line = joinCommandLine({}, link.address);
        check(line && line->arguments == QStringLiteral("-connect ") + link.address);
    }
    return 0;
}
