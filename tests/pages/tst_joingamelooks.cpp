// Where the Join Game page's new text lies over the server table, in the whole window: the
// status strip inside the table's bottom edge without hiding a row, the status filling an empty
// table, and the find bar over the bottom. With KORVANE_SCREENSHOTS set, the pictures of the
// README are taken along the way.
#include "FakeServices.h"
#include "WindowTestHelpers.h"

#include "browser/JoinLink.h"
#include "browser/ServerRecords.h"
#include "pages/JoinGamePage.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTreeView>

class TestJoinGameLooks : public QObject {
    Q_OBJECT

private:
    // The window as a user sees it, with a menu open at a point when there is one.
    static void photograph(QWidget& window, const char* name, QMenu* menu = nullptr,
                           QPoint at = {})
    {
        const QString folder = qEnvironmentVariable("KORVANE_SCREENSHOTS");
        if (folder.isEmpty())
            return;
        QVERIFY(QDir().mkpath(folder));
        QPixmap picture = window.grab();
        if (menu) {
            menu->adjustSize();
            QPainter painter(&picture);
            painter.drawPixmap(at, menu->grab());
        }
        QVERIFY(picture.save(folder + u'/' + QString::fromLatin1(name) + QStringLiteral(".png")));
    }

    // The status lies over the table: inside its frame, as a sibling a screen reader reaches.
    static void statusLiesInside(QTreeView* table, QLabel* status)
    {
        QVERIFY(status->isVisible());
        QCOMPARE(status->parentWidget(), table->parentWidget());
        QVERIFY(table->geometry().contains(status->geometry()));
    }

private Q_SLOTS:
    void theStatusAndTheFindBarLieOverTheTable()
    {
        FakeServices fakes;
        QTcpServer list;
        QVERIFY(list.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0));
        fakes.listServers.corvinMirror = {QStringLiteral("127.0.0.1"), list.serverPort()};
        const QDateTime now = QDateTime::currentDateTimeUtc();
        fakes.records.contents = {
            RecordStorage::Contents::Read,
            ServerRecords::serialize(
                {{QStringLiteral("192.0.2.4"), QStringLiteral("Pindle's Pit"), QStringLiteral("Ctf"),
                  QStringLiteral("RKV"), QStringLiteral("6/16")},
                 {QStringLiteral("192.0.2.99"), QStringLiteral("Old Haunt"), QStringLiteral("Battle"),
                  QStringLiteral("1.21"), QStringLiteral("2/8")}},
                {{QStringLiteral("192.0.2.4"), QStringLiteral("Pindle's Pit"), now.addSecs(-1500)},
                 {QStringLiteral("192.0.2.99"), QStringLiteral("Old Haunt"), now.addDays(-2)}},
                {}),
            {}};
        Form1 window(fakes.services());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* table = control<QTreeView>(window, "ListView1");
        auto* status = control<QLabel>(window, "ListStatus");
        auto* page = control<JoinGamePage>(window, "JoinGame");

        // Before any Refresh, the empty table says what to do.
        statusLiesInside(table, status);
        QTRY_VERIFY(status->height() > 3 * status->fontMetrics().height());
        QVERIFY(status->text().contains(QStringLiteral("Refresh")));
        // Under the column headers, not over them.
        QTRY_VERIFY(status->y() > table->y() + table->header()->geometry().bottom());
        photograph(window, "join-game-empty");

        QTest::mouseClick(control<QPushButton>(window, "Command5"), Qt::LeftButton);
        QVERIFY(list.waitForNewConnection(5000));
        QTcpSocket* peer = list.nextPendingConnection();
        QByteArray reply;
        const char* names[] = {"|Night \xa7" "2Arena", "Pindle's Pit", "Frost Hollow", "Lagoon",
                               "Carrot Mines", "Tubelectric", "Hare Today"};
        const char* players[] = {"5/16", "6/16", "0/8", "16/16", "1/4", "0/32", "3/12"};
        for (int k = 0; k < 7; ++k)
            reply += "192.0.2." + QByteArray::number(k + 3) + ":10052 " +
                     (k % 2 ? "ctf 1.24   " : "battle 1.21   ") + (k == 6 ? "private " : "") +
                     "[" + players[k] + "] " + names[k] + "\r\n";
        peer->write(reply);
        peer->flush();
        QTRY_COMPARE(table->model()->rowCount(), 8); // seven listed, the missing favourite
        QTRY_VERIFY(status->text().startsWith(QStringLiteral("7 servers, 31 players")));
        // A strip along the bottom edge, one line high, under the last row, not over it.
        statusLiesInside(table, status);
        QTRY_COMPARE(status->height(), status->fontMetrics().height() + 2);
        QCOMPARE(status->geometry().bottom() + table->frameWidth() + 1 +
                     (table->horizontalScrollBar()->isVisible()
                          ? table->horizontalScrollBar()->height()
                          : 0),
                 table->geometry().bottom() + 1);
        table->scrollToBottom();
        const QRect lastRow = table->visualRect(table->model()->index(7, 0));
        QVERIFY(table->viewport()->mapTo(&window, lastRow.bottomLeft()).y() <
                status->mapTo(&window, QPoint(0, 0)).y());
        table->scrollToTop();
        photograph(window, "join-game-status");

        const QPoint rowPoint = table->visualRect(table->model()->index(1, 0)).center();
        std::unique_ptr<QMenu> menu = page->tableMenu(rowPoint);
        for (QAction* action : menu->actions())
            if (action->menu())
                action->menu()->adjustSize();
        photograph(window, "join-game-row-menu", menu.get(),
                   table->viewport()->mapTo(&window, rowPoint));
        for (QAction* action : menu->actions())
            if (action->menu())
                photograph(window, "join-game-recent", action->menu(),
                           table->viewport()->mapTo(&window, QPoint(40, 20)));
        menu = page->headerMenu();
        photograph(window, "join-game-header-menu", menu.get(),
                   table->mapTo(&window, QPoint(table->header()->sectionPosition(3), 10)));

        // Ctrl+F: the find bar over the bottom edge, the status above it.
        table->setFocus();
        QTest::keyClick(table, Qt::Key_F, Qt::ControlModifier);
        auto* find = control<QLineEdit>(window, "FindBar");
        QTRY_VERIFY(find->isVisible());
        QTest::keyClicks(find, QStringLiteral("in"));
        QVERIFY(table->geometry().contains(find->geometry()));
        QTRY_VERIFY(status->geometry().bottom() < find->geometry().top());
        QVERIFY2(status->text().startsWith(QStringLiteral("2 of 7 servers shown")), qPrintable(status->text()));
        photograph(window, "join-game-find");
        QTest::keyClick(find, Qt::Key_Escape);
        QVERIFY(!find->isVisible());

        // A join link to a server the list does not hold: a greyed row of its own, chosen.
        page->showLinkedServer(*parseJoinLink(QStringLiteral("brix2://192.0.2.77:10054")).link);
        const QModelIndexList chosen = table->selectionModel()->selectedRows();
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.first().siblingAtColumn(4).data().toString(),
                 QStringLiteral("192.0.2.77:10054"));
        QVERIFY(control<QPushButton>(window, "Command4")->isEnabled());
        photograph(window, "join-game-link");
        delete peer;

        // No list server at all: the reasons fill the empty table.
        list.close();
        QTest::mouseClick(control<QPushButton>(window, "Command5"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(status->text().startsWith(QStringLiteral("No list server")), 30000);
        photograph(window, "join-game-no-answer");
    }
};

QTEST_MAIN(TestJoinGameLooks)
#include "tst_joingamelooks.moc"
