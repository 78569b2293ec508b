// The server browser with a full list: 32,767 realistic lines (about 2.5 MB).
#include "FakeServices.h"
#include "RealisticReply.h"
#include "ShownJoinGamePage.h"

#include "browser/ReplyParser.h"
#include "browser/ServerTableModel.h"
#include "common/Windows1252.h"
#include "launch/GameDirectory.h"
#include "pages/JoinGamePage.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTreeView>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {

constexpr int Lines = 32767;

const QByteArray& reply()
{
    static const QByteArray bytes = realisticReply(Lines);
    return bytes;
}

} // namespace

// The parser alone: bytes of one arrival in, rows out.
static void BM_ParseReply(benchmark::State& state)
{
    for (auto _ : state) {
        ReplyParser parser;
        std::vector<ServerRow> rows;
        rows.reserve(Lines);
        parser.feed(reply(), rows);
        benchmark::DoNotOptimize(rows.data());
        if (rows.size() != size_t(Lines))
            state.SkipWithError("not every line became a row");
    }
    state.SetBytesProcessed(state.iterations() * reply().size());
    state.counters["bytes"] = double(reply().size());
}
BENCHMARK(BM_ParseReply)->Unit(benchmark::kMillisecond);

// The same reply arriving in socket-sized pieces, so lines are cut and joined again.
static void BM_ParseReplyInPieces(benchmark::State& state)
{
    const qsizetype piece = state.range(0);
    for (auto _ : state) {
        ReplyParser parser;
        std::vector<ServerRow> rows;
        rows.reserve(Lines);
        const QByteArrayView bytes(reply());
        for (qsizetype at = 0; at < bytes.size(); at += piece)
            parser.feed(bytes.sliced(at, qMin(piece, bytes.size() - at)), rows);
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetBytesProcessed(state.iterations() * reply().size());
}
BENCHMARK(BM_ParseReplyInPieces)->Arg(1460)->Arg(65536)->Unit(benchmark::kMillisecond);

static void BM_DecodeWindows1252(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(windows1252::decode(reply()));
    state.SetBytesProcessed(state.iterations() * reply().size());
}
BENCHMARK(BM_DecodeWindows1252)->Unit(benchmark::kMillisecond);

// What a Refresh and the arrival cost the user: empty the table, parse, append every row to the
// page's table and let the shown view take them in.
static void BM_ParseAndFillTable(benchmark::State& state)
{
    ShownJoinGamePage shown;
    JoinGamePage& page = *shown.page;
    QCoreApplication::processEvents();
    for (auto _ : state) {
        page.servers().clear();
        page.addReplyData(reply());
        QCoreApplication::processEvents();
        if (page.servers().rowCount() != Lines)
            state.SkipWithError("not every line became a row");
    }
    state.SetBytesProcessed(state.iterations() * reply().size());
}
BENCHMARK(BM_ParseAndFillTable)->Unit(benchmark::kMillisecond);

// A header click on a full table: every row put in that column's order. Arg: the column.
static void BM_SortTable(benchmark::State& state)
{
    ShownJoinGamePage shown;
    JoinGamePage& page = *shown.page;
    page.addReplyData(reply());
    QCoreApplication::processEvents();
    auto* view = page.findChild<QTreeView*>(QStringLiteral("ListView1"));
    const int column = int(state.range(0));
    for (auto _ : state) {
        // Sorted by another column first, so that each click sorts from scratch.
        state.PauseTiming();
        view->sortByColumn((column + 1) % 5, Qt::AscendingOrder);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        view->sortByColumn(column, Qt::AscendingOrder);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_SortTable)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// A Refresh while the table is sorted by players: every row arrives into its sorted place.
static void BM_ParseAndFillSortedTable(benchmark::State& state)
{
    ShownJoinGamePage shown;
    JoinGamePage& page = *shown.page;
    page.findChild<QTreeView*>(QStringLiteral("ListView1"))->sortByColumn(3, Qt::AscendingOrder);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        page.servers().clear();
        const QByteArrayView bytes(reply());
        for (qsizetype at = 0; at < bytes.size(); at += 65536)
            page.addReplyData(bytes.sliced(at, qMin<qsizetype>(65536, bytes.size() - at)));
        QCoreApplication::processEvents();
        if (page.servers().rowCount() != Lines)
            state.SkipWithError("not every line became a row");
    }
}
BENCHMARK(BM_ParseAndFillSortedTable)->Unit(benchmark::kMillisecond);

// For comparison: the same rows as one QTreeWidget item each, the classic list-view way.
static void BM_ParseAndFillTreeWidget(benchmark::State& state)
{
    QTreeWidget table;
    table.setColumnCount(5);
    table.setUniformRowHeights(true);
    table.resize(360, 220);
    table.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        table.clear();
        const std::vector<ServerRow> rows = ReplyParser().feed(reply());
        for (const ServerRow& row : rows)
            new QTreeWidgetItem(
                &table, {row.name(), row.type(), row.version(), row.players(), row.address()});
        QCoreApplication::processEvents();
    }
    state.SetBytesProcessed(state.iterations() * reply().size());
}
BENCHMARK(BM_ParseAndFillTreeWidget)->Unit(benchmark::kMillisecond);

