#include "app/PanelBar.h"

#include "pages/Twips.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <QTimer>
#include <qdrawutil.h>

#include <functional>

namespace {

// A raised or sunken panel that acts as a button. Derived from QAbstractButton so that it is
// announced as a push button named by its text.
class PanelButton : public QAbstractButton {
public:
    PanelButton(const QString& text, bool sunken, QWidget* parent)
        : QAbstractButton(parent)
        , m_sunken(sunken)
    {
        setText(text);
        setFocusPolicy(Qt::TabFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const bool sunken = m_sunken || isDown();
        qDrawShadePanel(&painter, rect(), palette(), sunken, 1);
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = rect().adjusted(2, 2, -2, -2);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
    }

private:
    bool m_sunken;
};

// A heading, spacer or clock panel: text to read, but a click still reaches the bar's handler.
class PanelLabel : public QLabel {
public:
    PanelLabel(const QString& text, int frameStyle, std::function<void()> onClick, QWidget* parent)
        : QLabel(text, parent)
        , m_onClick(std::move(onClick))
    {
        setAlignment(Qt::AlignCenter);
        setFrameStyle(frameStyle);
        setLineWidth(1);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            m_onClick();
    }

private:
    std::function<void()> m_onClick;
};

} // namespace

QString timeFormatWithoutSeconds(const QString& format)
{
    QString result;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || c != u's') {
            result += c;
            continue;
        }
        while (!result.isEmpty() && !result.back().isLetter() && result.back() != u'\'')
            result.chop(1);
        while (i + 1 < format.size() && format[i + 1] == u's')
            ++i;
    }
    return result;
}

PanelBar::PanelBar(const std::vector<Panel>& panels, QWidget* parent, Now now)
    : QWidget(parent)
    , m_now(now ? std::move(now) : Now(&QDateTime::currentDateTime))
    , m_panels(panels)
{
    bool hasClock = false;
    for (size_t i = 0; i < m_panels.size(); ++i) {
        const Panel& panel = m_panels[i];
        QWidget* widget = nullptr;
        const auto click = [this, i] { Q_EMIT panelClicked(m_panels[i].action); };
        switch (panel.look) {
        case Look::Action:
        case Look::Inset: {
            auto* button = new PanelButton(panel.text, panel.look == Look::Inset, this);
            connect(button, &QAbstractButton::clicked, this, click);
            widget = button;
            break;
        }
        case Look::Heading:
        case Look::Spacer:
            widget = new PanelLabel(panel.text, QFrame::NoFrame, click, this);
            break;
        case Look::Time:
        case Look::Date:
            widget = new PanelLabel(QString(), QFrame::Panel | QFrame::Sunken, click, this);
            hasClock = true;
            break;
        }
        widget->setToolTip(panel.toolTip);
        m_widgets.push_back(widget);
    }
    if (hasClock) {
        m_clock = new QTimer(this);
        m_clock->setSingleShot(true);
        m_clock->setTimerType(Qt::PreciseTimer); // a coarse one may be seconds late
        connect(m_clock, &QTimer::timeout, this, &PanelBar::updateClocks);
        updateClocks();
    }
}

QString PanelBar::panelText(int index) const
{
    QWidget* widget = m_widgets.at(size_t(index));
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    return static_cast<QLabel*>(widget)->text();
}

void PanelBar::updateClocks()
{
    const QDateTime now = m_now();
    const QLocale locale;
    for (size_t i = 0; i < m_panels.size(); ++i) {
        auto* label = qobject_cast<QLabel*>(m_widgets[i]);
        if (m_panels[i].look == Look::Time)
            label->setText(locale.toString(
                now.time(), timeFormatWithoutSeconds(locale.timeFormat(QLocale::ShortFormat))));
        else if (m_panels[i].look == Look::Date)
            label->setText(locale.toString(now.date(), QLocale::ShortFormat));
    }
    // The date turns at midnight, which is a minute's turn too: one wake-up a minute, just after
    // the turn, keeps both current.
    const QTime time = now.time();
    const int wait = 60'000 - time.second() * 1000 - time.msec() + 20;
    m_clock->start(wait);
}

void PanelBar::resizeEvent(QResizeEvent*)
{
    layoutPanels();
}

// Panels keep their designed width at least; springs share what is left over. What does not fit
// at the right end is cut off by the bar's edge.
void PanelBar::layoutPanels()
{
    int used = 0;
    int springs = 0;
    for (const Panel& panel : m_panels) {
        used += twips::toPixels(panel.widthTwips);
        springs += panel.spring ? 1 : 0;
    }
    const int spare = std::max(0, width() - used);
    int left = 0;
    int springIndex = 0;
    for (size_t i = 0; i < m_panels.size(); ++i) {
        int panelWidth = twips::toPixels(m_panels[i].widthTwips);
        if (m_panels[i].spring && springs > 0) {
            // Spread the remainder so that the springs fill the bar exactly.
            panelWidth += spare * (springIndex + 1) / springs - spare * springIndex / springs;
            ++springIndex;
        }
        m_widgets[i]->setGeometry(left, 0, panelWidth, height());
        left += panelWidth;
    }
}
