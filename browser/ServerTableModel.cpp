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
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void ServerTableModel::append(std::vector<ServerRow>&& rows)
{
    if (rows.empty())
        return;
    const int first = int(m_rows.size());
    beginInsertRows({}, first, first + int(rows.size()) - 1);
    m_rows.insert(m_rows.end(), std::make_move_iterator(rows.begin()),
                  std::make_move_iterator(rows.end()));
    rows.clear();
    endInsertRows();
}

int ServerTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ServerTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant ServerTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const ServerRow& row = m_rows[size_t(index.row())];
    QString text;
    switch (index.column()) {
    case 0:
        text = row.name();
        break;
    case 1:
        text = row.type();
        break;
    case 2:
        text = row.version();
        break;
    case 3:
        text = row.players();
        break;
    case 4:
        text = row.address();
        break;
    default:
        return {};
    }
    text = shownText(std::move(text));
    // A tooltip that looks like markup is shown as markup; what a server sends stays text.
    if (role == Qt::ToolTipRole && text.contains(u'<'))
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