// One keystroke in the find bar over 5,000 servers: the rows re-filtered, the status said again
// and the table painted.
static void BM_FilterKeystroke(benchmark::State& state)
{
    ShownJoinGamePage shown;
    JoinGamePage& page = *shown.page;
    page.addReplyData(realisticReply(5000, 3));
    QCoreApplication::processEvents();
    // Ctrl+F, as the user opens the bar: it is made at its first opening.
    for (QShortcut* shortcut : page.findChildren<QShortcut*>())
        if (shortcut->key() == QKeySequence(QKeySequence::Find))
            Q_EMIT shortcut->activated();
    auto* find = page.findChild<QLineEdit*>(QStringLiteral("FindBar"));
    if (!find) {
        state.SkipWithError("Ctrl+F opened no find bar");
        return;
    }
    bool longer = false;
    for (auto _ : state) {
        // "ar" and "are" in turn: each keystroke changes what is shown.
        longer = !longer;
        find->setText(longer ? QStringLiteral("are") : QStringLiteral("ar"));
        QCoreApplication::processEvents();
    }
    state.counters["shown"] =
        double(page.findChild<QTreeView*>(QStringLiteral("ListView1"))->model()->rowCount());
}
BENCHMARK(BM_FilterKeystroke)->Unit(benchmark::kMillisecond);

// A Refresh when all three list servers accept and never say a word, the worst kind of dead:
// each is waited for in turn, with the wait the launcher really uses, until the table says that
// none answered.
static void BM_FallbackThreeDead(benchmark::State& state)
{
    QTcpServer silent[3];
    ListServerHosts hosts;
    ListServer* servers[] = {&hosts.primary, &hosts.pellamMirror, &hosts.corvinMirror};
    for (int k = 0; k < 3; ++k) {
        if (!silent[k].listen(QHostAddress::LocalHost, 0)) {
            state.SkipWithError("no loopback port");
            return;
        }
        *servers[k] = {QStringLiteral("127.0.0.1"), silent[k].serverPort()};
    }
    ShownJoinGamePage shown(hosts);
    auto* refresh = shown.page->findChild<QPushButton*>(QStringLiteral("Command5"));
    for (auto _ : state) {
        refresh->click();
        QEventLoop waiting;
        QTimer look;
        QObject::connect(&look, &QTimer::timeout, &waiting, [&] {
            if (shown.page->statusText().startsWith(QStringLiteral("No list server answered")))
                waiting.quit();
        });
        look.start(20);
        waiting.exec();
    }
}
BENCHMARK(BM_FallbackThreeDead)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

// A hostile list server sends a million rows as fast as loopback carries them, and the user then
// clicks a header: the longest the window goes without handling its events, from the Refresh to
// the sorted table. The list stops at the rows a list can hold.
static void BM_MillionRowReplyStall(benchmark::State& state)
{
    static const QByteArray million = realisticReply(1000000, 5);
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0)) {
        state.SkipWithError("no loopback port");
        return;
    }
    const ListServer here{QStringLiteral("127.0.0.1"), server.serverPort()};
    ShownJoinGamePage shown(ListServerHosts{here, here, here});
    auto* refresh = shown.page->findChild<QPushButton*>(QStringLiteral("Command5"));
    auto* view = shown.page->findChild<QTreeView*>(QStringLiteral("ListView1"));
    qint64 longest = 0; // while the list arrives
    qint64 sortMs = 0;  // the header click on what was kept
    for (auto _ : state) {
        QElapsedTimer since;
        QTimer beat; // each beat is the event loop coming round again
        QObject::connect(&beat, &QTimer::timeout, [&] {
            longest = std::max(longest, since.restart());
        });
        beat.start(1);
        since.start();
        refresh->click();
        if (!server.hasPendingConnections()) {
            QEventLoop connecting;
            QObject::connect(&server, &QTcpServer::newConnection, &connecting, &QEventLoop::quit);
            QTimer::singleShot(5000, &connecting, &QEventLoop::quit);
            connecting.exec();
        }
        std::unique_ptr<QTcpSocket> peer(server.nextPendingConnection());
        if (!peer) {
            state.SkipWithError("the page did not connect");
            return;
        }
        peer->write(million);
        QEventLoop sending;
        QObject::connect(peer.get(), &QTcpSocket::disconnected, &sending, &QEventLoop::quit);
        QObject::connect(peer.get(), &QTcpSocket::bytesWritten, &sending, [&] {
            if (peer->bytesToWrite() == 0)
                sending.quit();
        });
        sending.exec();
        QCoreApplication::processEvents();
        beat.stop();
        QElapsedTimer sorting;
        sorting.start();
        view->sortByColumn(0, Qt::AscendingOrder);
        QCoreApplication::processEvents();
        sortMs = std::max(sortMs, sorting.elapsed());
        state.counters["rows"] = double(shown.page->servers().listedCount());
        view->sortByColumn(-1, Qt::AscendingOrder);
    }
    state.counters["arrival_stall_ms"] = double(longest);
    state.counters["sort_ms"] = double(sortMs);
}
BENCHMARK(BM_MillionRowReplyStall)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    reply(); // made once, before any timing
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
