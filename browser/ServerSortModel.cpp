#include "browser/ServerSortModel.h"

#include "browser/ServerColumns.h"
#include "browser/ServerRow.h"
#include "browser/ServerTableModel.h"

#include <algorithm>
#include <optional>
#include <tuple>

namespace serverorder {

namespace {

// The numbers of a text, in order: "3/16" gives 3 and 16. A number too long to hold counts as
// the largest one.
std::vector<quint64> numbersIn(QStringView text)
{
    constexpr quint64 Largest = 100000000000000000ull;
    std::vector<quint64> numbers;
    bool inNumber = false;
    quint64 current = 0;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9') {
            current = std::min(current * 10 + quint64(c.unicode() - u'0'), Largest);
            inNumber = true;
        } else if (inNumber) {
            numbers.push_back(current);
            current = 0;
            inNumber = false;
        }
    }
    if (inNumber)
        numbers.push_back(current);
    return numbers;
}

std::optional<quint32> ipv4(QStringView text)
{
    const QList<QStringView> parts = text.split(u'.');
    if (parts.size() != 4)
        return std::nullopt;
    quint32 value = 0;
    for (const QStringView part : parts) {
        if (part.isEmpty() || part.size() > 3)
            return std::nullopt;
        uint byte = 0;
        for (const QChar c : part) {
            if (c < u'0' || c > u'9')
                return std::nullopt;
            byte = byte * 10 + uint(c.unicode() - u'0');
        }
        if (byte > 255)
            return std::nullopt;
        value = (value << 8) | byte;
    }
    return value;
}

} // namespace

bool Key::operator<(const Key& other) const
{
    return std::tie(rank, numbers, text) < std::tie(other.rank, other.numbers, other.text);
}

Key playersKey(QStringView players)
{
    Key key{0, numbersIn(players), players.toString().toCaseFolded()};
    key.rank = key.numbers.empty() ? 1 : 0;
    return key;
}

Key addressKey(QStringView address)
{
    if (const std::optional<quint32> value = ipv4(address))
        return {0, {*value}, QString()};
    return {address == ServerRow::PrivateAddress ? 2 : 1, {}, address.toString().toCaseFolded()};
}

Key textKey(QStringView text)
{
    return {0, {}, text.toString().toCaseFolded()};
}

} // namespace serverorder

ServerSortModel::ServerSortModel(ServerTableModel& servers, QObject* parent)
    : QSortFilterProxyModel(parent)
    , m_servers(servers)
{
    setSourceModel(&servers);
    // What is made per row goes with the rows from the first that moves: rows arriving later go
    // before the extra rows, which shift down. Forgotten before the proxy takes the change in,
    // as it then compares and filters the new rows.
    connect(&servers, &QAbstractItemModel::modelAboutToBeReset, this, [this] { forgetFrom(0); });
    connect(&servers, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this](const QModelIndex&, int first, int) { forgetFrom(first); });
    connect(&servers, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int) { forgetFrom(first); });
}

void ServerSortModel::forgetFrom(int sourceRow)
{
    if (m_keys.size() > size_t(sourceRow))
        m_keys.resize(size_t(sourceRow));
    if (m_facts.size() > size_t(sourceRow))
        m_facts.resize(size_t(sourceRow));
}

int ServerSortModel::sourceRow(int shownRow) const
{
    return mapToSource(index(shownRow, 0)).row();
}

serverorder::Key ServerSortModel::keyOf(int column, const QString& text)
{
    switch (column) {
    case servercolumns::Players:
        return serverorder::playersKey(text);
    case servercolumns::Address:
        return serverorder::addressKey(text);
    default:
        return serverorder::textKey(text);
    }
}

