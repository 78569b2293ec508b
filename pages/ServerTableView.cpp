#include "pages/ServerTableView.h"

#include "browser/ServerTableModel.h"

#include <QEvent>
#include <QStyledItemDelegate>

namespace {

class GreyingDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!index.data(ServerTableModel::ListedRole).toBool())
            option->palette.setColor(QPalette::Text,
                                     option->palette.color(QPalette::Disabled, QPalette::Text));
    }
};

} // namespace

ServerTableView::ServerTableView(QWidget* parent)
    : QTreeView(parent)
{
    setItemDelegate(new GreyingDelegate(this));
}

void ServerTableView::setBottomBand(int height)
{
    m_band = height;
    updateGeometries();
}

void ServerTableView::updateGeometries()
{
    QTreeView::updateGeometries();
    QMargins margins = viewportMargins();
    if (margins.bottom() != m_band) {
        margins.setBottom(m_band);
        setViewportMargins(margins);
    }
    Q_EMIT areasChanged();
}

bool ServerTableView::viewportEvent(QEvent* event)
{
    // The scroll bars come and go with the rows, and the viewport's size with them.
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move)
        Q_EMIT areasChanged();
    return QTreeView::viewportEvent(event);
}

QRect ServerTableView::rowArea() const
{
    return viewport()->geometry().translated(geometry().topLeft());
}

QRect ServerTableView::bottomBand() const
{
    const QRect rows = rowArea();
    return QRect(rows.left(), rows.bottom() + 1, rows.width(), m_band);
}
