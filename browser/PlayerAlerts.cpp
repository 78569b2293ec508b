#include "browser/PlayerAlerts.h"

#include "browser/PlayerCount.h"
#include "browser/ServerRow.h"
#include "browser/ServerTableModel.h"

#include <algorithm>

PlayerAlerts::Server PlayerAlerts::fromRow(const ServerRow& row, bool favourite)
{
    return {row.isPrivate() ? row.name() : row.address(), row.name(),
            parsePlayerCount(row.players()).players, favourite};
}

void PlayerAlerts::start(const std::optional<std::vector<Server>>& shown)
{
    m_running = true;
    m_haveStart = shown.has_value();
    m_busy.clear();
    if (!shown)
        return;
    for (const Server& server : *shown)
        if (server.players > 0)
            m_busy.insert(server.key);
}

void PlayerAlerts::stop()
{
    m_running = false;
    m_haveStart = false;
    m_busy.clear();
}

std::vector<PlayerAlerts::News> PlayerAlerts::update(const std::vector<Server>& listed,
                                                     bool favouritesOnly)
{
    std::vector<News> news;
    if (!m_running)
        return news;
    std::set<QString> busy;
    for (const Server& server : listed) {
        if (server.players == 0 || busy.count(server.key))
            continue;
        busy.insert(server.key);
        if (m_haveStart && !m_busy.count(server.key) && (!favouritesOnly || server.favourite))
            news.push_back({server.key, server.name, server.players});
    }
    // Every busy server is remembered, told of or not: one that became busy while only
    // favourites were told is not told later merely because that choice was turned off.
    m_busy = std::move(busy);
    m_haveStart = true;
    return news;
}

QString PlayerAlerts::message(const News& news)
{
    // The name came from the network: one line, of a length a notification can show.
    QString name = ServerTableModel::shownText(news.name).simplified();
    if (name.isEmpty())
        name = news.key;
    if (news.players == 1)
        return QStringLiteral("1 player on %1").arg(name);
    return QStringLiteral("%1 players on %2").arg(QString::number(news.players), name);
}

AlertSchedule::AlertSchedule(int minutes)
    : m_minutes(isInterval(minutes) ? minutes : DefaultInterval)
{
}

bool AlertSchedule::isInterval(int minutes)
{
    return std::find(std::begin(Intervals), std::end(Intervals), minutes) != std::end(Intervals);
}

qint64 AlertSchedule::nextWaitMs(double random) const
{
    const double jitter = 0.1 * std::clamp(random, 0.0, 1.0);
    qint64 wait = qint64(m_minutes) * 60 * 1000;
    for (int i = 0; i < m_failures && wait < LongestWaitMs; ++i)
        wait *= 2;
    // At the longest wait the jitter shortens it instead: launchers that all failed together
    // would otherwise all ask again at the same moment.
    if (wait >= LongestWaitMs)
        return qint64(double(LongestWaitMs) * (1.0 - jitter));
    return std::min(LongestWaitMs, qint64(double(wait) * (1.0 + jitter)));
}
