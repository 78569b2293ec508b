#pragma once

#include <QDateTime>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class QTimer;

// A status bar made of panels that serve as a row of small buttons, headings and clocks.
// Every panel is a child widget of its own (a button or a label), so screen readers see each
// one with its role and its text.
class PanelBar : public QWidget {
    Q_OBJECT
public:
    enum class Look { Heading, Action, Inset, Spacer, Time, Date };

    // What a click on a panel does; the main window carries it out.
    enum class Action {
        None,
        Patch,
        Shareware,
        Help,
        Minimise,
        Close,
        Brix2Online,
        Bcf,
        DailyPindle,
        Email,
        NewWindow,
        ServersInTelnet,
        ServersInfo,
        PellamMirror,
    };
    Q_ENUM(Action)

    struct Panel {
        QString text;
        QString toolTip;
        int widthTwips = 0; // a panel never gets narrower than this
        Look look = Look::Heading;
        bool spring = false; // springs share the bar's spare width
        Action action = Action::None;
    };

    // Where the clocks read the time; by default the system's.
    using Now = std::function<QDateTime()>;

    explicit PanelBar(const std::vector<Panel>& panels, QWidget* parent = nullptr, Now now = {});

    int count() const { return int(m_widgets.size()); }
    QWidget* panelWidget(int index) const { return m_widgets.at(size_t(index)); }
    QString panelText(int index) const;
    Action panelAction(int index) const { return m_panels.at(size_t(index)).action; }

Q_SIGNALS:
    // Raised for a click on any panel, action or not.
    void panelClicked(PanelBar::Action action);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutPanels();
    // Shows the clock panels' current time and date, and sets the bar's own timer for the next
    // turn of the minute: one wake-up a minute. (Checking the time on the player's 10 ms tick
    // instead cost the idle launcher a tenth more CPU.) Only a bar with a clock panel has that
    // timer.
    void updateClocks();

    Now m_now;
    std::vector<Panel> m_panels;
    std::vector<QWidget*> m_widgets;
    QTimer* m_clock = nullptr;
};

// A time format without its seconds, and without the separator that led to them: a status-bar
// clock shows hours and minutes, though some locales' short format (the C locale's) has seconds.
QString timeFormatWithoutSeconds(const QString& format);
