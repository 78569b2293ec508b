#pragma once

#include <QString>

#include <optional>
#include <set>
#include <vector>

class ServerRow;

// Decides when "someone is playing" is told. The list shown when alerts are turned on is the
// starting point: servers busy then are not announced. After that, a server whose players rise
// from none (or that appears with players) is told once, and not again until it has been empty
// or gone from a list in between.
class PlayerAlerts {
public:
    struct Server {
        QString key; // the address; a private server by its name
        QString name;
        quint64 players = 0;
        bool favourite = false;
    };
    struct News {
        QString key;
        QString name;
        quint64 players = 0;
    };

    // The players of a row as its Players column gives them (a text that is not "a/b" is none).
    static Server fromRow(const ServerRow& row, bool favourite);

    bool running() const { return m_running; }
    // shown: the list on show, or nothing when none has been shown (no list server answered
    // yet): the first list asked for is then the starting point, so that turning alerts on
    // before any Refresh does not announce every busy server at once.
    void start(const std::optional<std::vector<Server>>& shown);
    void stop();

    // A complete list asked for later. favouritesOnly: only favourites are told.
    std::vector<News> update(const std::vector<Server>& listed, bool favouritesOnly);

    // "3 players on Night Arena", "1 player on Night Arena"; plain text, one line.
    static QString message(const News& news);

private:
    bool m_running = false;
    bool m_haveStart = false;
    std::set<QString> m_busy; // busy at the start or told of, and not empty since
};

// When the list servers are asked again while alerts run: every interval the user chose, never
// more often than once a minute, each wait stretched by up to a tenth at random so that many
// launchers do not ask at the same moment, and doubled after each failure up to half an hour.
class AlertSchedule {
public:
    static constexpr int Intervals[] = {1, 2, 5, 10}; // minutes the user may choose
    static constexpr int DefaultInterval = 2;
    static constexpr qint64 LongestWaitMs = 30 * 60 * 1000;

    // minutes outside the choices is taken as the default.
    explicit AlertSchedule(int minutes = DefaultInterval);
    int interval() const { return m_minutes; }
    static bool isInterval(int minutes);

    // random: in [0, 1). Never shorter than the interval; never longer than LongestWaitMs.
    qint64 nextWaitMs(double random) const;
    void succeeded() { m_failures = 0; }
    void failed() { ++m_failures; }

private:
    int m_minutes;
    int m_failures = 0;
};
