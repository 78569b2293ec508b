#include "browser/ServerRecords.h"

#include "browser/JoinCommand.h"
#include "common/RecordStorage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

// 2 added the alerts; a store of format 1 reads as one with alerts off.
constexpr int FormatVersion = 2;
constexpr int OldestFormat = 1;
// A store larger than this was not written by us.
constexpr qsizetype MostStoreBytes = 4 * 1024 * 1024;
constexpr qsizetype MostTextLength = 1024;
const QString AlertsKey = QStringLiteral("alerts");
const QString AlertsOnKey = QStringLiteral("on");
const QString AlertsMinutesKey = QStringLiteral("minutes");
const QString AlertsFavouritesOnlyKey = QStringLiteral("favouritesOnly");

QString text(const QJsonObject& object, const char* key)
{
    return object.value(QLatin1String(key)).toString().left(MostTextLength);
}

} // namespace

ServerRecords::ServerRecords(RecordStorage& storage)
    : m_storage(storage)
{
    const RecordStorage::Contents contents = m_storage.read();
    if (contents.status == RecordStorage::Contents::Missing)
        return;
    if (contents.status == RecordStorage::Contents::Unreadable) {
        m_damaged = true;
        m_problem = QStringLiteral("Your favourites and recent servers could not be read from "
                                   "%1 (%2); they are left as they are until you change a "
                                   "favourite.")
                        .arg(m_storage.location(), contents.error);
        return;
    }
    Parsed parsed = parse(contents.data);
    m_favourites = std::move(parsed.favourites);
    m_history = std::move(parsed.history);
    m_filters = parsed.filters;
    m_alerts = parsed.alerts;
    if (!parsed.damage.isEmpty()) {
        m_damaged = true;
        m_problem = QStringLiteral("Your favourites and recent servers in %1 are damaged (%2). "
                                   "What could be read is shown; the store is kept as it is "
                                   "until you change a favourite, and then beside it as .bad.")
                        .arg(m_storage.location(), parsed.damage);
    }
}

bool ServerRecords::isFavourite(const QString& address) const
{
    return std::any_of(m_favourites.begin(), m_favourites.end(),
                       [&](const Server& server) { return server.address == address; });
}

bool ServerRecords::addFavourite(const Server& server)
{
    if (!isPlainHostAddress(server.address) || isFavourite(server.address) ||
        m_favourites.size() >= MostFavourites)
        return false;
    m_favourites.push_back(server);
    save();
    return true;
}

bool ServerRecords::removeFavourite(const QString& address)
{
    const auto end = std::remove_if(m_favourites.begin(), m_favourites.end(),
                                    [&](const Server& server) { return server.address == address; });
    if (end == m_favourites.end())
        return false;
    m_favourites.erase(end, m_favourites.end());
    save();
    return true;
}

void ServerRecords::updateFavourite(const Server& server)
{
    for (Server& favourite : m_favourites) {
        if (favourite.address == server.address)
            favourite = server;
    }
}

void ServerRecords::recordLaunch(const Launch& launch)
{
    std::erase_if(m_history, [&](const Launch& old) { return old.address == launch.address; });
    m_history.insert(m_history.begin(), launch);
    if (m_history.size() > HistoryLength)
        m_history.resize(HistoryLength);
    // A damaged store is replaced only when a favourite changes; until then this stays here.
    if (!m_damaged)
        save();
}

void ServerRecords::setFilters(ServerSortModel::Filters filters)
{
    if (filters == m_filters)
        return;
    m_filters = filters;
    if (!m_damaged)
        save();
}

void ServerRecords::setAlerts(Alerts alerts)
{
    if (!AlertSchedule::isInterval(alerts.minutes))
        alerts.minutes = AlertSchedule::DefaultInterval;
    if (alerts == m_alerts)
        return;
    m_alerts = alerts;
    if (!m_damaged)
        save();
}

QString ServerRecords::takeProblem()
{
    return std::exchange(m_problem, QString());
}

void ServerRecords::save()
{
    QString error;
    if (m_damaged) {
        // Nothing is lost: what could not be read stays beside the new store.
        if (!m_storage.keepAside(&error)) {
            m_problem = QStringLiteral("Your favourites were not saved: the damaged store in %1 "
                                       "could not be kept aside (%2).")
                            .arg(m_storage.location(), error);
            return;
        }
        m_damaged = false;
    }
    if (!m_storage.write(serialize(m_favourites, m_history, m_filters, m_alerts), &error))
        m_problem = QStringLiteral("Your favourites and recent servers could not be saved in %1 "
                                   "(%2).")
                        .arg(m_storage.location(), error);
}

