#pragma once

#include "browser/ListQuery.h"
#include "browser/PlayerAlerts.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <vector>

// "Tell me when someone is playing": while it runs, asks the list servers again on the user's
// schedule, on a query of its own, so the table the user is looking at is never emptied under
// them, and tells of servers that people start to play on.
class AlertWatcher : public QObject {
    Q_OBJECT
public:
    // Who is asked, in turn: the same list servers and fallback as Refresh.
    using AskingOrder = std::function<std::vector<ListQuery::Source>()>;
    using IsFavourite = std::function<bool(const QString& address)>;

    AlertWatcher(ListServerSockets& sockets, AskingOrder order, IsFavourite isFavourite,
                 ListQuery::Timings timings = {}, QObject* parent = nullptr);

    // How long a minute of the schedule lasts; only tests shorten it.
    void setMinute(std::chrono::milliseconds minute) { m_minute = minute; }

    bool running() const { return m_alerts.running(); }
    // shown: the servers of the table when they are turned on, nothing when no list is shown.
    void start(const std::optional<std::vector<PlayerAlerts::Server>>& shown);
    void stop();
    void setInterval(int minutes);
    void setFavouritesOnly(bool on) { m_favouritesOnly = on; }
    // Milliseconds until the next ask; -1 while not waiting.
    int remainingWait() const { return m_wait.remainingTime(); }

    // The cells of a server of the latest list asked for, by its key.
    std::optional<QStringList> latestCells(const QString& key) const;

Q_SIGNALS:
    void someonePlaying(const PlayerAlerts::News& news);

private:
    void ask();
    void rowsArrived(std::vector<ServerRow>& rows);
    void stateChanged();
    void finish();
    void waitAgain();

    AskingOrder m_order;
    IsFavourite m_isFavourite;
    ListQuery* m_query;
    PlayerAlerts m_alerts;
    AlertSchedule m_schedule;
    bool m_favouritesOnly = false;
    bool m_asking = false;
    std::chrono::milliseconds m_minute{60000};
    QTimer m_wait;    // until the next ask
    QTimer m_settled; // a list server that keeps its connection open has finished its list
    std::vector<PlayerAlerts::Server> m_listed;
    std::map<QString, QStringList> m_cells;
    std::map<QString, QStringList> m_latestCells;
    std::mt19937 m_random{std::random_device{}()};
};
