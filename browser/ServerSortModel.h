#pragma once

#include "browser/PlayerCount.h"

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

// The server table in the order the user chose: by a click on a column header, by most players,
// favourites first; before any choice, in the order of the list server's reply. Rows that arrive
// later take their place in the chosen order. Rows that the list server did not send stay after
// its rows, whatever the order. It also hides the rows that the user's filters leave out.
class ServerSortModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    struct Filters {
        bool hideEmpty = false; // no players, or players that do not parse
        bool hideFull = false;
        bool hidePrivate = false;
        bool operator==(const Filters&) const = default;
    };

    explicit ServerSortModel(ServerTableModel& servers, QObject* parent = nullptr);

    // The row of the server table behind a row as shown; -1 for none.
    int sourceRow(int shownRow) const;

    void setFilters(Filters filters);
    Filters filters() const { return m_filters; }
    // Rows whose name, type or version hold text, case and colour codes aside; all for none.
    void setFindText(const QString& text);
    bool hidesAnything() const;
    // Listed rows (of the reply) that the filters leave shown.
    int shownListedCount() const;

    // Favourites before the other rows, in whatever order is chosen.
    void setFavouritesFirst(bool first);
    bool favouritesFirst() const { return m_favouritesFirst; }
    // Most players first; rows whose players do not parse count as none.
    void sortByPlayers();
    // The favourites have changed: their rows move if they go first.
    void favouritesChanged();

    // A header click: the rows in the order of that column.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    enum class Order { ByColumn, ByReply, ByPlayers };
    // What the filters look at in a row, made once per row.
    struct Facts {
        bool made = false;
        bool isPrivate = false;
        PlayerCount players;
        QString search;
    };

    static serverorder::Key keyOf(int column, const QString& text);
    const Facts& factsOf(int sourceRow) const;
    void forgetFrom(int sourceRow);
    void sortBy(Order order, int column, Qt::SortOrder direction);

    ServerTableModel& m_servers;
    // The keys of the sorted column, one per row of the server table, made as rows are compared.
    mutable std::vector<serverorder::Key> m_keys;
    mutable int m_keysColumn = -1;
    mutable std::vector<Facts> m_facts;
    Order m_order = Order::ByColumn;
    bool m_favouritesFirst = false;
    Filters m_filters;
    QString m_find; // as searchText gives it
};
