#include "FakeServices.h"
#include "WindowTestHelpers.h"

#include "app/Form2.h"
#include "browser/JoinLink.h"
#include "browser/ServerColumns.h"
#include "pages/Twips.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTreeView>

class TestForm1 : public QObject {
    Q_OBJECT

private:
    static const QStringList& pages()
    {
        static const QStringList names = {QStringLiteral("JoinGame"),    QStringLiteral("HostGame"),
                                          QStringLiteral("FileManager"), QStringLiteral("Setup"),
                                          QStringLiteral("ModPlayer"),   QStringLiteral("Credits")};
        return names;
    }

    static QStringList visiblePages(QWidget& window)
    {
        QStringList shown;
        for (const QString& name : pages())
            if (const auto* page = window.findChild<QGroupBox*>(name); page && page->isVisible())
                shown.append(name);
        return shown;
    }

private Q_SLOTS:
    void startsOnJoinGameWithTheServerTableReady()
    {
        FakeServices fakes;
        Form1 window(fakes.services());
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("Korvane 1.4 -> Join Game"));
        QCOMPARE(visiblePages(window), QStringList{QStringLiteral("JoinGame")});
        QCOMPARE(window.size(), QSize(519, 300));

        auto* table = control<QTreeView>(window, "ListView1");
        QVERIFY(table);
        QAbstractItemModel* model = table->model();
        QCOMPARE(model->rowCount(), 0);
        QCOMPARE(model->columnCount(), int(servercolumns::All.size()));
        for (const servercolumns::Caption& column : servercolumns::All) {
            QCOMPARE(model->headerData(column.column, Qt::Horizontal).toString(),
                     QString::fromLatin1(column.caption));
            QCOMPARE(table->header()->sectionSize(column.column),
                     twips::toPixels(column.widthTwips));
        }
        QVERIFY(control<QCheckBox>(window, "Check1")->isChecked());
        QVERIFY(control<QCheckBox>(window, "Check2")->isChecked());
    }

    void controlsStandWhereTheyWereDesigned()
    {
        FakeServices fakes;
        Form1 window(fakes.services());
        struct Place {
            const char* name;
            int left, top, width, height;
        };
        const Place places[] = {
            {"StatusBar3", 0, 0, 7785, 270},     {"Picture1", 0, 360, 2280, 3495},
            {"Tab1", 2315, 360, 5535, 3615},     {"StatusBar2", 0, 3960, 7785, 270},
            {"StatusBar1", 0, 4230, 7785, 270},  {"JoinGame", 2400, 720, 5295, 3135},
            {"Credits", 2400, 720, 5295, 3135},  {"ListView1", 120, 240, 5055, 2295},
            {"Check1", 120, 2580, 2055, 255},    {"Check2", 120, 2820, 2055, 225},
            {"Command5", 2280, 2640, 1335, 375}, {"Command4", 3840, 2640, 1335, 375},
        };
        for (const Place& place : places) {
            auto* widget = control<QWidget>(window, place.name);
            QVERIFY2(widget, place.name);
            QCOMPARE(widget->geometry(),
                     twips::rect(place.left, place.top, place.width, place.height));
        }
        // The pictures, decoded while the window is built, are in place once it is.
        QCOMPARE(control<QLabel>(window, "Picture1")->pixmap().size(), QSize(149, 231));
        QVERIFY(!window.windowIcon().availableSizes().isEmpty());
    }

    void everyTabShowsItsPageAndNamesItInTheCaption()
    {
        FakeServices fakes;
        Form1 window(fakes.services());
        window.show();
        const QStringList captions = {QStringLiteral("Join Game"),    QStringLiteral("Host Game"),
                                      QStringLiteral("File Manager"), QStringLiteral("Setup"),
                                      QStringLiteral("Mod Player"),   QStringLiteral("Credits")};
        // Forward, backward, and each tab chosen twice in a row.
        for (int index : {1, 2, 3, 4, 5, 6, 6, 5, 4, 3, 2, 1, 1}) {
            chooseTab(window, index);
            QCOMPARE(window.windowTitle(), QStringLiteral("Korvane 1.4 -> ") + captions[index - 1]);
            QCOMPARE(visiblePages(window), QStringList{pages()[index - 1]});
            QCOMPARE(window.findChild<QGroupBox*>(pages()[index - 1])->title(),
                     captions[index - 1]);
        }
    }

    void pagesTurnFromTheKeyboard()
    {
        FakeServices fakes;
        Form1 window(fakes.services());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTabBar* tabs = window.findChild<QTabBar*>();
        QCOMPARE(QApplication::focusWidget(), tabs);
        const QStringList order = {QStringLiteral("HostGame"), QStringLiteral("FileManager"),
                                   QStringLiteral("Setup"),    QStringLiteral("ModPlayer"),
                                   QStringLiteral("Credits"),  QStringLiteral("JoinGame")};
        for (const QString& page : order) {
            QTest::keyClick(&window, Qt::Key_Tab, Qt::ControlModifier);
            QCOMPARE(visiblePages(window), QStringList{page});
        }
        QTest::keyClick(&window, Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(visiblePages(window), QStringList{QStringLiteral("Credits")});
        QCOMPARE(window.windowTitle(), QStringLiteral("Korvane 1.4 -> Credits"));
        QTest::keyClick(&window, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(visiblePages(window), QStringList{QStringLiteral("ModPlayer")});
        QTest::keyClick(&window, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(visiblePages(window), QStringList{QStringLiteral("Setup")});

        // A tab clicked takes the keyboard from a panel.
        window.findChild<QWidget*>(QStringLiteral("StatusBar3"))
            ->findChildren<QAbstractButton*>()
            .first()
            ->setFocus();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QCOMPARE(QApplication::focusWidget(), tabs);
    }

    void aHiddenPageKeepsWhatWasTyped()
    {
        FakeServices fakes;
        Form1 window(fakes.services());
        window.show();
        chooseTab(window, 2);
        auto* maxPlayers = control<QLineEdit>(window, "Text1");
        maxPlayers->selectAll();
        QTest::keyClicks(maxPlayers, QStringLiteral("16"));
        chooseTab(window, 5);
        QVERIFY(!maxPlayers->isVisible());
        chooseTab(window, 2);
        QCOMPARE(maxPlayers->text(), QStringLiteral("16"));
    }

    void helpShowsTheDesignedTextEveryTimeItOpens()
    {
        FakeServices fakes;
        Form1 window(fakes.services());
        window.show();
        QVERIFY(clickPanel(window, "StatusBar3", QStringLiteral("?")));
        Form2* help = window.helpWindow();
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->windowTitle(), QStringLiteral("Korvane 1.4 Help."));

        const QString text = help->text();
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 16); // fifteen lines, each ended by CR LF
        QVERIFY(lines.last().isEmpty());
        QCOMPARE(lines[0], QStringLiteral("Korvane 1.4"));
        QCOMPARE(lines[2], QStringLiteral(" "));
        QCOMPARE(lines[3],
                 QStringLiteral("I get a file not found error when launching Brix2 / QLE"));
        QCOMPARE(lines[4],
                 QStringLiteral("\tTry going to 'Setup' and configuring your game first."));
        QCOMPARE(lines[10], QStringLiteral("\tIn the 'Join Game', uncheck both server options."));
        QCOMPARE(lines[14], QStringLiteral("\tNo, i am your father."));
        QVERIFY(!text.contains(QStringLiteral("\r\r")) && !text.contains(QStringLiteral("\n\n")));

        // Text that runs past the box's foot must show a bar to reach it.
        auto* box = help->findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
        QTRY_VERIFY(box->verticalScrollBar()->maximum() == 0 ||
                    box->verticalScrollBar()->isVisible());

        // A second "?" while it is open shows the same window, edits and all.
        box->setPlainText(QStringLiteral("scribbled over"));
        QVERIFY(clickPanel(window, "StatusBar3", QStringLiteral("?")));
        QCOMPARE(window.helpWindow(), help);
        QCOMPARE(box->toPlainText(), QStringLiteral("scribbled over"));

        // Closed and opened again, it starts from the designed text.
        help->close();
        QVERIFY(clickPanel(window, "StatusBar3", QStringLiteral("?")));
        QCOMPARE(help->text(), text);
    }

    void theProgramLivesOnWhileTheHelpWindowIsOpen()
    {
        FakeServices fakes;
        Form1 window(fakes.services());
        QSignalSpy ended(&window, &Form1::allWindowsClosed);
        window.show();
        QVERIFY(clickPanel(window, "StatusBar3", QStringLiteral("?")));
        window.close();
        QTest::qWait(20);
        QCOMPARE(ended.count(), 0);
        QVERIFY(window.helpWindow()->isVisible());
        window.helpWindow()->close();
        QTRY_COMPARE(ended.count(), 1);
    }

    void closingWithoutHelpEndsTheProgram()
    {
        FakeServices fakes;
        Form1 window(fakes.services());
        QSignalSpy ended(&window, &Form1::allWindowsClosed);
        window.show();
        QVERIFY(clickPanel(window, "StatusBar3", QStringLiteral("X")));
        QVERIFY(!window.isVisible());
        QTRY_COMPARE(ended.count(), 1);
    }

    void closingDestroysThePlayerOnceAndSavesNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("close box") << QStringLiteral("close box");
        QTest::newRow("X panel") << QStringLiteral("X");
        QTest::newRow("window deleted") << QString();
    }

    void closingDestroysThePlayerOnceAndSavesNothing()
    {
        QFETCH(QString, how);
        FakeServices fakes;
        {
            Form1 window(fakes.services());
            QCOMPARE(fakes.player.calls.value(0), QStringLiteral("createEx loop|false"));
            QCOMPARE(fakes.player.calls.value(1), QStringLiteral("setWindow"));
            // The hidden picture box's own native handle, which exists before the window shows.
            QVERIFY(fakes.player.window != 0);
            QCOMPARE(fakes.player.window,
                     quintptr(window.findChild<QWidget*>(QStringLiteral("ModPlaya"))->winId()));
            window.show();
            control<QLineEdit>(window, "Alias")->setText(QStringLiteral("Typed, never saved"));
            if (how == QLatin1String("X"))
                QVERIFY(clickPanel(window, "StatusBar3", how));
            else if (!how.isEmpty())
                window.close();
            QCOMPARE(fakes.player.count(QStringLiteral("destroy")), how.isEmpty() ? 0 : 1);
        }
        QCOMPARE(fakes.player.count(QStringLiteral("destroy")), 1);
        QCOMPARE(fakes.player.count(QStringLiteral("stop")), 0);
        QVERIFY(fakes.settings.values.isEmpty());
        QVERIFY(fakes.registry.opened.isEmpty());
    }

    // A link that arrives while the window is minimised on another page brings it back on Join
    // Game, with Launch focused and nothing started.
    void aLinkBringsTheWindowBackOnJoinGame()
    {
        FakeServices fakes;
        Form1 window(fakes.services());
        window.show();
        chooseTab(window, 4);
        window.showMinimized();
        window.showJoinLink(*parseJoinLink(QStringLiteral("brix2://192.0.2.7")).link);
        QVERIFY(!window.isMinimized());
        QCOMPARE(visiblePages(window), QStringList{QStringLiteral("JoinGame")});
        QCOMPARE(window.windowTitle(), QStringLiteral("Korvane 1.4 -> Join Game"));
        QTRY_COMPARE(window.focusWidget(), control<QAbstractButton>(window, "Command4"));
        QVERIFY(fakes.programs.started.empty());
    }

    // Only Join Game and Mod Player (the player's window, the tick) are built at start-up; any
    // other page comes at its first showing, in its place in the keyboard's order, and keeps
    // what was typed into it across page turns.
    void pagesAreBuiltAtTheirFirstShowing()
    {
        FakeServices fakes;
        Form1 window(fakes.services());
        const auto built = [&window](const char* page) {
            return window.findChild<QGroupBox*>(QString::fromLatin1(page)) != nullptr;
        };
        for (const char* page : {"HostGame", "FileManager", "Setup", "Credits"})
            QVERIFY2(!built(page), page);
        QVERIFY(built("JoinGame") && built("ModPlayer"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        for (const char* page : {"HostGame", "FileManager", "Setup", "Credits"})
            QVERIFY2(!built(page), page);
        QTabBar* tabs = window.findChild<QTabBar*>();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
        QVERIFY(built("Setup") && !built("Credits"));
        QWidget* next = tabs->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisibleTo(&window))
            next = next->nextInFocusChain();
        QCOMPARE(next->objectName(), QStringLiteral("TempBrixDir"));
        auto* alias = window.findChild<QLineEdit*>(QStringLiteral("Alias"));
        alias->setText(QStringLiteral("Typed"));

        for (int index : {6, 1, 4})
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index - 1).center());
        QVERIFY(built("Credits"));
        QCOMPARE(visiblePages(window), QStringList{QStringLiteral("Setup")});
        QCOMPARE(alias->text(), QStringLiteral("Typed"));
    }

    void minimisePanelMinimisesAndKeepsThePage()
    {
        FakeServices fakes;
        Form1 window(fakes.services());
        window.show();
        chooseTab(window, 4);
        QVERIFY(clickPanel(window, "StatusBar3", QStringLiteral("_")));
        QVERIFY(window.isMinimized());
        window.showNormal();
        QCOMPARE(visiblePages(window), QStringList{QStringLiteral("Setup")});
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
