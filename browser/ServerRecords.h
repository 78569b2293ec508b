#pragma once

#include "browser/PlayerAlerts.h"
#include "browser/ServerSortModel.h"

#include <QDateTime>
#include <QString>

#include <vector>

class RecordStorage;

// "Tell me when someone is playing": whether it runs, how often, and for which servers.
struct RecordedAlerts {
    bool on = false;
    int minutes = AlertSchedule::DefaultInterval;
    bool favouritesOnly = false;
    bool operator==(const RecordedAlerts&) const = default;
};

// The user's own records of servers: favourites, the servers launched lately and the table's
// filters. Kept apart from Save and Load, so Load never overwrites them, and written the moment
// they change. A store that cannot be read is reported once and left as it is until the user
// next changes a favourite; it is then kept beside the new one as ".bad".
class ServerRecords {
public:
    struct Server {
        QString address;
        QString name;
        QString type;
        QString version;
        QString players;
        bool operator==(const Server&) const = default;
    };
    struct Launch {
        QString address;
        QString name;
        QDateTime time; // UTC
        bool operator==(const Launch&) const = default;
    };
    using Alerts = RecordedAlerts;
    static constexpr size_t HistoryLength = 10;
    static constexpr size_t MostFavourites = 1000;

    explicit ServerRecords(RecordStorage& storage);

    const std::vector<Server>& favourites() const { return m_favourites; }
    bool isFavourite(const QString& address) const;
    // Both write the store; they return whether the record changed.
    bool addFavourite(const Server& server);
    bool removeFavourite(const QString& address);
    // The last values of a favourite listed now, kept for when it is not; in memory only.
    void updateFavourite(const Server& server);

    // Newest first, one per address.
    const std::vector<Launch>& history() const { return m_history; }
    void recordLaunch(const Launch& launch);

    ServerSortModel::Filters filters() const { return m_filters; }
    void setFilters(ServerSortModel::Filters filters);

    Alerts alerts() const { return m_alerts; }
    void setAlerts(Alerts alerts);

    // What went wrong with the store since the last call, in words for the status; empty when
    // nothing did. A damaged store is told once.
    QString takeProblem();

    // The records as the store holds them, and back. Addresses are held to the same rules as
    // those of the network; an entry that breaks them, or a text that is not a store at all,
    // makes parse report the store damaged, keeping the entries that are sound.
    struct Parsed;
    static QByteArray serialize(const std::vector<Server>& favourites,
                                const std::vector<Launch>& history,
                                ServerSortModel::Filters filters, Alerts alerts = {});
    static Parsed parse(const QByteArray& data);

private:
    void save();

    RecordStorage& m_storage;
    std::vector<Server> m_favourites;
    std::vector<Launch> m_history;
    ServerSortModel::Filters m_filters;
    Alerts m_alerts;
    bool m_damaged = false; // the store holds what we could not read: not written over yet
    QString m_problem;
};

struct ServerRecords::Parsed {
    std::vector<Server> favourites;
    std::vector<Launch> history;
    ServerSortModel::Filters filters;
    Alerts alerts;
    QString damage; // empty when all was sound
};
