#include "app/PanelBar.h"
#include "app/StatusPanels.h"
#include "pages/Twips.h"

#include <QAccessible>
#include <QScopeGuard>
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

    void theTimeShowsHoursAndMinutes_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("shown");
        QTest::newRow("C locale") << "HH:mm:ss" << "HH:mm";
        QTest::newRow("seconds before the day half") << "h:mm:ss AP" << "h:mm AP";
        QTest::newRow("dots, one s") << "H.mm.s" << "H.mm";
        QTest::newRow("quoted s kept") << "'s' HH:mm:ss 'Uhr'" << "'s' HH:mm 'Uhr'";
        QTest::newRow("no seconds") << "HH:mm" << "HH:mm";
    }

    void theTimeShowsHoursAndMinutes()
    {
        QFETCH(QString, format);
        QFETCH(QString, shown);
        QCOMPARE(timeFormatWithoutSeconds(format), shown);
    }

    // The clocks turn with the minute and the date with the day, on the bar's own timer.
    void theClocksTurnWithTheMinute()
    {
        QLocale::setDefault(QLocale::c());
        const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::system()); });
        QDateTime now(QDate(2026, 12, 8), QTime(23, 59, 59, 950));
        PanelBar bar({{QStringLiteral("time"), {}, 900, PanelBar::Look::Time},
                      {QStringLiteral("date"), {}, 900, PanelBar::Look::Date}},
                     nullptr, [&now] { return now; });
        QCOMPARE(bar.panelText(0), QStringLiteral("23:59"));
        now = now.addMSecs(100);
        QTRY_COMPARE(bar.panelText(0), QStringLiteral("00:00"));
        QCOMPARE(bar.panelText(1), QLocale::c().toString(QDate(2026, 12, 9), QLocale::ShortFormat));
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
