#include "browser/ServerTableModel.h"

void ServerTableModel::addColumn(const QString& header)
{
    beginInsertColumns({}, int(m_headers.size()), int(m_headers.size()));
    m_headers.append(header);
    endInsertColumns();
}

void ServerTableModel::clear()
{
    if (m_rows.empty())
        return;
    // A reset, not a removal: a list may hold a million rows, and the views let go of them all
    // at once.
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void ServerTableModel::append(std::vector<ServerRow>&& rows)
{
    if (rows.empty())
        return;
    // Listed rows go before the extra rows, which stay at the end.
    const int first = listedCount();
    beginInsertRows({}, first, first + int(rows.size()) - 1);
    m_rows.insert(m_rows.end(), std::make_move_iterator(rows.begin()),
                  std::make_move_iterator(rows.end()));
    rows.clear();
    endInsertRows();
}

void ServerTableModel::setExtraRows(std::vector<ExtraRow> rows)
{
    const int first = listedCount();
    if (!m_extra.empty()) {
        beginRemoveRows({}, first, first + int(m_extra.size()) - 1);
        m_extra.clear();
        endRemoveRows();
    }
    if (rows.empty())
        return;
    beginInsertRows({}, first, first + int(rows.size()) - 1);
    m_extra = std::move(rows);
    endInsertRows();
}

bool ServerTableModel::isLaunchable(int index) const
{
    if (index < 0 || index >= rowCount())
        return false;
    if (isListed(index))
        return !row(index).isPrivate();
    return m_extra[size_t(index - listedCount())].launchable;
}

void ServerTableModel::setFavourites(QSet<QString> addresses)
{
    m_favourites = std::move(addresses);
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, servercolumns::Name), index(rowCount() - 1, servercolumns::Name));
}

bool ServerTableModel::isFavourite(int index) const
{
    if (m_favourites.isEmpty())
        return false;
    if (isListed(index) && row(index).isPrivate())
        return false;
    return m_favourites.contains(address(index));
}

QString ServerTableModel::cell(int index, servercolumns::Column column) const
{
    if (!isListed(index)) {
        const ExtraRow& extra = m_extra[size_t(index - listedCount())];
        return extra.cells.value(column);
    }
    const ServerRow& server = m_rows[size_t(index)];
    switch (column) {
    case servercolumns::Name:
        return server.name();
    case servercolumns::Type:
        return server.type();
    case servercolumns::Version:
        return server.version();
    case servercolumns::Players:
        return server.players();
    case servercolumns::Address:
        return server.address();
    }
    return {};
}

int ServerTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size() + m_extra.size());
}

int ServerTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant ServerTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() >= int(servercolumns::All.size()))
        return {};
    if (role == ListedRole)
        return isListed(index.row());
    // Screen readers say why a row is greyed.
    if (role == Qt::AccessibleDescriptionRole)
        return isListed(index.row()) ? QVariant()
                                     : QVariant(m_extra[size_t(index.row() - listedCount())].note);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const auto column = servercolumns::Column(index.column());
    QString text = shownText(cell(index.row(), column));
    if (column == servercolumns::Name && isFavourite(index.row()))
        text.prepend(FavouriteMark);
    if (role == Qt::DisplayRole)
        return text;
    if (!isListed(index.row()))
        text += u'\n' + m_extra[size_t(index.row() - listedCount())].note;
    // A tooltip that looks like markup is shown as markup; what a server sends stays text.
    if (text.contains(u'<'))
        return QStringLiteral("<p style=\"white-space:pre\">") + text.toHtmlEscaped() +
               QStringLiteral("</p>");
    return text;
}

QString ServerTableModel::shownText(QString text)
{
    if (text.size() > MaxShownLength) {
        text.truncate(MaxShownLength);
        text.append(u'\u2026');
    }
    // A cell is one line: a tab or another control character would cut the text off there.
    for (QChar& c : text) {
        if (c.unicode() < 0x20)
            c = u' ';
    }
    return text;
}

QVariant ServerTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    // A first click on any header sorts upwards; the second reverses.
    if (orientation == Qt::Horizontal && role == Qt::InitialSortOrderRole)
        return int(Qt::AscendingOrder);
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_headers.size())
        return m_headers.at(section);
    return {};
}
