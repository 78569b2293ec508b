#pragma once

#include "browser/ServerColumns.h"
#include "browser/ServerRow.h"

#include <QAbstractTableModel>
#include <QSet>
#include <QStringList>

#include <vector>

// A row of the table that the list server did not send: a favourite that is not listed now, or
// a server the user reached some other way. It shows its cells greyed after the listed rows, and
// its note in every tooltip.
struct ExtraRow {
    QStringList cells; // one text per column
    QString note;      // for instance "not listed now"
    bool launchable = false;
};

// The rows of the server table: those of the list server's reply, in its order, then the extra
// rows. Columns exist only once start-up has added them.
class ServerTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // True for a row of the reply, false for an extra row.
    static constexpr int ListedRole = Qt::UserRole + 1;
    // What marks a favourite in its Server Name cell.
    static inline const QString FavouriteMark = QStringLiteral("\u2605 ");

    using QAbstractTableModel::QAbstractTableModel;

    void addColumn(const QString& header);
    void clear(); // the listed rows; the extra rows stay
    void append(std::vector<ServerRow>&& rows); // moves the rows in
    const ServerRow& row(int index) const { return m_rows.at(size_t(index)); }
    int listedCount() const { return int(m_rows.size()); }

    void setExtraRows(std::vector<ExtraRow> rows);
    bool isListed(int index) const { return index < listedCount(); }
    // Only a listed public row, or an extra row made launchable, can be joined.
    bool isLaunchable(int index) const;

    // Addresses whose rows carry the favourite mark.
    void setFavourites(QSet<QString> addresses);
    bool isFavourite(int index) const;

    // The text of a cell as the server gave it (no mark, not shortened).
    QString cell(int index, servercolumns::Column column) const;
    QString address(int index) const { return cell(index, servercolumns::Address); }

    // A cell shows at most this many characters, then an ellipsis. A server may send a name of
    // any length, and laying out a megabyte of text on every repaint would freeze the window.
    static constexpr qsizetype MaxShownLength = 256;
    static QString shownText(QString text);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_headers;
    std::vector<ServerRow> m_rows;
    std::vector<ExtraRow> m_extra;
    QSet<QString> m_favourites;
};