QByteArray ServerRecords::serialize(const std::vector<Server>& favourites,
                                    const std::vector<Launch>& history,
                                    ServerSortModel::Filters filters, Alerts alerts)
{
    QJsonArray favouriteList;
    for (const Server& server : favourites)
        favouriteList.append(QJsonObject{{QStringLiteral("address"), server.address},
                                         {QStringLiteral("name"), server.name},
                                         {QStringLiteral("type"), server.type},
                                         {QStringLiteral("version"), server.version},
                                         {QStringLiteral("players"), server.players}});
    QJsonArray launches;
    for (const Launch& launch : history)
        launches.append(QJsonObject{
            {QStringLiteral("address"), launch.address},
            {QStringLiteral("name"), launch.name},
            {QStringLiteral("time"), launch.time.toUTC().toString(Qt::ISODate)}});
    const QJsonObject root{
        {QStringLiteral("format"), FormatVersion},
        {QStringLiteral("favourites"), favouriteList},
        {QStringLiteral("history"), launches},
        {QStringLiteral("filters"),
         QJsonObject{{QStringLiteral("hideEmpty"), filters.hideEmpty},
                     {QStringLiteral("hideFull"), filters.hideFull},
                     {QStringLiteral("hidePrivate"), filters.hidePrivate}}},
        {AlertsKey, QJsonObject{{AlertsOnKey, alerts.on},
                                {AlertsMinutesKey, alerts.minutes},
                                {AlertsFavouritesOnlyKey, alerts.favouritesOnly}}}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

ServerRecords::Parsed ServerRecords::parse(const QByteArray& data)
{
    Parsed parsed;
    if (data.size() > MostStoreBytes) {
        parsed.damage = QStringLiteral("larger than any store the launcher writes");
        return parsed;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        parsed.damage = error.error != QJsonParseError::NoError
                            ? QStringLiteral("%1 at byte %2").arg(error.errorString()).arg(error.offset)
                            : QStringLiteral("not a store of records");
        return parsed;
    }
    const QJsonObject root = document.object();
    const int format = root.value(QLatin1String("format")).toInt();
    if (format < OldestFormat || format > FormatVersion) {
        parsed.damage = QStringLiteral("a format this launcher does not know");
        return parsed;
    }
    int badEntries = 0;
    for (const QJsonValue& value : root.value(QLatin1String("favourites")).toArray()) {
        const QJsonObject object = value.toObject();
        Server server{text(object, "address"), text(object, "name"), text(object, "type"),
                      text(object, "version"), text(object, "players")};
        const bool twice = std::any_of(parsed.favourites.begin(), parsed.favourites.end(),
                                       [&](const Server& s) { return s.address == server.address; });
        if (!isPlainHostAddress(server.address) || twice ||
            parsed.favourites.size() >= MostFavourites) {
            ++badEntries;
            continue;
        }
        parsed.favourites.push_back(std::move(server));
    }
    for (const QJsonValue& value : root.value(QLatin1String("history")).toArray()) {
        const QJsonObject object = value.toObject();
        Launch launch{text(object, "address"), text(object, "name"),
                      QDateTime::fromString(text(object, "time"), Qt::ISODate)};
        if (!isPlainHostAddress(launch.address) || !launch.time.isValid() ||
            parsed.history.size() >= HistoryLength) {
            ++badEntries;
            continue;
        }
        parsed.history.push_back(std::move(launch));
    }
    const QJsonObject filters = root.value(QLatin1String("filters")).toObject();
    parsed.filters = {filters.value(QLatin1String("hideEmpty")).toBool(),
                      filters.value(QLatin1String("hideFull")).toBool(),
                      filters.value(QLatin1String("hidePrivate")).toBool()};
    const QJsonObject alerts = root.value(AlertsKey).toObject();
    const int minutes = alerts.value(AlertsMinutesKey).toInt();
    parsed.alerts = {alerts.value(AlertsOnKey).toBool(),
                     AlertSchedule::isInterval(minutes) ? minutes : AlertSchedule::DefaultInterval,
                     alerts.value(AlertsFavouritesOnlyKey).toBool()};
    if (badEntries > 0)
        parsed.damage = QStringLiteral("%1 entries with an address that is not a plain host name "
                                       "or IP address, or otherwise unsound, were left out")
                            .arg(badEntries);
    return parsed;
}
