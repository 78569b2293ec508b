#include "pages/ServerTableView.h"

#include "browser/ServerTableModel.h"

#include <QEvent>
#include <QHeaderView>
#include <QStyleOptionHeader>
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

// Qt measures a header section in the bold face of the header's font, which it uses for
// highlighted sections; this header never highlights one, and measured in its own font it spares
// loading a second face of the font before the first paint.
class Header : public QHeaderView {
public:
    using QHeaderView::QHeaderView;

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override
    {
        if (!model())
            return {};
        ensurePolished();
        QStyleOptionHeader option;
        initStyleOption(&option);
        option.section = logicalIndex;
        option.fontMetrics = fontMetrics();
        option.text = model()->headerData(logicalIndex, orientation()).toString();
        QSize size = style()->sizeFromContents(QStyle::CT_HeaderSection, &option, {}, this);
        if (isSortIndicatorShown() && sortIndicatorSection() == logicalIndex)
            size.rwidth() += size.height() + style()->pixelMetric(QStyle::PM_HeaderMargin);
        return size;
    }
};

} // namespace

ServerTableView::ServerTableView(QWidget* parent)
    : QTreeView(parent)
{
    // As the tree view's own header is set up.
    auto* header = new Header(Qt::Horizontal, this);
    header->setSectionsMovable(true);
    header->setStretchLastSection(true);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setHeader(header);
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
