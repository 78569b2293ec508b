#include "app/TabStrip.h"

#include "app/Fonts.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionFocusRect>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace {

// Tabs as wide as their captions with a small margin, as the classic tab strip drew them (the
// style's own padding would push the last tabs out of the strip): a thin frame open at the
// bottom with rounded top corners; the chosen tab stands 2 pixels higher, in the window's
// colour. Drawn here rather than through a style sheet, whose style engine costs start-up
// time and memory for these few lines.
class ClassicTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    static constexpr int PaddingX = 5, PaddingY = 2, Lowered = 2;

    QSize tabSizeHint(int index) const override
    {
        const QFontMetrics metrics = fontMetrics();
        return {metrics.horizontalAdvance(tabText(index)) + 2 * PaddingX + 2,
                metrics.height() + 2 * PaddingY + 1 + Lowered};
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        for (int index = 0; index < count(); ++index) {
            const bool chosen = index == currentIndex();
            const QRectF shape =
                QRectF(tabRect(index)).adjusted(0.5, chosen ? 0.5 : Lowered + 0.5, -0.5, 0.5);
            QPainterPath outline;
            outline.moveTo(shape.bottomLeft());
            outline.lineTo(shape.left(), shape.top() + 3);
            outline.quadTo(shape.topLeft(), QPointF(shape.left() + 3, shape.top()));
            outline.lineTo(shape.right() - 3, shape.top());
            outline.quadTo(shape.topRight(), QPointF(shape.right(), shape.top() + 3));
            outline.lineTo(shape.bottomRight());
            painter.fillPath(outline,
                             palette().brush(chosen ? QPalette::Window : QPalette::Button));
            painter.setPen(palette().color(QPalette::Mid));
            painter.drawPath(outline);
            painter.setPen(palette().color(chosen ? QPalette::WindowText : QPalette::ButtonText));
            // The captions stand in one line, the chosen one's too.
            const QRect text = tabRect(index).adjusted(1, Lowered + 1, -1, 0);
            painter.drawText(text, Qt::AlignCenter | Qt::TextShowMnemonic, tabText(index));
            if (chosen && hasFocus()) {
                QStyleOptionFocusRect focus;
                focus.initFrom(this);
                focus.rect = text.adjusted(2, 1, -2, -1);
                style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
            }
        }
    }
};

} // namespace

TabStrip::TabStrip(QWidget* parent)
    : QWidget(parent)
    , m_bar(new ClassicTabBar(this))
{
    m_bar->setFont(fonts::tabStrip());
    m_bar->setExpanding(false);
    m_bar->setDrawBase(false);
    m_bar->setUsesScrollButtons(false);
    // A click on a tab takes the keyboard too, as a Windows tab strip does, so that a Space
    // meant for the page no longer goes to a status-bar panel pressed before.
    m_bar->setFocusPolicy(Qt::StrongFocus);
    connect(m_bar, &QTabBar::currentChanged, this, &TabStrip::clicked);
    // Choosing the tab already shown changes nothing in the bar but is still a choice.
    connect(m_bar, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index == m_bar->currentIndex())
            Q_EMIT clicked();
    });
}

void TabStrip::addTab(const QString& caption, const QString& toolTip)
{
    const QSignalBlocker noClickWhileBuilding(m_bar);
    const int index = m_bar->addTab(caption);
    m_bar->setTabToolTip(index, toolTip);
    m_bar->resize(width(), m_bar->sizeHint().height());
}

int TabStrip::selectedIndex() const
{
    return m_bar->currentIndex() + 1;
}

QString TabStrip::selectedCaption() const
{
    return m_bar->tabText(m_bar->currentIndex());
}

void TabStrip::select(int index)
{
    m_bar->setCurrentIndex(index - 1);
}

void TabStrip::resizeEvent(QResizeEvent*)
{
    m_bar->resize(width(), m_bar->sizeHint().height());
}

void TabStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    const int top = m_bar->height() - 1;
    frame.rect = rect().adjusted(0, top, 0, 0);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarRect = m_bar->geometry();
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}
