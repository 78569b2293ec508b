// The plain logic behind the server table's new parts: players and totals, the status words,
// the user's store of records and the order and filters of the table.
#include "FakeServices.h"
#include "TestFiles.h"

#include "browser/ListStatus.h"
#include "browser/PlayerCount.h"
#include "browser/ReplyParser.h"
#include "browser/ServerRecords.h"
#include "browser/ServerSortModel.h"
#include "browser/ServerTableModel.h"
#include "setup/RecordFile.h"
#include "setup/UserRecordStorage.h"

#include <QTemporaryDir>
#include <QTest>

#include <limits>

namespace {

using State = ListQuery::State;
using Failure = ListQuery::Failure;

QStringList shownNames(const ServerSortModel& shown)
{
    QStringList names;
    for (int row = 0; row < shown.rowCount(); ++row)
        names.append(shown.index(row, servercolumns::Name).data().toString());
    return names;
}

} // namespace

class TestServerRecords : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void playersAndTotals()
    {
        struct Case {
            const char* text;
            quint64 players, limit;
            bool parsed, empty, full;
        };
        const Case cases[] = {
            {"3/16", 3, 16, true, false, false},   {" 16/16 ", 16, 16, true, false, true},
            {"0/8", 0, 8, true, true, false},      {"20/8", 20, 8, true, false, true},
            {"x", 0, 0, false, true, false},       {"3/", 0, 0, false, true, false},
            {"3/16 bots", 0, 0, false, true, false}, {"", 0, 0, false, true, false},
            {"99999999999999999999999/1", PlayerCount::Largest, 1, true, false, true},
        };
        for (const Case& c : cases) {
            const PlayerCount count = parsePlayerCount(QString::fromLatin1(c.text));
            QVERIFY2(count.players == c.players && count.limit == c.limit &&
                         count.parsed == c.parsed && count.isEmpty() == c.empty &&
                         count.isFull() == c.full,
                     c.text);
        }

        // Every row counts, private ones and unparsable ones too; the total never wraps round.
        ListTotals totals;
        for (const char* players : {"3/16", "x", "4/4"})
            totals.add(QString::fromLatin1(players));
        QCOMPARE(totals.servers, 3u);
        QCOMPARE(totals.players, 7u);
        totals.players = std::numeric_limits<quint64>::max() - 5;
        totals.add(QStringLiteral("999999999999999999999/1"));
        QCOMPARE(totals.players, std::numeric_limits<quint64>::max());
    }

    // The words a user reads in the table after each kind of Refresh.
    void statusWords()
    {
        ListStatus listed;
        listed.state = State::Listed;
        listed.source = QStringLiteral("Pellam's List Server Mirror");
        listed.totals = {7, 12};
        listed.answeredAt = QTime(21, 4);
        QCOMPARE(statusText(listed),
                 QStringLiteral("7 servers, 12 players, from Pellam's List Server Mirror at 21:04."));

        ListStatus fellBack = listed;
        fellBack.totals = {1, 1};
        fellBack.source = QStringLiteral("the main list server");
        fellBack.failures = {{QStringLiteral("Corvin's List Server Mirror"), Failure::Refused, {}}};
        QCOMPARE(statusText(fellBack),
                 QStringLiteral("1 server, 1 player, from the main list server at 21:04. "
                                "Corvin's List Server Mirror refused the connection."));

        ListStatus asking;
        asking.state = State::Asking;
        asking.source = QStringLiteral("the main list server");
        asking.failures = fellBack.failures;
        QCOMPARE(statusText(asking),
                 QStringLiteral("Corvin's List Server Mirror refused the connection. Asking the "
                                "main list server\u2026"));

        ListStatus dead;
        dead.state = State::Failed;
        dead.failures = {{QStringLiteral("Corvin's List Server Mirror"), Failure::Silent, {}},
                         {QStringLiteral("the main list server"), Failure::NotFound, {}},
                         {QStringLiteral("Pellam's List Server Mirror"), Failure::ClosedEmpty, {}}};
        QCOMPARE(statusText(dead),
                 QStringLiteral("No list server answered. Corvin's List Server Mirror did not "
                                "answer within 10 s; the host of the main list server was not "
                                "found; Pellam's List Server Mirror closed the connection with "
                                "nothing usable."));

        ListStatus empty;
        empty.state = State::Empty;
        empty.source = QStringLiteral("Corvin's List Server Mirror");
        QCOMPARE(statusText(empty), QStringLiteral("No servers are running right now."));

        ListStatus filtered = listed;
        filtered.totals = {9, 12};
        filtered.shown = 3;
        QVERIFY(statusText(filtered).startsWith(QStringLiteral("3 of 9 servers shown. 9 servers")));

        const QDateTime now(QDate(2026, 5, 1), QTime(12, 0), Qt::UTC);
        QCOMPARE(howLongAgo(now.addSecs(-30), now), QStringLiteral("just now"));
        QCOMPARE(howLongAgo(now.addSecs(-300), now), QStringLiteral("5 min ago"));
        QCOMPARE(howLongAgo(now.addSecs(-7200), now), QStringLiteral("2 h ago"));
        QCOMPARE(howLongAgo(now.addDays(-3), now), QStringLiteral("3 days ago"));
    }

    void recordsRoundTripAndKeepToTheirLimits()
    {
        FakeRecordStorage storage;
        const QDateTime start(QDate(2026, 5, 1), QTime(12, 0), Qt::UTC);
        {
            ServerRecords records(storage);
            QVERIFY(records.takeProblem().isEmpty());
            QVERIFY(records.addFavourite({QStringLiteral("192.0.2.7"), QStringLiteral("Arena"),
                                          QStringLiteral("Battle"), QStringLiteral("RKV"),
                                          QStringLiteral("3/16")}));
            // Known by its address: once only; and only a plain address, as for joining.
            QVERIFY(!records.addFavourite({QStringLiteral("192.0.2.7"), QStringLiteral("Again"), {}, {}, {}}));
            QVERIFY(!records.addFavourite({QStringLiteral("-x evil"), QStringLiteral("Evil"), {}, {}, {}}));
            for (int k = 0; k < 12; ++k)
                records.recordLaunch({QStringLiteral("192.0.2.%1").arg(k % 11), QStringLiteral("S"),
                                      start.addSecs(k)});
            records.setFilters({true, false, true});
            records.setAlerts({true, 5, true});
            records.setAlerts({true, 5, true});
            QCOMPARE(storage.writes, 1 + 12 + 1 + 1); // written at each change
        }
        ServerRecords again(storage);
        QCOMPARE(again.favourites().size(), 1u);
        QCOMPARE(again.favourites()[0].players, QStringLiteral("3/16"));
        // Ten at most, newest first, one per address.
        QCOMPARE(again.history().size(), ServerRecords::HistoryLength);
        QCOMPARE(again.history()[0].address, QStringLiteral("192.0.2.0"));
        QCOMPARE(again.history()[0].time, start.addSecs(11));
        QCOMPARE(again.history()[1].address, QStringLiteral("192.0.2.10"));
        QVERIFY((again.filters() == ServerSortModel::Filters{true, false, true}));
        QVERIFY((again.alerts() == ServerRecords::Alerts{true, 5, true}));
        QVERIFY(again.removeFavourite(QStringLiteral("192.0.2.7")));
        QVERIFY(!again.isFavourite(QStringLiteral("192.0.2.7")));
    }

    // A store as the launcher wrote it before alerts existed loads whole, with alerts off; an
    // interval that is not one of the choices is read as the default.
    void earlierStoresAndIntervalsLoad()
    {
        const ServerRecords::Parsed earlier = ServerRecords::parse(
            R"({"format": 1, "favourites": [{"address": "192.0.2.7", "name": "Arena"}],)"
            R"( "history": [], "filters": {"hideEmpty": true}})");
        QVERIFY(earlier.damage.isEmpty());
        QCOMPARE(earlier.favourites.size(), 1u);
        QVERIFY(earlier.filters.hideEmpty);
        QVERIFY((earlier.alerts == ServerRecords::Alerts{}));
        QVERIFY(!earlier.alerts.on && earlier.alerts.minutes == 2);
        const ServerRecords::Parsed odd =
            ServerRecords::parse(R"({"format": 2, "alerts": {"on": true, "minutes": 0}})");
        QVERIFY(odd.damage.isEmpty() && odd.alerts.on && odd.alerts.minutes == 2);
        QVERIFY(!ServerRecords::parse(R"({"format": 3})").damage.isEmpty());
    }

    // A store that cannot be read is told once, left as it is through launches and filters, and
    // kept aside as ".bad" when a favourite next changes; nothing is lost silently.
    void aDamagedStoreIsToldOnceAndKeptAside()
    {
        const QByteArray sound = ServerRecords::serialize(
            {{QStringLiteral("192.0.2.7"), QStringLiteral("Arena"), {}, {}, {}},
             {QStringLiteral("a b"), QStringLiteral("Hostile"), {}, {}, {}}},
            {}, {});
        struct Case {
            const char* what;
            RecordStorage::Contents contents;
            int favouritesKept;
        };
        const Case cases[] = {
            {"not JSON", {RecordStorage::Contents::Read, "{\"format\": 1, \"favour", {}}, 0},
            {"unreadable", {RecordStorage::Contents::Unreadable, {}, QStringLiteral("EACCES")}, 0},
            {"an address the network could not give", {RecordStorage::Contents::Read, sound, {}}, 1},
        };
        for (const Case& c : cases) {
            FakeRecordStorage storage;
            storage.contents = c.contents;
            ServerRecords records(storage);
            QVERIFY2(!records.takeProblem().isEmpty(), c.what);
            QVERIFY2(records.takeProblem().isEmpty(), c.what);
            QCOMPARE(int(records.favourites().size()), c.favouritesKept);
            records.recordLaunch({QStringLiteral("192.0.2.9"), QStringLiteral("X"),
                                  QDateTime::currentDateTimeUtc()});
            records.setFilters({true, true, true});
            QVERIFY2(storage.writes == 0 && !storage.aside, c.what);

            storage.failKeepAside = true;
            records.addFavourite({QStringLiteral("192.0.2.8"), QStringLiteral("New"), {}, {}, {}});
            QVERIFY2(storage.writes == 0 && !records.takeProblem().isEmpty(), c.what);
            storage.failKeepAside = false;
            records.addFavourite({QStringLiteral("192.0.2.10"), QStringLiteral("Newer"), {}, {}, {}});
            QVERIFY2(storage.aside == c.contents.data && storage.writes == 1, c.what);
            const ServerRecords::Parsed now = ServerRecords::parse(storage.contents.data);
            QVERIFY2(now.damage.isEmpty() && now.history.size() == 1 && now.filters.hideFull,
                     c.what);
        }

        FakeRecordStorage failing;
        failing.failWrites = true;
        ServerRecords records(failing);
        records.addFavourite({QStringLiteral("192.0.2.8"), QStringLiteral("New"), {}, {}, {}});
        QVERIFY(records.takeProblem().contains(QStringLiteral("disk full")));
    }

    void theRecordFileIsReplacedWholeAndKeptAside()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("korvane/servers.json"));
        RecordFile file(path);
        QCOMPARE(file.read().status, RecordStorage::Contents::Missing);
        QString error;
        QVERIFY(file.write("one", &error));
        QVERIFY(file.write("two", &error));
        QCOMPARE(file.read().data, QByteArray("two"));
        QVERIFY(file.keepAside(&error));
        QCOMPARE(readFile(path + QStringLiteral(".bad")), QByteArray("two"));
        QCOMPARE(file.read().status, RecordStorage::Contents::Missing);
        // A folder in the file's place cannot be read or replaced; it is said, not hidden.
        QVERIFY(QDir().mkpath(path));
        QCOMPARE(file.read().status, RecordStorage::Contents::Unreadable);
        QVERIFY(!file.write("three", &error));
        QVERIFY(!error.isEmpty());
    }

    // The user's own store, where each system keeps it: its own file under $XDG_DATA_HOME, or
    // its own value under HKEY_CURRENT_USER\Software\Korvane, apart from Save and Load.
    void theUsersStoreKeepsWhatIsWritten()
    {
#ifndef _WIN32
        QTemporaryDir home;
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
#endif
        const std::unique_ptr<RecordStorage> storage = makeUserRecordStorage();
#ifndef _WIN32
        QCOMPARE(storage->location(), home.filePath(QStringLiteral("korvane/servers.json")));
#endif
        QString error;
        QVERIFY2(storage->write("first", &error), qPrintable(error));
        QVERIFY2(storage->write("second", &error), qPrintable(error));
        QCOMPARE(storage->read().data, QByteArray("second"));
        QVERIFY2(storage->keepAside(&error), qPrintable(error));
        QVERIFY(storage->write("third", &error));
        QCOMPARE(storage->read().data, QByteArray("third"));
    }

    // Filters, the find text, favourites first, most players first, and the rows that the list
    // did not send, which stay last whatever the order.
    void orderAndFilters()
    {
        ServerTableModel table;
        for (const servercolumns::Caption& column : servercolumns::All)
            table.addColumn(QString::fromLatin1(column.caption));
        ServerSortModel shown(table);
        table.append(ReplyParser().feed("10.0.0.1:1 battle [0/8] Empty\r\n"
                                        "10.0.0.2:1 ctf [8/8] Full\r\n"
                                        "10.0.0.3:1 private battle [2/8] Closed\r\n"
                                        "10.0.0.4:1 treasure [5/8] |N\xa7"
                                        "2ight\r\n"
                                        "10.0.0.5:1 battle [x] Odd\r\n"));
        table.setExtraRows({{{QStringLiteral("Gone"), {}, {}, QStringLiteral("9/9"),
                              QStringLiteral("10.0.0.9")},
                             QStringLiteral("not listed now"),
                             false}});
        QCOMPARE(shownNames(shown).join(u' '), QStringLiteral("Empty Full Closed Night Odd Gone"));
        QVERIFY(!table.isLaunchable(5) && !table.isLaunchable(2) && table.isLaunchable(0));
        QVERIFY(table.index(5, 0).data(Qt::ToolTipRole).toString().endsWith(
            QStringLiteral("not listed now")));

        struct Case {
            ServerSortModel::Filters filters;
            const char* find;
            const char* names;
            int listedShown;
        };
        const Case cases[] = {
            {{true, false, false}, "", "Full Closed Night Gone", 3},
            {{false, true, false}, "", "Empty Closed Night Odd", 4},
            {{false, false, true}, "", "Empty Full Night Odd Gone", 4},
            {{false, false, false}, "NIGHT", "Night", 1},     // case aside
            {{false, false, false}, "|n\xc2\xa7" "1ig", "Night", 1}, // colour codes aside
            {{false, false, false}, "treas", "Night", 1},     // the type
            {{true, true, true}, "", "Night", 1},
            {{false, false, false}, "", "Empty Full Closed Night Odd Gone", 5},
        };
        for (const Case& c : cases) {
            shown.setFilters(c.filters);
            shown.setFindText(QString::fromUtf8(c.find));
            QCOMPARE(shownNames(shown).join(u' '), QString::fromLatin1(c.names));
            QCOMPARE(shown.shownListedCount(), c.listedShown);
        }

        // Most players first; what does not parse counts as none. The extra row stays last.
        shown.sortByPlayers();
        QCOMPARE(shownNames(shown).join(u' '), QStringLiteral("Full Night Closed Empty Odd Gone"));
        table.setFavourites({QStringLiteral("10.0.0.5"), QStringLiteral("10.0.0.9")});
        shown.setFavouritesFirst(true);
        const QString star = ServerTableModel::FavouriteMark;
        QCOMPARE(shownNames(shown).join(u' '),
                 star + QStringLiteral("Odd Full Night Closed Empty ") + star + QStringLiteral("Gone"));
        // Favourites first, before any header click: otherwise the reply's order.
        shown.sort(-1);
        shown.setFavouritesFirst(false);
        shown.setFavouritesFirst(true);
        QCOMPARE(shownNames(shown).join(u' '),
                 star + QStringLiteral("Odd Empty Full Closed Night ") + star + QStringLiteral("Gone"));
        shown.setFavouritesFirst(false);
        QCOMPARE(shownNames(shown).join(u' '),
                 QStringLiteral("Empty Full Closed Night ") + star + QStringLiteral("Odd ") + star +
                     QStringLiteral("Gone"));
        // A descending header click keeps the rows the list did not send last.
        shown.sort(servercolumns::Name, Qt::DescendingOrder);
        QVERIFY(shownNames(shown).last().endsWith(QStringLiteral("Gone")));
    }
};

QTEST_GUILESS_MAIN(TestServerRecords)
#include "tst_serverrecords.moc"
