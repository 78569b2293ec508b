#pragma once

#include "browser/ServerRow.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

// The rows of the server table. Columns exist only once start-up has added them.
class ServerTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void addColumn(const QString& header);
    void clear();
    void append(std::vector<ServerRow>&& rows); // moves the rows in
    const ServerRow& row(int index) const { return m_rows.at(size_t(index)); }

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
};
