#include "FakeServices.h"
#include "WindowTestHelpers.h"

#include "app/Form2.h"
#include "app/StatusPanels.h"

#include <QApplication>

namespace {

int helpWindows()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += qobject_cast<Form2*>(widget) != nullptr;
    return count;
}

} // namespace

class TestPanels : public QObject {
    Q_OBJECT

private:
    static FakeServices* makeFakes()
    {
        auto* fakes = new FakeServices;
        fakes->listServers.primary.host = QStringLiteral("127.0.0.1");
        fakes->listServers.pellamMirror.host = QStringLiteral("fd00::2"); // bracketed in addresses
        return fakes;
    }

private Q_SLOTS:
    void linkPanelsOpenTheirAddresses()
    {
        std::unique_ptr<FakeServices> fakes(makeFakes());
        Form1 window(fakes->services());
        window.show();
        const struct {
            const char* bar;
            QString panel;
            QString address;
        } links[] = {
            {"StatusBar3", QStringLiteral("1.23 Patch"),
             QStringLiteral("http://") + hosts::OfficialSite +
                 QStringLiteral("/files/b2patch_123r.exe")},
            {"StatusBar3", QStringLiteral("1.23 Shareware"),
             QStringLiteral("ftp://") + hosts::SharewareFtp +
                 QStringLiteral("/pub/old-demos/Brix2swf.exe")},
            {"StatusBar2", QStringLiteral("Brix 2 Online"),
             QStringLiteral("http://") + hosts::CommunitySite},
            {"StatusBar2", QStringLiteral("BCF"),
             QStringLiteral("http://") + hosts::CommunitySite + QStringLiteral("/bcf/")},
            {"StatusBar2", QStringLiteral("The Daily Pindle"),
             QStringLiteral("http://") + hosts::OfficialSite},
            {"StatusBar2", QStringLiteral("eMail ") + hosts::AuthorNickname,
             QStringLiteral("mailto:") + hosts::AuthorEmail},
            {"StatusBar1", QStringLiteral("Servers in Telnet"),
             QStringLiteral("telnet://127.0.0.1:10057")},
            {"StatusBar1", QStringLiteral("Servers Info"),
             QStringLiteral("telnet://127.0.0.1:10055")},
            {"StatusBar1", QStringLiteral("PL's Server Mirrors"),
             QStringLiteral("telnet://[fd00::2]:10057")},
        };
        for (const auto& link : links) {
            fakes->urls.opened.clear();
            QVERIFY2(clickPanel(window, link.bar, link.panel), qPrintable(link.panel));
            QCOMPARE(fakes->urls.opened, QList<QUrl>{QUrl(link.address)});
        }
        QVERIFY(fakes->programs.started.empty());
        QVERIFY(fakes->messages.shown.empty());
        QVERIFY(window.isVisible() && !window.isMinimized());
    }

    void panelsWithoutAnActionDoNothing()
    {
        std::unique_ptr<FakeServices> fakes(makeFakes());
        Form1 window(fakes->services());
        window.show();
        const struct {
            const char* bar;
            int index;
        } idle[] = {{"StatusBar3", 0}, {"StatusBar3", 3}, {"StatusBar2", 0},
                    {"StatusBar2", 5}, {"StatusBar1", 0}, {"StatusBar1", 5}};
        for (const auto& panel : idle) {
            auto* bar = control<PanelBar>(window, panel.bar);
            QTest::mouseClick(bar->panelWidget(panel.index), Qt::LeftButton);
        }
        QVERIFY(fakes->urls.opened.isEmpty());
        QVERIFY(fakes->programs.started.empty());
        QVERIFY(fakes->messages.shown.empty());
        QVERIFY(!window.helpWindow());
        QVERIFY(window.isVisible() && !window.isMinimized());
    }

    void anAddressThatCannotBeOpenedIsReportedExceptOnTheToolBar()
    {
        std::unique_ptr<FakeServices> fakes(makeFakes());
        fakes->urls.succeed = false;
        Form1 window(fakes->services());
        window.show();
        QVERIFY(clickPanel(window, "StatusBar3", QStringLiteral("1.23 Shareware")));
        QVERIFY(clickPanel(window, "StatusBar2", QStringLiteral("BCF")));
        QCOMPARE(fakes->messages.shown.size(), size_t(2));
        QCOMPARE(fakes->messages.shown[0].caption, QStringLiteral("Korvane 1.4"));
        QVERIFY2(
            fakes->messages.shown[0].text.contains(QStringLiteral("ftp://") + hosts::SharewareFtp),
            qPrintable(fakes->messages.shown[0].text));
        QVERIFY(fakes->messages.shown[1].text.contains(QStringLiteral("/bcf/")));

        // The tool bar stays silent, for addresses and for the game alike.
        fakes->programs.nextResult = {false, QStringLiteral("There is no such file.")};
        for (const char* panel :
             {"Servers in Telnet", "Servers Info", "PL's Server Mirrors", "New Window"})
            QVERIFY(clickPanel(window, "StatusBar1", QString::fromLatin1(panel)));
        QCOMPARE(fakes->messages.shown.size(), size_t(2));
        QCOMPARE(fakes->urls.opened.size(), 5);
        QCOMPARE(fakes->programs.started.size(), size_t(1));
        QVERIFY(window.isVisible());
    }

    void everyNewWindowStartsOneMoreGame()
    {
        std::unique_ptr<FakeServices> fakes(makeFakes());
        Form1 window(fakes->services());
        window.show();
        for (int i = 0; i < 3; ++i)
            QVERIFY(clickPanel(window, "StatusBar1", QStringLiteral("New Window")));
        QCOMPARE(fakes->programs.started.size(), size_t(3));
        for (const CommandLine& line : fakes->programs.started)
            QCOMPARE(line.text(), QStringLiteral("brix2.exe -server battle1.b2l"));
    }

    void helpIsOneWindowAndCloseShutsDownOnce()
    {
        std::unique_ptr<FakeServices> fakes(makeFakes());
        const int before = helpWindows();
        {
            Form1 window(fakes->services());
            window.show();
            QVERIFY(clickPanel(window, "StatusBar3", QStringLiteral("?")));
            QVERIFY(clickPanel(window, "StatusBar3", QStringLiteral("?")));
            QCOMPARE(helpWindows(), before + 1);
            QVERIFY(window.helpWindow()->isVisible());

            QVERIFY(clickPanel(window, "StatusBar3", QStringLiteral("X")));
            QVERIFY(!window.isVisible());
            QVERIFY(window.helpWindow()->isVisible()); // the help window stays open
            QCOMPARE(fakes->player.count(QStringLiteral("destroy")), 1);
            QVERIFY(fakes->urls.opened.isEmpty()); // the comparisons after "X" match nothing
        }
        QCOMPARE(fakes->player.count(QStringLiteral("destroy")), 1);
    }
};

QTEST_MAIN(TestPanels)
#include "tst_panels.moc"
