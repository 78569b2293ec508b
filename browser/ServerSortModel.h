#pragma once

#include <QSortFilterProxyModel>
#include <QString>
#include <QStringView>

#include <vector>

class ServerRow;
class ServerTableModel;

namespace serverorder {
// Where a cell goes when its column is sorted: by rank, then numbers, then text. Made once per
// row and column, as a header click on a full list compares half a million pairs.
struct Key {
    int rank = 0;
    std::vector<quint64> numbers;
    QString text; // case-folded: "alpha" and "Alpha" sort together

    bool operator<(const Key& other) const;
};
// Players as numbers: "3/16" before "10/8" before "10/16"; text without a digit after them all.
Key playersKey(QStringView players);
// IPv4 addresses by their value, then host names by their text, then private servers.
Key addressKey(QStringView address);
Key textKey(QStringView text);
} // namespace serverorder

// The server table in the order the user chose by a click on a column header; before any
// click, in the order of the list server's reply. Rows that arrive later take their place in the
// chosen order.
class ServerSortModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    // The columns of the server table, in the order start-up adds them.
    enum Column { NameColumn, TypeColumn, VersionColumn, PlayersColumn, AddressColumn };

    explicit ServerSortModel(ServerTableModel& servers, QObject* parent = nullptr);

    // The row of the server table behind a row as shown.
    int sourceRow(int shownRow) const;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    static serverorder::Key keyOf(int column, const ServerRow& row);

    ServerTableModel& m_servers;
    // The keys of the sorted column, one per row of the server table, made as rows are compared.
    mutable std::vector<serverorder::Key> m_keys;
    mutable int m_keysColumn = -1;
};
