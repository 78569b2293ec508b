#pragma once

#include "app/Form1.h"
#include "app/PanelBar.h"
#include "app/TabStrip.h"

#include <QTabBar>
#include <QTest>

// Looks up a control of the window by its name; fails the test when it is missing. The main
// window's pages are built first, as they are right after its first paint.
template <typename Widget> Widget* control(QWidget& window, const char* name)
{
    if (auto* form = qobject_cast<Form1*>(&window))
        form->buildPages();
    auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
    if (!widget)
        qWarning("no control named %s of the expected kind", name);
    return widget;
}

// Chooses a tab with the mouse, as the user does.
inline void chooseTab(QWidget& window, int index)
{
    auto* strip = control<TabStrip>(window, "Tab1");
    QTabBar& bar = strip->bar();
    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.tabRect(index - 1).center());
}

// Clicks the panel that shows the given text on the named bar.
inline bool clickPanel(QWidget& window, const char* bar, const QString& text)
{
    auto* panels = control<PanelBar>(window, bar);
    for (int i = 0; panels && i < panels->count(); ++i) {
        if (panels->panelText(i) == text) {
            QTest::mouseClick(panels->panelWidget(i), Qt::LeftButton);
            return true;
        }
    }
    return false;
}