const ServerSortModel::Facts& ServerSortModel::factsOf(int sourceRow) const
{
    if (m_facts.size() <= size_t(sourceRow))
        m_facts.resize(size_t(sourceRow) + 1);
    Facts& facts = m_facts[size_t(sourceRow)];
    if (!facts.made) {
        facts.made = true;
        facts.isPrivate = m_servers.isListed(sourceRow) && m_servers.row(sourceRow).isPrivate();
        facts.players = parsePlayerCount(m_servers.cell(sourceRow, servercolumns::Players));
        facts.search = searchText(m_servers.cell(sourceRow, servercolumns::Name) + u'\n' +
                                  m_servers.cell(sourceRow, servercolumns::Type) + u'\n' +
                                  m_servers.cell(sourceRow, servercolumns::Version));
    }
    return facts;
}

void ServerSortModel::setFilters(Filters filters)
{
    if (filters == m_filters)
        return;
    m_filters = filters;
    invalidateFilter();
}

void ServerSortModel::setFindText(const QString& text)
{
    QString find = searchText(text);
    if (find == m_find)
        return;
    m_find = std::move(find);
    invalidateFilter();
}

bool ServerSortModel::hidesAnything() const
{
    return m_filters.hideEmpty || m_filters.hideFull || m_filters.hidePrivate ||
           !m_find.isEmpty();
}

int ServerSortModel::shownListedCount() const
{
    if (!hidesAnything())
        return m_servers.listedCount();
    // The extra rows are few; the listed ones may be a million.
    int shownExtra = 0;
    for (int row = m_servers.listedCount(); row < m_servers.rowCount(); ++row)
        shownExtra += filterAcceptsRow(row, {}) ? 1 : 0;
    return rowCount() - shownExtra;
}

bool ServerSortModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    if (!hidesAnything())
        return true;
    const Facts& facts = factsOf(sourceRow);
    if (m_filters.hidePrivate && facts.isPrivate)
        return false;
    if (m_filters.hideEmpty && facts.players.isEmpty())
        return false;
    if (m_filters.hideFull && facts.players.isFull())
        return false;
    return m_find.isEmpty() || facts.search.contains(m_find);
}

void ServerSortModel::sortBy(Order order, int column, Qt::SortOrder direction)
{
    m_order = order;
    QSortFilterProxyModel::sort(column, direction);
}

void ServerSortModel::sort(int column, Qt::SortOrder order)
{
    sortBy(Order::ByColumn, column, order);
}

void ServerSortModel::sortByPlayers()
{
    sortBy(Order::ByPlayers, servercolumns::Players, Qt::DescendingOrder);
}

void ServerSortModel::setFavouritesFirst(bool first)
{
    m_favouritesFirst = first;
    if (sortColumn() < 0 && first)
        sortBy(Order::ByReply, servercolumns::Name, Qt::AscendingOrder); // the reply's order
    else if (m_order == Order::ByReply && !first)
        sortBy(Order::ByColumn, -1, Qt::AscendingOrder);
    else
        invalidate();
}

void ServerSortModel::favouritesChanged()
{
    if (m_favouritesFirst)
        invalidate();
}

bool ServerSortModel::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const int l = left.row();
    const int r = right.row();
    // Ranks that hold in either direction: a descending sort asks with the rows swapped.
    const bool descending = sortOrder() == Qt::DescendingOrder;
    const auto leftFirst = [descending](bool first) { return descending ? !first : first; };
    if (m_servers.isListed(l) != m_servers.isListed(r))
        return leftFirst(m_servers.isListed(l));
    if (m_favouritesFirst && m_servers.isFavourite(l) != m_servers.isFavourite(r))
        return leftFirst(m_servers.isFavourite(l));
    switch (m_order) {
    case Order::ByReply:
        return l < r;
    case Order::ByPlayers:
        return factsOf(l).players.players < factsOf(r).players.players;
    case Order::ByColumn:
        break;
    }
    const int column = left.column();
    if (column != m_keysColumn) {
        m_keys.clear();
        m_keysColumn = column;
    }
    const size_t needed = size_t(std::max(l, r)) + 1;
    while (m_keys.size() < needed) {
        const int row = int(m_keys.size());
        m_keys.push_back(keyOf(column, m_servers.cell(row, servercolumns::Column(column))));
    }
    return m_keys[size_t(l)] < m_keys[size_t(r)];
}
