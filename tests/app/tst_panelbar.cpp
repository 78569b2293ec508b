#include "app/PanelBar.h"
#include "app/StatusPanels.h"
#include "pages/Twips.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class TestPanelBar : public QObject {
    Q_OBJECT

private:
    static QList<int> widths(const PanelBar& bar)
    {
        QList<int> result;
        for (int i = 0; i < bar.count(); ++i)
            result.append(bar.panelWidget(i)->width());
        return result;
    }

private Q_SLOTS:
    void springsShareTheSpareWidthExactly()
    {
        PanelBar bar(statusBar3Panels());
        bar.resize(twips::toPixels(7785), twips::toPixels(270));
        bar.show();
        const QList<int> shown = widths(bar);
        const QList<int> designed = {1440, 1440, 1440, 2535, 270, 270, 270};
        int total = 0;
        for (int i = 0; i < shown.size(); ++i) {
            QVERIFY(shown[i] >= twips::toPixels(designed[i]));
            total += shown[i];
        }
        QCOMPARE(total, bar.width());
        // Panels follow each other without gaps.
        for (int i = 1; i < bar.count(); ++i)
            QCOMPARE(bar.panelWidget(i)->x(), bar.panelWidget(i - 1)->geometry().right() + 1);
    }

    // Where the time shows seconds (the C locale's does), the clock must not wake only once a
    // minute, or the seconds stand still.
    void aClockWithSecondsWakesEverySecond()
    {
        QLocale::setDefault(QLocale::c());
        PanelBar bar({{QStringLiteral("time"), {}, 900, PanelBar::Look::Time}});
        QLocale::setDefault(QLocale::system());
        const auto* clock = bar.findChild<QTimer*>();
        QVERIFY(clock);
        QVERIFY(QLocale::c().timeFormat(QLocale::ShortFormat).contains(u's'));
        QVERIFY2(clock->remainingTime() <= 1020, qPrintable(QString::number(clock->remainingTime())));
    }

    // A clock that follows the window's tick has no wake-up of its own, and still turns.
    void aClockFollowingATickStillTurns()
    {
        QLocale::setDefault(QLocale::c());
        PanelBar bar({{QStringLiteral("time"), {}, 900, PanelBar::Look::Time}});
        QTimer tick;
        tick.start(10);
        bar.followTick(&tick);
        const QString shown = bar.panelText(0);
        QVERIFY(!bar.findChild<QTimer*>()->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(bar.panelText(0) != shown, 2500);
        QLocale::setDefault(QLocale::system());
    }

    void whatDoesNotFitIsCutOffAtTheRight()
    {
        PanelBar bar(statusBar2Panels());
        bar.resize(twips::toPixels(7785), twips::toPixels(270));
        bar.show();
        // The designed widths add up to more than the bar: nobody grows, nobody shrinks.
        const QList<int> designed = {900, 1440, 1440, 1440, 1440, 1440};
        for (int i = 0; i < bar.count(); ++i)
            QCOMPARE(bar.panelWidget(i)->width(), twips::toPixels(designed[i]));
        QVERIFY(bar.panelWidget(5)->geometry().right() > bar.width());
    }

    void everyPanelClickReportsItsOwnAction()
    {
        PanelBar bar(statusBar1Panels());
        bar.resize(600, 18);
        bar.show();
        QSignalSpy clicks(&bar, &PanelBar::panelClicked);
        for (int i = 0; i < bar.count(); ++i)
            QTest::mouseClick(bar.panelWidget(i), Qt::LeftButton);
        QCOMPARE(clicks.count(), bar.count());
        using Action = PanelBar::Action;
        const std::vector<Action> expected = {
            Action::None,        Action::NewWindow,    Action::ServersInTelnet,
            Action::ServersInfo, Action::PellamMirror, Action::None};
        for (int i = 0; i < bar.count(); ++i)
            QCOMPARE(clicks[i][0].value<Action>(), expected[size_t(i)]);
        QVERIFY(!bar.panelText(5).isEmpty()); // the date
    }

    void screenReadersSeeButtonsAndLabelsByTheirText()
    {
        PanelBar bar(statusBar3Panels());
        bar.resize(600, 18);
        bar.show();
        struct Expect {
            int index;
            QAccessible::Role role;
            const char* name;
        };
        for (const Expect& expect :
             {Expect{0, QAccessible::StaticText, "Downloads"},
              Expect{1, QAccessible::Button, "1.23 Patch"}, Expect{4, QAccessible::Button, "?"},
              Expect{6, QAccessible::Button, "X"}}) {
            QAccessibleInterface* panel =
                QAccessible::queryAccessibleInterface(bar.panelWidget(expect.index));
            QVERIFY(panel);
            QCOMPARE(panel->role(), expect.role);
            QCOMPARE(panel->text(QAccessible::Name), QString::fromLatin1(expect.name));
        }
        QCOMPARE(bar.panelWidget(6)->toolTip(), QStringLiteral("Close Me"));
    }
};

QTEST_MAIN(TestPanelBar)
#include "tst_panelbar.moc"
