#include "app/TabStrip.h"

#include "app/Fonts.h"

#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

TabStrip::TabStrip(QWidget* parent)
    : QWidget(parent)
    , m_bar(new QTabBar(this))
{
    m_bar->setFont(fonts::tabStrip());
    // Tabs as wide as their captions with a small margin, as the classic tab strip drew them;
    // the style's own padding would push the last tabs out of the strip.
    m_bar->setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 2px 5px; margin-top: 2px; border: 1px solid palette(mid);"
        " border-bottom: none; border-top-left-radius: 3px; border-top-right-radius: 3px;"
        " background: palette(button); }"
        "QTabBar::tab:selected { margin-top: 0px; background: palette(window); }"));
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
