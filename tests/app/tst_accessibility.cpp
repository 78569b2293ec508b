// Every control of the main window reaches a screen reader with a role and a name.
#include "FakeServices.h"
#include "WindowTestHelpers.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabBar>

class TestAccessibility : public QObject {
    Q_OBJECT

private:
    static bool isControl(QWidget* widget)
    {
        return qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
               qobject_cast<QAbstractItemView*>(widget) || qobject_cast<QScrollBar*>(widget) ||
               qobject_cast<QGroupBox*>(widget) || qobject_cast<QTabBar*>(widget) ||
               (qobject_cast<QLabel*>(widget) && !qobject_cast<QLabel*>(widget)->text().isEmpty());
    }

    static bool partOfAnItemView(QWidget* widget)
    {
        for (QWidget* up = widget->parentWidget(); up; up = up->parentWidget())
            if (qobject_cast<QAbstractItemView*>(up))
                return true;
        return false;
    }

    static QString visibleText(QWidget* widget)
    {
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            return button->text();
        if (auto* label = qobject_cast<QLabel*>(widget))
            return label->text();
        if (auto* box = qobject_cast<QGroupBox*>(widget))
            return box->title();
        return {};
    }

private Q_SLOTS:
    void everyControlHasARoleAndAName()
    {
        FakeServices fakes;
        Form1 window(fakes.services());
        window.show();
        // A caption that looks like markup, as a level's file name may, is read as it is.
        control<QLabel>(window, "Label10")->setText(QStringLiteral("<s>old.b2l"));
        int checked = 0;
        for (QWidget* widget : window.findChildren<QWidget*>()) {
            // An empty caption on a page must not borrow the page's title as its name.
            auto* label = qobject_cast<QLabel*>(widget);
            if (auto* page = qobject_cast<QGroupBox*>(widget->parentWidget());
                label && label->text().isEmpty() && page)
                QVERIFY2(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name) !=
                             page->title(),
                         qPrintable(widget->objectName()));
            if (!isControl(widget) ||
                widget->objectName() == QLatin1String("qt_scrollarea_hcontainer"))
                continue;
            // Headers and scroll bars of a list or table are parts of that control, which
            // announces them itself.
            if (widget->objectName().isEmpty() && partOfAnItemView(widget))
                continue;
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            QVERIFY2(accessible, qPrintable(widget->objectName()));
            const QString name = accessible->text(QAccessible::Name);
            const QString what = widget->objectName() + QLatin1Char(' ') +
                                 QString::fromLatin1(widget->metaObject()->className());
            QVERIFY2(accessible->role() != QAccessible::NoRole &&
                         accessible->role() != QAccessible::Client,
                     qPrintable(what));
            QVERIFY2(!name.trimmed().isEmpty(), qPrintable(what + QStringLiteral(" has no name")));
            const QString text = visibleText(widget);
            if (!text.isEmpty())
                QVERIFY2(name == text, qPrintable(what + QStringLiteral(": named '") + name +
                                                  QStringLiteral("' instead of its caption '") +
                                                  text + QLatin1Char('\'')));
            ++checked;
        }
        QVERIFY(checked > 60);
    }

    void theSetupPageIsWalkedInItsDesignedOrder()
    {
        FakeServices fakes;
        Form1 window(fakes.services());
        window.show();
        chooseTab(window, 4);
        QWidget* first = control<QWidget>(window, "TempBrixDir");
        QStringList order{first->objectName()};
        for (QWidget* w = first->nextInFocusChain(); w != first && order.size() < 16;
             w = w->nextInFocusChain())
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&window) &&
                window.findChild<QWidget*>(QStringLiteral("Setup"))->isAncestorOf(w))
                order.append(w->objectName());
        QCOMPARE(order, (QStringList{QStringLiteral("TempBrixDir"), QStringLiteral("Command1"),
                                     QStringLiteral("Command2"), QStringLiteral("Command3"),
                                     QStringLiteral("Alias"), QStringLiteral("Command6"),
                                     QStringLiteral("Command7"), QStringLiteral("FurColors"),
                                     QStringLiteral("Command8"), QStringLiteral("Command9"),
                                     QStringLiteral("Brix"), QStringLiteral("Vosk"),
                                     QStringLiteral("Nyla"), QStringLiteral("Command10"),
                                     QStringLiteral("Command11")}));
    }

    void theTabsAreAnnouncedByTheirCaptions()
    {
        FakeServices fakes;
        Form1 window(fakes.services());
        window.show();
        QTabBar& bar = control<TabStrip>(window, "Tab1")->bar();
        QAccessibleInterface* tabs = QAccessible::queryAccessibleInterface(&bar);
        QVERIFY(tabs);
        QStringList names;
        for (int i = 0; i < tabs->childCount(); ++i)
            if (tabs->child(i)->role() == QAccessible::PageTab)
                names.append(tabs->child(i)->text(QAccessible::Name));
        QCOMPARE(names, (QStringList{QStringLiteral("Join Game"), QStringLiteral("Host Game"),
                                     QStringLiteral("File Manager"), QStringLiteral("Setup"),
                                     QStringLiteral("Mod Player"), QStringLiteral("Credits")}));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
