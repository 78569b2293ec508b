#pragma once

#include <QIdentityProxyModel>
#include <QString>

// The server table as shown, with one more row at its end while a join link names a server that
// is not in the list: greyed, selectable, and not one of the listed servers. Every other row is
// the table's own; sorting still orders only those.
class LinkedServerModel : public QIdentityProxyModel {
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    // Shows (or, with an empty text, takes away) the row of a linked server.
    void setLinkedServer(const QString& shownAddress);
    bool hasLinkedServer() const { return !m_address.isEmpty(); }
    int linkedRow() const; // -1 without one
    bool isLinkedRow(const QModelIndex& index) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    QModelIndex sibling(int row, int column, const QModelIndex& index) const override;
    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    void sort(int column, Qt::SortOrder order) override;

    static inline const QString LinkedName = QStringLiteral("(from a link)");

private:
    int sourceRows() const;

    QString m_address;
};
