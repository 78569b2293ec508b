// When "someone is playing" is told, and when the list servers are asked again.
#include "browser/PlayerAlerts.h"

#include <QStringList>
#include <QTest>

namespace {

// "a:3 f*:0": servers by key with their players; a star marks a favourite.
std::vector<PlayerAlerts::Server> servers(const char* text)
{
    std::vector<PlayerAlerts::Server> list;
    for (const QString& item : QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts)) {
        const QStringList parts = item.split(u':');
        QString key = parts[0];
        const bool favourite = key.endsWith(u'*');
        key.remove(u'*');
        list.push_back({key, QStringLiteral("Name ") + key, parts[1].toULongLong(), favourite});
    }
    return list;
}

QString told(const std::vector<PlayerAlerts::News>& news)
{
    QStringList words;
    for (const PlayerAlerts::News& item : news)
        words.append(item.key + u':' + QString::number(item.players));
    return words.join(u' ');
}

} // namespace

class TestPlayerAlerts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void whenItTells()
    {
        struct Case {
            const char* what;
            const char* shown; // nullptr: no list on show when turned on
            bool favouritesOnly;
            std::vector<std::pair<const char*, const char*>> asks; // list, what is told
        };
        const Case cases[] = {
            {"busy at the start: not told until empty in between", "a:2", false,
             {{"a:3", ""}, {"a:0", ""}, {"a:1", "a:1"}}},
            {"rising from none: told once while it stays busy", "a:0 b:0", false,
             {{"a:3 b:0", "a:3"}, {"a:4 b:0", ""}, {"a:5 b:2", "b:2"}}},
            {"appearing with players; gone and back is new", "", false,
             {{"c:2", "c:2"}, {"", ""}, {"c:1", "c:1"}}},
            {"no list shown: the first one asked is the start", nullptr, false,
             {{"a:2 b:0", ""}, {"a:2 b:1", "b:1"}}},
            {"favourites only", "a:0 f*:0", true,
             {{"a:2 f*:1", "f:1"}, {"a:2 f*:4", ""}}},
            {"one server listed twice is told once", "", false, {{"d:1 d:2", "d:1"}}},
        };
        for (const Case& c : cases) {
            PlayerAlerts alerts;
            QVERIFY(alerts.update(servers("a:1"), false).empty()); // not running: nothing
            alerts.start(c.shown ? std::optional(servers(c.shown)) : std::nullopt);
            for (const auto& [list, expected] : c.asks)
                QVERIFY2(told(alerts.update(servers(list), c.favouritesOnly)) ==
                             QString::fromLatin1(expected),
                         c.what);
            alerts.stop();
            QVERIFY(alerts.update(servers("z:9"), false).empty());
        }
    }

    void whatItSays()
    {
        QCOMPARE(PlayerAlerts::message({QStringLiteral("192.0.2.1"), QStringLiteral("Night Arena"), 3}),
                 QStringLiteral("3 players on Night Arena"));
        QCOMPARE(PlayerAlerts::message({QStringLiteral("192.0.2.1"), QStringLiteral("Night Arena"), 1}),
                 QStringLiteral("1 player on Night Arena"));
        // From the network: a "%1" stays as it is, a line break does not make a second line,
        // and a server without a name is named by its address.
        QCOMPARE(PlayerAlerts::message({QStringLiteral("k"), QStringLiteral("50%1\nOff"), 2}),
                 QStringLiteral("2 players on 50%1 Off"));
        QCOMPARE(PlayerAlerts::message({QStringLiteral("192.0.2.1"), QStringLiteral(" "), 1}),
                 QStringLiteral("1 player on 192.0.2.1"));
    }

    void whenItAsksAgain()
    {
        constexpr qint64 Minute = 60 * 1000;
        struct Case {
            int minutes, failures;
            double random;
            qint64 least, most;
        };
        const Case cases[] = {
            {2, 0, 0.0, 2 * Minute, 2 * Minute},            // the default
            {2, 0, 0.9999, 2 * Minute, 2 * Minute * 11 / 10}, // up to a tenth later
            {1, 0, 0.0, Minute, Minute},                     // never more often than a minute
            {1, 0, -3.0, Minute, Minute},                    // a random out of range is held in
            {3, 0, 0.0, 2 * Minute, 2 * Minute},             // not a choice: the default
            {5, 1, 0.0, 10 * Minute, 10 * Minute},           // doubled after a failure
            {5, 2, 0.5, 20 * Minute, 22 * Minute},
            {10, 2, 0.0, 30 * Minute, 30 * Minute},          // at most half an hour...
            {10, 2, 0.5, 27 * Minute, 29 * Minute},          // ...still spread out there
            {1, 100000, 0.9999, 27 * Minute, 30 * Minute},   // no overflow after many failures
        };
        for (const Case& c : cases) {
            AlertSchedule schedule(c.minutes);
            for (int k = 0; k < c.failures; ++k)
                schedule.failed();
            const qint64 wait = schedule.nextWaitMs(c.random);
            QVERIFY2(wait >= c.least && wait <= c.most,
                     qPrintable(QStringLiteral("%1 min, %2 failures: %3 ms")
                                    .arg(c.minutes).arg(c.failures).arg(wait)));
            schedule.succeeded();
            QVERIFY(schedule.nextWaitMs(0.0) == qint64(schedule.interval()) * Minute);
        }
    }
};

QTEST_GUILESS_MAIN(TestPlayerAlerts)
#include "tst_playeralerts.moc"
