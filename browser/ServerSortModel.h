#pragma once

#include <QSortFilterProxyModel>
#include <QStringView>

class ServerTableModel;

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
    ServerTableModel& m_servers;
};

namespace serverorder {
// Negative, zero or positive as a goes before, with or after b.
// Players as numbers, "3/16" before "10/16" before "10/32"; text without digits after all numbers.
int comparePlayers(QStringView a, QStringView b);
// IPv4 addresses by their value, then host names by their text, "Private" last.
int compareAddresses(QStringView a, QStringView b);
} // namespace serverorder
