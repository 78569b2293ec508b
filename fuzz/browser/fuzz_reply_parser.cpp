// Feeds arbitrary bytes to the reply parser, once whole and once cut into arrivals at places
// the input itself chooses, and checks that both give the same rows and that every row obeys
// what the server table and the join rely on.
#include "browser/JoinCommand.h"
#include "browser/PlayerCount.h"
#include "browser/ReplyParser.h"
#include "browser/ServerSortModel.h"
#include "browser/ServerTableModel.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>

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

    // The totals of the status: every row counted, the players added up without wrapping round.
    ListTotals totals;
    unsigned __int128 exact = 0;
    for (const ServerRow& row : whole) {
        const PlayerCount count = parsePlayerCount(row.players());
        check(count.players <= PlayerCount::Largest && count.limit <= PlayerCount::Largest);
        check(!count.isFull() || count.parsed);
        check(count.parsed || count.players == 0);
        totals.add(row.players());
        exact += count.players;
    }
    check(totals.servers == whole.size());
    constexpr quint64 Most = std::numeric_limits<quint64>::max();
    check(totals.players == (exact > Most ? Most : quint64(exact)));

    // The find bar and the filters: a piece of a name, as a user types it, finds its row
    // whatever its case, and every row left shown passes the filters.
    if (whole.empty())
        return 0;
    ServerTableModel table;
    for (int column = 0; column < 5; ++column)
        table.addColumn(QString::number(column));
    ServerSortModel shown(table);
    std::vector<ServerRow> rows = whole;
    table.append(std::move(rows));
    cutSeed = cutSeed * 1103515245u + 12345u;
    const int chosen = int((cutSeed >> 8) % whole.size());
    const QString name = whole[size_t(chosen)].name();
    const qsizetype from = name.isEmpty() ? 0 : qsizetype((cutSeed >> 4) % name.size());
    const QString piece = name.mid(from, 1 + (cutSeed >> 12) % 8);
    shown.setFilters({bool(cutSeed & 1), bool(cutSeed & 2), bool(cutSeed & 4)});
    shown.setFindText((cutSeed & 8) ? piece.toUpper() : piece);
    check(shown.shownListedCount() == shown.rowCount());
    const ServerSortModel::Filters filters = shown.filters();
    for (int row = 0; row < shown.rowCount(); ++row) {
        const ServerRow& server = table.row(shown.sourceRow(row));
        const PlayerCount count = parsePlayerCount(server.players());
        check(!(filters.hideEmpty && count.isEmpty()) && !(filters.hideFull && count.isFull()) &&
              !(filters.hidePrivate && server.isPrivate()));
    }
    const PlayerCount count = parsePlayerCount(whole[size_t(chosen)].players());
    const bool filteredOut = (filters.hideEmpty && count.isEmpty()) ||
                             (filters.hideFull && count.isFull()) ||
                             (filters.hidePrivate && whole[size_t(chosen)].isPrivate());
    // Colour codes and folding that grows a letter make a piece look unlike its name; the
    // plain ones must always find their row.
    bool plain = !name.contains(u'|') && !name.contains(u'\u00a7');
    for (const QChar c : name)
        plain = plain && c.unicode() < 0x80;
    if (plain && !filteredOut)
        check(shown.mapFromSource(table.index(chosen, 0)).isValid());
    return 0;
}
