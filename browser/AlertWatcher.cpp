#include "browser/AlertWatcher.h"

AlertWatcher::AlertWatcher(ListServerSockets& sockets, AskingOrder order, IsFavourite isFavourite,
                           ListQuery::Timings timings, QObject* parent)
    : QObject(parent)
    , m_order(std::move(order))
    , m_isFavourite(std::move(isFavourite))
    , m_query(new ListQuery(sockets, QStringLiteral("AlertQuery"), timings, this))
{
    m_wait.setSingleShot(true);
    // The launcher idles between asks: a coarse timer wakes it once, not early and often.
    m_wait.setTimerType(Qt::VeryCoarseTimer);
    m_settled.setSingleShot(true);
    m_settled.setInterval(timings.quiet);
    connect(&m_wait, &QTimer::timeout, this, &AlertWatcher::ask);
    connect(&m_settled, &QTimer::timeout, this, &AlertWatcher::finish);
    connect(m_query, &ListQuery::rowsArrived, this, &AlertWatcher::rowsArrived);
    connect(m_query, &ListQuery::stateChanged, this, &AlertWatcher::stateChanged);
    connect(m_query, &ListQuery::connectionClosed, this, [this] {
        if (m_asking && m_query->state() == ListQuery::State::Listed)
            finish();
    });
}

void AlertWatcher::start(const std::optional<std::vector<PlayerAlerts::Server>>& shown)
{
    m_alerts.start(shown);
    m_schedule.succeeded();
    waitAgain();
}

void AlertWatcher::stop()
{
    m_alerts.stop();
    m_wait.stop();
    m_settled.stop();
    m_asking = false;
    m_query->stop();
}

void AlertWatcher::setInterval(int minutes)
{
    m_schedule = AlertSchedule(minutes);
    if (running() && !m_asking)
        waitAgain();
}

std::optional<QStringList> AlertWatcher::latestCells(const QString& key) const
{
    const auto found = m_latestCells.find(key);
    if (found == m_latestCells.end())
        return std::nullopt;
    return found->second;
}

void AlertWatcher::waitAgain()
{
    const double random = std::uniform_real_distribution<double>(0.0, 1.0)(m_random);
    const qint64 ms = m_schedule.nextWaitMs(random);
    // The schedule counts real minutes; a test's shorter minute scales the wait alike.
    m_wait.start(std::chrono::milliseconds(ms * m_minute.count() / 60000));
}

void AlertWatcher::ask()
{
    m_asking = true;
    m_listed.clear();
    m_cells.clear();
    m_query->ask(m_order());
}

void AlertWatcher::rowsArrived(std::vector<ServerRow>& rows)
{
    for (const ServerRow& row : rows) {
        const PlayerAlerts::Server server =
            PlayerAlerts::fromRow(row, !row.isPrivate() && m_isFavourite(row.address()));
        if (server.players > 0)
            m_cells.emplace(server.key, row.texts());
        m_listed.push_back(server);
    }
    m_settled.start();
}

void AlertWatcher::stateChanged()
{
    if (!m_asking)
        return;
    switch (m_query->state()) {
    case ListQuery::State::Empty:
        finish();
        break;
    case ListQuery::State::Failed:
        m_asking = false;
        m_settled.stop();
        m_schedule.failed();
        if (running())
            waitAgain();
        break;
    default:
        break;
    }
}

void AlertWatcher::finish()
{
    if (!m_asking)
        return;
    m_asking = false;
    m_settled.stop();
    // A list server that keeps its connection open is not held on to until the next ask.
    m_query->stop();
    m_schedule.succeeded();
    m_latestCells = std::move(m_cells);
    m_cells.clear();
    for (const PlayerAlerts::News& news : m_alerts.update(m_listed, m_favouritesOnly))
        Q_EMIT someonePlaying(news);
    m_listed.clear();
    // A receiver may have turned the alerts off.
    if (running())
        waitAgain();
}
