#include "browser/ServerSortModel.h"

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
    // The table is only ever appended to or emptied; emptied, its keys go with it.
    connect(&servers, &QAbstractItemModel::modelReset, this, [this] { m_keys.clear(); });
}

int ServerSortModel::sourceRow(int shownRow) const
{
    return mapToSource(index(shownRow, 0)).row();
}

serverorder::Key ServerSortModel::keyOf(int column, const ServerRow& row)
{
    switch (column) {
    case PlayersColumn:
        return serverorder::playersKey(row.players());
    case AddressColumn:
        return serverorder::addressKey(row.address());
    case TypeColumn:
        return serverorder::textKey(row.type());
    case VersionColumn:
        return serverorder::textKey(row.version());
    default:
        return serverorder::textKey(row.name());
    }
}

bool ServerSortModel::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const int column = left.column();
    if (column != m_keysColumn) {
        m_keys.clear();
        m_keysColumn = column;
    }
    const size_t needed = size_t(std::max(left.row(), right.row())) + 1;
    while (m_keys.size() < needed)
        m_keys.push_back(keyOf(column, m_servers.row(int(m_keys.size()))));
    return m_keys[size_t(left.row())] < m_keys[size_t(right.row())];
}
