#include "pages/LinkedServerModel.h"

#include <QApplication>
#include <QPalette>

namespace {
// The address is the last of the table's columns, the name its first.
constexpr int NameColumn = 0;
} // namespace

int LinkedServerModel::sourceRows() const
{
    return sourceModel() ? sourceModel()->rowCount() : 0;
}

int LinkedServerModel::linkedRow() const
{
    return hasLinkedServer() ? sourceRows() : -1;
}

bool LinkedServerModel::isLinkedRow(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && hasLinkedServer() &&
           index.row() == sourceRows();
}

void LinkedServerModel::setLinkedServer(const QString& shownAddress)
{
    if (shownAddress == m_address)
        return;
    const int row = sourceRows();
    if (hasLinkedServer()) {
        beginRemoveRows({}, row, row);
        m_address.clear();
        endRemoveRows();
    }
    if (!shownAddress.isEmpty()) {
        beginInsertRows({}, row, row);
        m_address = shownAddress;
        endInsertRows();
    }
}

int LinkedServerModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return sourceRows() + (hasLinkedServer() ? 1 : 0);
}

QModelIndex LinkedServerModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!parent.isValid() && hasLinkedServer() && row == sourceRows() && column >= 0 &&
        column < columnCount())
        return createIndex(row, column);
    return QIdentityProxyModel::index(row, column, parent);
}

QModelIndex LinkedServerModel::parent(const QModelIndex& child) const
{
    if (isLinkedRow(child))
        return {};
    return QIdentityProxyModel::parent(child);
}

QModelIndex LinkedServerModel::sibling(int row, int column, const QModelIndex& index) const
{
    return this->index(row, column, parent(index));
}

QModelIndex LinkedServerModel::mapToSource(const QModelIndex& proxyIndex) const
{
    if (isLinkedRow(proxyIndex) || (proxyIndex.isValid() && proxyIndex.row() >= sourceRows()))
        return {};
    return QIdentityProxyModel::mapToSource(proxyIndex);
}

QVariant LinkedServerModel::data(const QModelIndex& index, int role) const
{
    if (!isLinkedRow(index))
        return QIdentityProxyModel::data(index, role);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        if (index.column() == NameColumn)
            return LinkedName;
        if (index.column() == columnCount() - 1)
            return m_address;
        return QString();
    case Qt::ForegroundRole:
        return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
    default:
        return {};
    }
}

Qt::ItemFlags LinkedServerModel::flags(const QModelIndex& index) const
{
    if (isLinkedRow(index))
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    return QIdentityProxyModel::flags(index);
}

void LinkedServerModel::sort(int column, Qt::SortOrder order)
{
    if (sourceModel())
        sourceModel()->sort(column, order);
}
