// Feeds arbitrary bytes to the reply parser, once whole and once cut into arrivals at places
// the input itself chooses, and checks that both give the same rows and that every row obeys
// what the server table and the join rely on.
#include "browser/JoinCommand.h"
#include "browser/ReplyParser.h"

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
    if (size < 1)
        return 0;
    // The first byte seeds the cut lengths; the rest is the reply.
    unsigned cutSeed = data[0];
    const QByteArrayView reply(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    const std::vector<ServerRow> whole = ReplyParser().feed(reply);

    ReplyParser parser;
    std::vector<ServerRow> pieces;
    for (qsizetype at = 0; at < reply.size();) {
        cutSeed = cutSeed * 1103515245u + 12345u;
        const qsizetype piece = qMin<qsizetype>(1 + (cutSeed >> 16) % 64, reply.size() - at);
        parser.feed(reply.sliced(at, piece), pieces);
        at += piece;
    }
    check(pieces == whole);
    check(parser.pendingSize() <= ReplyParser::MaxLineLength);

    for (const ServerRow& row : whole) {
        check(row.address() == QStringLiteral("Private") || !row.address().contains(u':'));
        check(!row.name().contains(u'|'));
        check(!row.players().contains(u']'));
        check(row.type().isEmpty() || row.type() == QStringLiteral("Battle") ||
              row.type() == QStringLiteral("Ctf") || row.type() == QStringLiteral("Treasure"));
        if (const std::optional<CommandLine> line = joinCommandLine({}, row.address())) {
            // The address adds exactly one argument and no switch of its own.
            check(line->arguments == QStringLiteral("-connect ") + row.address());
            check(!row.address().contains(u' ') && !row.address().startsWith(u'-'));
        }
    }
    return 0;
}
