#include "browser/ServerSortModel.h"

#include "browser/ServerRow.h"
#include "browser/ServerTableModel.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace serverorder {

namespace {

// The numbers of a players text, in order: "3/16" gives 3 and 16. A number too long to hold
// counts as the largest one.
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

template <typename T> int threeWay(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

int comparePlayers(QStringView a, QStringView b)
{
    const std::vector<quint64> left = numbersIn(a);
    const std::vector<quint64> right = numbersIn(b);
    // Text without a number goes after every number.
    if (left.empty() != right.empty())
        return left.empty() ? 1 : -1;
    if (const int byNumbers = threeWay(left, right))
        return byNumbers;
    return a.compare(b, Qt::CaseInsensitive);
}

int compareAddresses(QStringView a, QStringView b)
{
    // 0: an IPv4 address, 1: a host name, 2: a private server.
    const auto rank = [](QStringView text, const std::optional<quint32>& address) {
        if (address)
            return 0;
        return text == ServerRow::PrivateAddress ? 2 : 1;
    };
    const std::optional<quint32> left = ipv4(a);
    const std::optional<quint32> right = ipv4(b);
    if (const int byRank = threeWay(rank(a, left), rank(b, right)))
        return byRank;
    if (left && right)
        return threeWay(*left, *right);
    return a.compare(b, Qt::CaseInsensitive);
}

} // namespace serverorder

ServerSortModel::ServerSortModel(ServerTableModel& servers, QObject* parent)
    : QSortFilterProxyModel(parent)
    , m_servers(servers)
{
    setSourceModel(&servers);
}

int ServerSortModel::sourceRow(int shownRow) const
{
    return mapToSource(index(shownRow, 0)).row();
}

bool ServerSortModel::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const ServerRow& a = m_servers.row(left.row());
    const ServerRow& b = m_servers.row(right.row());
    switch (left.column()) {
    case NameColumn:
        return a.name().compare(b.name(), Qt::CaseInsensitive) < 0;
    case TypeColumn:
        return a.type().compare(b.type(), Qt::CaseInsensitive) < 0;
    case VersionColumn:
        return a.version().compare(b.version(), Qt::CaseInsensitive) < 0;
    case PlayersColumn:
        return serverorder::comparePlayers(a.players(), b.players()) < 0;
    case AddressColumn:
        return serverorder::compareAddresses(a.address(), b.address()) < 0;
    default:
        return false;
    }
}
