#include "FakeServices.h"
#include "RealisticReply.h"
#include "ShownJoinGamePage.h"
#include "WindowTestHelpers.h"
#include "browser/JoinLink.h"

#include "browser/ReplyParser.h"
#include "browser/ServerRecords.h"
#include "browser/ServerTableModel.h"
#include "launch/GameDirectory.h"
#include "pages/JoinGamePage.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTreeView>

#include <memory>

namespace {

// Three list servers on three loopback addresses, sharing one port as the real ones do.
struct ListServers {
    QTcpServer primary, pellam, corvin;

    bool listen()
    {
        for (int attempt = 0; attempt < 20; ++attempt) {
            if (!primary.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0))
                return false;
            const quint16 port = primary.serverPort();
            if (pellam.listen(QHostAddress(QStringLiteral("127.0.0.2")), port) &&
                corvin.listen(QHostAddress(QStringLiteral("127.0.0.3")), port))
                return true;
            primary.close();
            pellam.close();
            corvin.close();
        }
        return false;
    }

    ListServerHosts hosts() const
    {
        const quint16 port = primary.serverPort();
        return {{QStringLiteral("127.0.0.1"), port},
                {QStringLiteral("127.0.0.2"), port},
                {QStringLiteral("127.0.0.3"), port}};
    }
};

struct Page;
QTcpSocket* accepted(QTcpServer& server, const Page& page);
void send(QTcpSocket* peer, const QByteArray& bytes);

// The shown Join Game page with the steps and looks these tests take.
struct Page : ShownJoinGamePage {
    explicit Page(const ListServerHosts& hosts, ListQuery::Timings timings = {})
        : ShownJoinGamePage(hosts, timings)
    {
    }

    QString status() const { return page->statusText(); }
    QLabel* statusStrip() const { return control<QLabel>(*page, "ListStatus"); }
    QLineEdit* findBar() const { return control<QLineEdit>(*page, "FindBar"); }

    // Chooses an action of a menu (or of its submenus) by its text.
    static bool choose(QMenu& menu, const QString& text)
    {
        for (QAction* action : menu.actions()) {
            if (action->menu() && choose(*action->menu(), text))
                return true;
            if (action->text().startsWith(text) && action->isEnabled()) {
                action->trigger();
                return true;
            }
        }
        return false;
    }
    static QAction* find(QMenu& menu, const QString& text)
    {
        for (QAction* action : menu.actions()) {
            if (action->text().startsWith(text))
                return action;
            if (action->menu())
                if (QAction* inner = find(*action->menu(), text))
                    return inner;
        }
        return nullptr;
    }
    // The menu of a row as shown, or of the table's empty area for -1.
    std::unique_ptr<QMenu> rowMenu(int row) const
    {
        QTreeView* view = table();
        const QPoint at = row < 0 ? QPoint(10, view->viewport()->height() - 30)
                                  : view->visualRect(view->model()->index(row, 0)).center();
        return page->tableMenu(at);
    }

    QPushButton* refresh() const { return control<QPushButton>(*page, "Command5"); }
    QPushButton* launch() const { return control<QPushButton>(*page, "Command4"); }
    QCheckBox* check1() const { return control<QCheckBox>(*page, "Check1"); }
    QCheckBox* check2() const { return control<QCheckBox>(*page, "Check2"); }
    QTreeView* table() const { return control<QTreeView>(*page, "ListView1"); }
    QTcpSocket* socket() const { return page->findChild<QTcpSocket*>(QStringLiteral("Winsock1")); }
    int rows() const { return page->servers().listedCount(); }

    // Refresh; the list server sends its reply, and the table comes to hold `count` rows. The
    // server's end of the connection, or null when any step did not happen.
    QTcpSocket* refreshWith(QTcpServer& server, const QByteArray& reply, int count)
    {
        QTest::mouseClick(refresh(), Qt::LeftButton);
        QTcpSocket* peer = accepted(server, *this);
        if (peer == nullptr)
            return nullptr;
        send(peer, reply);
        return QTest::qWaitFor([&] { return rows() == count; }) ? peer : nullptr;
    }

    void clickRow(int row) const
    {
        QTreeView* view = table();
        const QRect rect = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    }

    void clickHeader(int column) const
    {
        QHeaderView* header = table()->header();
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    }

    // The names as shown, from the top, one blank between two.
    QString shownNames() const
    {
        QStringList names;
        for (const QStringList& row : shownRows())
            names.append(row[0]);
        return names.join(u' ');
    }

    // The cells of every row, as the table shows them.
    std::vector<QStringList> shownRows() const
    {
        const QAbstractItemModel* model = table()->model();
        std::vector<QStringList> shown;
        for (int row = 0; row < model->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < model->columnCount(); ++column)
                cells.append(model->index(row, column).data().toString());
            shown.push_back(cells);
        }
        return shown;
    }
};

// Waits for the page's connection to reach server and hands back the server's end of it.
// Connections that earlier pages left behind are passed over.
QTcpSocket* accepted(QTcpServer& server, const Page& page)
{
    QTcpSocket* socket = page.socket();
    if (!QTest::qWaitFor([&] {
            return socket->state() == QAbstractSocket::ConnectedState &&
                   socket->peerAddress() == server.serverAddress();
        }))
        return nullptr;
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        while (server.hasPendingConnections()) {
            QTcpSocket* peer = server.nextPendingConnection();
            if (peer->peerPort() == socket->localPort())
                return peer;
            delete peer;
        }
        server.waitForNewConnection(50);
    }
    return nullptr;
}

void send(QTcpSocket* peer, const QByteArray& bytes)
{
    peer->write(bytes);
    peer->flush();
}

} // namespace

class TestJoinGamePage : public QObject {
    Q_OBJECT

private:
    ListServers servers;

private Q_SLOTS:
    void initTestCase() { QVERIFY(servers.listen()); }

    void cleanup()
    {
        for (QTcpServer* server : {&servers.primary, &servers.pellam, &servers.corvin}) {
            while (server->hasPendingConnections())
                delete server->nextPendingConnection();
        }
    }

    void theMirrorBoxesChooseTheListServer()
    {
        Page page(servers.hosts());
        QVERIFY(page.check1()->isChecked());
        QVERIFY(page.check2()->isChecked());

        struct Step {
            bool check1, check2;
            QTcpServer* expected;
        };
        const Step steps[] = {{true, true, &servers.corvin},
                              {true, false, &servers.pellam},
                              {false, false, &servers.primary},
                              {false, true, &servers.corvin}};
        for (const Step& step : steps) {
            // Untick with the mouse, as the user does; ticking is tested below.
            if (page.check1()->isChecked() != step.check1)
                QTest::mouseClick(page.check1(), Qt::LeftButton);
            if (page.check2()->isChecked() != step.check2)
                QTest::mouseClick(page.check2(), Qt::LeftButton);
            QCOMPARE(page.check1()->isChecked(), step.check1);
            QCOMPARE(page.check2()->isChecked(), step.check2);

            QTest::mouseClick(page.refresh(), Qt::LeftButton);
            QTcpSocket* peer = accepted(*step.expected, page);
            QVERIFY(peer);
            QCOMPARE(page.socket()->peerAddress(), step.expected->serverAddress());
            QCOMPARE(page.socket()->peerPort(), servers.primary.serverPort());

            // The launcher only listens.
            send(peer, "192.0.2.7:5000 battle [1/2] Hello\r\n");
            QTRY_COMPARE(page.rows(), 1);
            QTest::qWait(50);
            QCOMPARE(peer->bytesAvailable(), 0);
            delete peer;
        }
    }

    void aRefreshWithoutTheNetworkSaysWhyAndTriesAgainNextTime()
    {
        struct NoSockets : ListServerSockets {
            std::unique_ptr<ListServerSocket>
            open(QObject*, const QString&, ListServerSocket::Events, QString* reason) override
            {
                ++tries;
                *reason = QStringLiteral("libkorvane-network.so: cannot open shared object file");
                return nullptr;
            }
            int tries = 0;
        } none;
        FakeServices fakes;
        GameDir gameDir;
        ServerRecords records(fakes.records);
        JoinGamePage page(fakes.programs, fakes.messages, fakes.clipboard, records,
                          fakes.listServers, none, gameDir);
        page.addReplyData("192.0.2.7:5000 battle [1/2] Old\n");
        QTest::mouseClick(control<QPushButton>(page, "Command5"), Qt::LeftButton);
        QCOMPARE(page.servers().listedCount(), 0);
        QVERIFY2(page.statusText().contains(QStringLiteral("cannot open shared object")),
                 qPrintable(page.statusText()));
        QTest::mouseClick(control<QPushButton>(page, "Command5"), Qt::LeftButton);
        QCOMPARE(none.tries, 2);
    }

    void tickingOneMirrorUnticksTheOther()
    {
        Page page(servers.hosts());
        QTest::mouseClick(page.check1(), Qt::LeftButton); // Check2 alone is ticked now
        QVERIFY(!page.check1()->isChecked());
        QVERIFY(page.check2()->isChecked());
        QTest::mouseClick(page.check1(), Qt::LeftButton);
        QVERIFY(page.check1()->isChecked());
        QVERIFY(!page.check2()->isChecked());
        // The keyboard ticks a box the same way.
        page.check2()->setFocus();
        QTest::keyClick(page.check2(), Qt::Key_Space);
        QVERIFY(page.check2()->isChecked());
        QVERIFY(!page.check1()->isChecked());
    }

    void aReplyInPiecesGivesEveryRow()
    {
        Page page(servers.hosts());
        QTest::mouseClick(page.refresh(), Qt::LeftButton);
        QTcpSocket* peer = accepted(servers.corvin, page);
        QVERIFY(peer);

        const QByteArray reply = realisticReply(500, 11);
        std::vector<QStringList> expected;
        for (const ServerRow& row : ReplyParser().feed(reply))
            expected.push_back(row.texts());
        QSignalSpy arrivals(page.socket(), &QTcpSocket::readyRead);
        QRandomGenerator random(5);
        for (qsizetype at = 0; at < reply.size();) {
            const qsizetype piece = qMin<qsizetype>(random.bounded(1, 6000), reply.size() - at);
            const qsizetype before = arrivals.count();
            send(peer, reply.sliced(at, piece));
            at += piece;
            QTRY_VERIFY(arrivals.count() > before); // each piece an arrival of its own
        }
        QTRY_COMPARE(page.rows(), 500);
        QCOMPARE(page.shownRows(), expected);
        delete peer;
    }

    void refreshStartsAFreshList()
    {
        Page page(servers.hosts());
        QTest::mouseClick(page.refresh(), Qt::LeftButton);
        QTcpSocket* old = accepted(servers.corvin, page);
        QVERIFY(old);
        send(old, "192.0.2.1:1 [1/2] Old\r\n192.0.2.2:1 [1/2] Half of a na");
        QTRY_COMPARE(page.rows(), 1);

        QTest::mouseClick(page.refresh(), Qt::LeftButton);
        QCOMPARE(page.rows(), 0);
        QTcpSocket* fresh = accepted(servers.corvin, page);
        QVERIFY(fresh);
        // The old connection is gone: nothing it still sends reaches the table, and its
        // unfinished line does not glue onto the new connection's first one.
        send(old, "me\r\n192.0.2.3:1 [1/2] Stale\r\n");
        send(fresh, "me\r\n192.0.2.4:1 [1/2] New\r\n");
        QTRY_COMPARE(page.rows(), 1);
        QTest::qWait(50);
        QCOMPARE(page.rows(), 1);
        QCOMPARE(page.shownRows()[0][0], QStringLiteral("New"));
        delete old;
        delete fresh;
    }

    void theLaunchButtonFollowsTheChosenRow()
    {
        Page page(servers.hosts());
        QVERIFY(page.launch()->isEnabled());
        // A click on the empty table: no row, no launch.
        page.clickRow(0);
        QTest::mouseClick(page.table()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(!page.launch()->isEnabled());

        QTcpSocket* peer = page.refreshWith(servers.corvin,
                                            "192.0.2.1:1 battle [1/2] Open\r\n"
                                            "192.0.2.2:1 private ctf [1/2] Closed\r\n"
                                            "192.0.2.3:1 battle [1/2] private party\r\n",
                                            3);
        QVERIFY(peer);
        page.clickRow(0);
        QVERIFY(page.launch()->isEnabled());
        page.clickRow(1);
        QVERIFY(!page.launch()->isEnabled());
        page.clickRow(2);
        QVERIFY(page.launch()->isEnabled());
        page.clickRow(1);
        QVERIFY(!page.launch()->isEnabled());

        // A Refresh leaves the button as it was, until a row of the new list is clicked.
        QTest::mouseClick(page.refresh(), Qt::LeftButton);
        QVERIFY(!page.launch()->isEnabled());
        delete peer;
        peer = accepted(servers.corvin, page);
        QVERIFY(peer);
        send(peer, "192.0.2.5:1 private battle [1/2] Mine\r\n192.0.2.6:1 ctf [1/2] Yours\r\n");
        QTRY_COMPARE(page.rows(), 2);
        QVERIFY(!page.launch()->isEnabled());
        page.clickRow(1);
        QVERIFY(page.launch()->isEnabled());

        // Choosing a row with the keyboard counts as well.
        page.table()->setFocus();
        QTest::keyClick(page.table(), Qt::Key_Up);
        QCOMPARE(page.table()->currentIndex().row(), 0);
        QVERIFY(!page.launch()->isEnabled());
        QTest::keyClick(page.table(), Qt::Key_Down);
        QVERIFY(page.launch()->isEnabled());
        delete peer;
    }

    void launchJoinsTheChosenServer()
    {
        Page page(servers.hosts());
        page.gameDir.set(QStringLiteral("C:\\Games\\"));
        QTcpSocket* peer = page.refreshWith(
            servers.corvin,
            "192.0.2.1:1 battle [1/2] First\r\n192.0.2.7:5000 ctf 1.24   [3/16] Seven\r\n", 2);
        QVERIFY(peer);
        page.clickRow(1);
        QTest::mouseClick(page.launch(), Qt::LeftButton);
        QCOMPARE(page.fakes.programs.started.size(), size_t(1));
        QCOMPARE(page.fakes.programs.started[0].text(),
                 QStringLiteral("C:\\Games\\brix2.exe -connect 192.0.2.7"));
        QCOMPARE(page.fakes.programs.started[0].program, QStringLiteral("C:\\Games\\brix2.exe"));
        QVERIFY(page.fakes.messages.shown.empty());

        page.gameDir.set(QString());
        QTest::mouseClick(page.launch(), Qt::LeftButton);
        QCOMPARE(page.fakes.programs.started.size(), size_t(2));
        QCOMPARE(page.fakes.programs.started[1].text(),
                 QStringLiteral("brix2.exe -connect 192.0.2.7"));

        // A start that fails says which program and why, and the page carries on.
        page.gameDir.set(QStringLiteral("C:\\Gone\\"));
        page.fakes.programs.nextResult = {false, QStringLiteral("No such file")};
        QTest::mouseClick(page.launch(), Qt::LeftButton);
        QCOMPARE(page.fakes.messages.shown.size(), size_t(1));
        const FakeMessageBoxes::Shown& shown = page.fakes.messages.shown[0];
        QVERIFY(shown.warning);
        QCOMPARE(shown.caption, QStringLiteral("Korvane 1.4"));
        QVERIFY(shown.text.contains(QStringLiteral("C:\\Gone\\brix2.exe")));
        QVERIFY(shown.text.contains(QStringLiteral("No such file")));
        delete peer;
    }

    // A join link chooses its server and focuses Launch; only the press starts the game. A
    // listed server is chosen in the list; another one gets a greyed row of its own, which
    // sorting leaves at the end and a Refresh takes away.
    void aLinkChoosesItsServerAndWaitsForLaunch()
    {
        Page page(servers.hosts());
        page.gameDir.set(QStringLiteral("C:\\Games\\"));
        QTcpSocket* peer = page.refreshWith(
            servers.corvin,
            "192.0.2.1:1 battle [1/2] First\r\n192.0.2.7:5000 ctf 1.24   [3/16] Seven\r\n"
            "192.0.2.9:1 private battle [1/2] Hidden\r\n",
            3);
        QVERIFY(peer);
        page.clickRow(2); // a private row disables Launch; the link enables it again
        QVERIFY(!page.launch()->isEnabled());

        page.page->showLinkedServer(*parseJoinLink(QStringLiteral("brix2://192.0.2.7:10054")).link);
        QCOMPARE(page.table()->model()->rowCount(), 3);
        QCOMPARE(page.table()->selectionModel()->selectedRows().value(0).row(), 1);
        QVERIFY(page.launch()->isEnabled());
        QCOMPARE(QApplication::focusWidget(), page.launch());
        QVERIFY(page.fakes.programs.started.empty());
        QVERIFY2(page.status().contains(QStringLiteral("from a link: 192.0.2.7:10054")),
                 qPrintable(page.status()));

        page.page->showLinkedServer(*parseJoinLink(QStringLiteral("brix2://private")).link);
        QCOMPARE(page.table()->model()->rowCount(), 4); // a host name, not the private row

        page.page->showLinkedServer(
            *parseJoinLink(QStringLiteral("brix2://[2001:db8::7]:10054")).link);
        QCOMPARE(page.rows(), 3); // not one of the listed servers
        const std::vector<QStringList> shown = page.shownRows();
        QCOMPARE(shown.size(), size_t(4));
        QCOMPARE(shown[3].first(), QStringLiteral("(from a link)"));
        QCOMPARE(shown[3].last(), QStringLiteral("[2001:db8::7]:10054"));
        QCOMPARE(page.table()->selectionModel()->selectedRows().value(0).row(), 3);
        QVERIFY(page.fakes.programs.started.empty());
        page.clickHeader(0);
        QCOMPARE(page.shownNames(), QStringLiteral("First Hidden Seven (from a link)"));
        QCOMPARE(page.table()->selectionModel()->selectedRows().value(0).row(), 3);
        QTest::mouseClick(page.launch(), Qt::LeftButton);
        QCOMPARE(page.fakes.programs.started.size(), size_t(1));
        QCOMPARE(page.fakes.programs.started[0].text(),
                 QStringLiteral("C:\\Games\\brix2.exe -connect 2001:db8::7"));

        // A linked server that the list sends afterwards loses its greyed row.
        page.page->showLinkedServer(*parseJoinLink(QStringLiteral("brix2://192.0.2.50")).link);
        QCOMPARE(page.table()->model()->rowCount(), 4);
        page.page->addReplyData("192.0.2.50:1 battle [1/2] Late\r\n");
        QCOMPARE(page.table()->model()->rowCount(), 4);
        QCOMPARE(page.rows(), 4);

        QVERIFY(page.refreshWith(servers.corvin, "192.0.2.1:1 battle [1/2] First\r\n", 1));
        QCOMPARE(page.table()->model()->rowCount(), 1);
        delete peer;
    }

    void headerClicksSortAndLaunchFollowsTheChosenServer()
    {
        Page page(servers.hosts());
        QTcpSocket* peer =
            page.refreshWith(servers.corvin,
                             "192.0.2.20:1 battle [10/16] Beta\r\n192.0.2.3:1 ctf [3/16] alpha\r\n"
                             "10.0.0.1:1 battle [10/8] Gamma\r\nhost.example:1 ctf [x] Delta\r\n"
                             "192.0.2.9:1 private ctf [2/4] Hidden\r\n",
                             5);
        QVERIFY(peer);
        QCOMPARE(page.shownNames(), QStringLiteral("Beta alpha Gamma Delta Hidden"));

        // Players as numbers, text without one last; a second click reverses.
        page.clickHeader(3);
        QCOMPARE(page.shownNames(), QStringLiteral("Hidden alpha Gamma Beta Delta"));
        page.clickHeader(3);
        QCOMPARE(page.shownNames(), QStringLiteral("Delta Beta Gamma alpha Hidden"));
        // Addresses by their value, then host names, then private servers.
        page.clickHeader(4);
        QCOMPARE(page.shownNames(), QStringLiteral("Gamma alpha Beta Delta Hidden"));
        page.clickHeader(0);
        QCOMPARE(page.shownNames(), QStringLiteral("alpha Beta Delta Gamma Hidden"));

        // Launch and the join go by the row chosen, wherever the sorting put it.
        page.clickRow(4);
        QVERIFY(!page.launch()->isEnabled());
        page.clickRow(0);
        QVERIFY(page.launch()->isEnabled());
        QTest::mouseClick(page.launch(), Qt::LeftButton);
        QCOMPARE(page.fakes.programs.started.back().arguments,
                 QStringLiteral("-connect 192.0.2.3"));

        // A Refresh keeps the order; a row that arrives later takes its place in it, and the
        // chosen server stays chosen though its index changed.
        page.clickHeader(4);
        QTest::mouseClick(page.refresh(), Qt::LeftButton);
        delete peer;
        peer = accepted(servers.corvin, page);
        QVERIFY(peer);
        send(peer, "192.0.2.50:1 [1/2] Late\r\n10.0.0.2:1 [1/2] Early\r\n");
        QTRY_COMPARE(page.rows(), 2);
        QCOMPARE(page.shownNames(), QStringLiteral("Early Late"));
        page.clickRow(0);
        send(peer, "192.0.2.4:1 private [1/2] Closed\r\n10.0.0.1:1 [1/2] First\r\n");
        QTRY_COMPARE(page.rows(), 4);
        QCOMPARE(page.shownNames(), QStringLiteral("First Early Late Closed"));
        QVERIFY(page.launch()->isEnabled());
        QTest::mouseClick(page.launch(), Qt::LeftButton);
        QCOMPARE(page.fakes.programs.started.back().arguments, QStringLiteral("-connect 10.0.0.2"));
        delete peer;
    }

    void launchRefusesWhatIsNotAPlainAddress()
    {
        Page page(servers.hosts());
        QTcpSocket* peer = page.refreshWith(servers.corvin,
                                            "192.0.2.7 -server evil.b2l:5000 battle [1/2] Evil\r\n"
                                            "<b>x</b>&calc:1 ctf [1/2] Markup\r\n",
                                            2);
        QVERIFY(peer);
        // The address shows as the text it is, in the cell and in its tooltip.
        const QModelIndex markup = page.table()->model()->index(1, 4);
        QCOMPARE(markup.data().toString(), QStringLiteral("<b>x</b>&calc"));
        const QString tip = markup.data(Qt::ToolTipRole).toString();
        QVERIFY2(tip.contains(QStringLiteral("&lt;b&gt;x&lt;/b&gt;&amp;calc")), qPrintable(tip));
        for (int row : {0, 1}) {
            page.clickRow(row);
            QVERIFY(page.launch()->isEnabled());
            QTest::mouseClick(page.launch(), Qt::LeftButton);
        }
        QVERIFY(page.fakes.programs.started.empty());
        QCOMPARE(page.fakes.messages.shown.size(), size_t(2));
        for (const FakeMessageBoxes::Shown& shown : page.fakes.messages.shown) {
            QVERIFY(shown.warning);
            // Nothing of the network's text is put in front of the user as markup.
            QVERIFY(!shown.text.contains(u'<'));
            QVERIFY(!shown.text.contains(QStringLiteral("evil")));
        }
        delete peer;
    }

    void launchWithNoRowChosenStartsNothing()
    {
        Page page(servers.hosts());
        QVERIFY(page.launch()->isEnabled());
        QTest::mouseClick(page.launch(), Qt::LeftButton);
        QVERIFY(page.fakes.programs.started.empty());
        QCOMPARE(page.fakes.messages.shown.size(), size_t(1));
        QVERIFY(!page.fakes.messages.shown[0].warning);

        // After a Refresh the old selection is gone too.
        QTcpSocket* peer = page.refreshWith(servers.corvin, "192.0.2.1:1 battle [1/2] One\r\n", 1);
        QVERIFY(peer);
        page.clickRow(0);
        QTest::mouseClick(page.refresh(), Qt::LeftButton);
        QVERIFY(page.launch()->isEnabled());
        QTest::mouseClick(page.launch(), Qt::LeftButton);
        QVERIFY(page.fakes.programs.started.empty());
        delete peer;
    }

    void badRepliesLeaveOnlyWhatParses()
    {
        Page page(servers.hosts());
        QTest::mouseClick(page.refresh(), Qt::LeftButton);
        QTcpSocket* peer = accepted(servers.corvin, page);
        QVERIFY(peer);
        QByteArray noise(4096, '\0');
        for (qsizetype i = 0; i < noise.size(); i += 3)
            noise[i] = char(i * 37);
        // A tab in a name is shown as a blank; the table would cut the name off at it.
        send(peer, noise + "\n192.0.2.1:1 battle [1/2] Amid\tnoise\r\n");
        send(peer, "192.0.2.2:1 [1/2] " + QByteArray(1024 * 1024, 'n') + "\r\n");
        // 16 MiB without an LF, then the connection ends in the middle of a line.
        const QByteArray burst(1024 * 1024, 'b');
        for (int i = 0; i < 16; ++i)
            send(peer, burst);
        send(peer, "\n192.0.2.3:1 [1/2] After the burst\r\n192.0.2.4:1 [1/2] Cut sh");
        QTRY_VERIFY_WITH_TIMEOUT(peer->bytesToWrite() == 0, 20000);
        peer->disconnectFromHost();
        QTRY_COMPARE_WITH_TIMEOUT(page.socket()->state(), QAbstractSocket::UnconnectedState, 20000);
        const std::vector<QStringList> shown = page.shownRows();
        QCOMPARE(shown.back()[0], QStringLiteral("After the burst"));
        // The megabyte name is kept whole, but the table shows only its start, so that
        // painting it does not freeze the window.
        const int big = int(shown.size()) - 2;
        QCOMPARE(page.page->servers().row(big).name().size(), 1024 * 1024);
        QCOMPARE(shown[size_t(big)][0],
                 QString(ServerTableModel::MaxShownLength, u'n') + QChar(u'\u2026'));
        QCOMPARE(shown[shown.size() - 3][0], QStringLiteral("Amid noise"));
        delete peer;

        // A server that accepts and says nothing, then one that is not there at all: the table
        // stays empty and the page keeps working.
        QTest::mouseClick(page.refresh(), Qt::LeftButton);
        QCOMPARE(page.rows(), 0);
        peer = accepted(servers.corvin, page);
        QVERIFY(peer);
        QTest::qWait(100);
        QCOMPARE(page.rows(), 0);
        delete peer;
        page.page->hide();
        Page unreachable({{QStringLiteral("127.0.0.1"), 1},
                          {QStringLiteral("127.0.0.1"), 1},
                          {QStringLiteral("127.0.0.1"), 1}});
        QTest::mouseClick(unreachable.refresh(), Qt::LeftButton);
        QTRY_COMPARE(unreachable.socket()->state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(unreachable.rows(), 0);

        // A Refresh after all that still lists the servers.
        QTest::mouseClick(page.refresh(), Qt::LeftButton);
        peer = accepted(servers.corvin, page);
        QVERIFY(peer);
        send(peer, "192.0.2.9:1 ctf [1/2] Back\r\n");
        QTRY_COMPARE(page.rows(), 1);
        delete peer;
    }

    // Refused, silent, closed empty, answering: the table says which list server answered, or
    // why none did, and falls back from the chosen one to the others in their order.
    void aListThatFailsSaysSoAndFallsBack()
    {
        const ListQuery::Timings quick{std::chrono::milliseconds(400),
                                       std::chrono::milliseconds(200)};
        Page page(servers.hosts(), quick);
        QVERIFY(page.status().contains(QStringLiteral("Refresh")));
        const quint16 port = servers.primary.serverPort();
        const QHostAddress corvinAddress = servers.corvin.serverAddress();

        // Corvin's (chosen) refuses; the main one answers.
        servers.corvin.close();
        QTest::mouseClick(page.refresh(), Qt::LeftButton);
        QTcpSocket* peer = accepted(servers.primary, page);
        QVERIFY(peer);
        send(peer, "192.0.2.1:1 battle [3/16] One\r\n192.0.2.2:1 private ctf [2/8] Two\r\n");
        QTRY_COMPARE(page.rows(), 2);
        QVERIFY2(QRegularExpression(
                     QStringLiteral(
                         "^2 servers, 5 players, from the main list server at \\d\\d:\\d\\d\\. "
                         "Corvin's List Server Mirror refused the connection\\.$"))
                     .match(page.status())
                     .hasMatch(),
                 qPrintable(page.status()));
        delete peer;

        // Corvin's is silent: given up after the wait, and what it sends later is dropped. The
        // main one sends bytes but no row: an empty list, said once it stops.
        QVERIFY(servers.corvin.listen(corvinAddress, port));
        QTest::mouseClick(page.refresh(), Qt::LeftButton);
        QVERIFY(page.status().startsWith(QStringLiteral("Asking Corvin's List Server Mirror")));
        QTcpSocket* silent = accepted(servers.corvin, page);
        QVERIFY(silent);
        QTcpSocket* empty = accepted(servers.primary, page);
        QVERIFY(empty);
        send(silent, "192.0.2.66:1 battle [1/2] Late\r\n");
        send(empty, "Welcome\r\n");
        QTRY_COMPARE(page.status(), QStringLiteral("No servers are running right now. The main "
                                                   "list server answered; Corvin's List Server "
                                                   "Mirror did not answer within 0 s."));
        QCOMPARE(page.rows(), 0);
        delete silent;
        delete empty;

        // Every one refused: each reason is told, and nothing is listed.
        for (QTcpServer* server : {&servers.primary, &servers.pellam, &servers.corvin})
            server->close();
        QTest::mouseClick(page.refresh(), Qt::LeftButton);
        QTRY_VERIFY(page.status().startsWith(QStringLiteral("No list server answered.")));
        QCOMPARE(page.status(),
                 QStringLiteral("No list server answered. Corvin's List Server Mirror refused the "
                                "connection; the main list server refused the connection; "
                                "Pellam's List Server Mirror refused the connection."));
        QVERIFY(servers.listen());
        QVERIFY(servers.primary.serverPort() != 0);
        // The status is read out: a sibling of the table, not a child a screen reader misses.
        QCOMPARE(page.statusStrip()->parentWidget(), page.page.get());
        QCOMPARE(QAccessible::queryAccessibleInterface(page.statusStrip())->text(QAccessible::Name),
                 page.status());
    }

    void favouritesHistoryAndCopy()
    {
        Page page(servers.hosts());
        QTcpSocket* peer = page.refreshWith(servers.corvin,
                                            "192.0.2.1:1 battle [1/2] Alpha\r\n"
                                            "192.0.2.2:1 private ctf [1/2] Closed\r\n"
                                            "192.0.2.3:1 battle [3/8] Gamma\r\n",
                                            3);
        QVERIFY(peer);
        std::unique_ptr<QMenu> menu = page.rowMenu(1);
        QVERIFY(!Page::find(*menu, QStringLiteral("Add to favourites"))->isEnabled());
        QVERIFY(!Page::find(*menu, QStringLiteral("Copy address"))->isEnabled());
        menu = page.rowMenu(0);
        QVERIFY(Page::choose(*menu, QStringLiteral("Copy address")));
        QCOMPARE(page.fakes.clipboard.text, QStringLiteral("192.0.2.1"));
        QVERIFY(Page::choose(*page.rowMenu(0), QStringLiteral("Copy join link")));
        QCOMPARE(page.fakes.clipboard.text, QStringLiteral("brix2://192.0.2.1"));
        QVERIFY(!Page::find(*page.rowMenu(1), QStringLiteral("Copy join link"))->isEnabled());
        QVERIFY(Page::choose(*page.rowMenu(0), QStringLiteral("Add to favourites")));
        QCOMPARE(page.shownRows()[0][0], ServerTableModel::FavouriteMark + QStringLiteral("Alpha"));
        QVERIFY(ServerRecords::parse(page.fakes.records.contents.data).favourites.size() == 1);

        // Launch records the server in the history.
        page.clickRow(2);
        QTest::mouseClick(page.launch(), Qt::LeftButton);
        QCOMPARE(page.records->history().at(0).address, QStringLiteral("192.0.2.3"));

        // A list without the favourite shows it greyed at the end, chosen but not launched.
        delete peer;
        peer = page.refreshWith(servers.corvin, "192.0.2.3:1 battle [3/8] Gamma\r\n", 1);
        QVERIFY(peer);
        QTRY_COMPARE(page.table()->model()->rowCount(), 2);
        const QModelIndex gone = page.table()->model()->index(1, 0);
        QCOMPARE(gone.data().toString(), ServerTableModel::FavouriteMark + QStringLiteral("Alpha"));
        QVERIFY(!gone.data(ServerTableModel::ListedRole).toBool());
        QVERIFY(gone.data(Qt::ToolTipRole).toString().contains(QStringLiteral("not listed now")));
        QCOMPARE(gone.data(Qt::AccessibleDescriptionRole).toString(),
                 QStringLiteral("not listed now"));
        page.clickRow(1);
        QCOMPARE(page.table()->currentIndex().row(), 1);
        QVERIFY(!page.launch()->isEnabled());

        // "Recent servers" chooses a listed server's row, and says when it is not listed.
        page.records->recordLaunch({QStringLiteral("192.0.2.77"), QStringLiteral("Far"),
                                    QDateTime::currentDateTimeUtc().addSecs(-600)});
        menu = page.rowMenu(-1);
        QVERIFY(Page::find(*menu, QStringLiteral("Far (192.0.2.77), 10 min ago")));
        QVERIFY(Page::choose(*menu, QStringLiteral("Gamma")));
        QCOMPARE(page.table()->currentIndex().row(), 0);
        QVERIFY(page.launch()->isEnabled());
        QVERIFY(Page::choose(*page.rowMenu(-1), QStringLiteral("Far")));
        QVERIFY(page.status().endsWith(QStringLiteral("Far (192.0.2.77) is not listed now.")));

        QVERIFY(Page::choose(*page.rowMenu(1), QStringLiteral("Remove from favourites")));
        QTRY_COMPARE(page.table()->model()->rowCount(), 1);
        delete peer;
    }

    void filtersAndFindSayWhatTheyHide()
    {
        Page page(servers.hosts());
        QTcpSocket* peer = page.refreshWith(servers.corvin,
                                            "192.0.2.1:1 battle [0/8] Empty\r\n"
                                            "192.0.2.2:1 ctf [8/8] Full\r\n"
                                            "192.0.2.3:1 battle [3/8] Some\r\n",
                                            3);
        QVERIFY(peer);
        page.clickRow(2);
        QVERIFY(Page::choose(*page.page->headerMenu(), QStringLiteral("Hide empty")));
        QCOMPARE(page.shownNames(), QStringLiteral("Full Some"));
        QVERIFY(page.status().startsWith(
            QStringLiteral("2 of 3 servers shown. 3 servers, 11 players")));
        QVERIFY(ServerRecords::parse(page.fakes.records.contents.data).filters.hideEmpty);
        // Launch joins the row chosen before the filters moved it.
        QTest::mouseClick(page.launch(), Qt::LeftButton);
        QCOMPARE(page.fakes.programs.started.size(), size_t(1));
        QCOMPARE(page.fakes.programs.started.back().arguments,
                 QStringLiteral("-connect 192.0.2.3"));

        // Ctrl+F opens the find bar; its text hides rows too; Escape closes it and shows them.
        page.table()->setFocus();
        QTest::keyClick(page.table(), Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(page.findBar()->isVisible());
        QTest::keyClicks(page.findBar(), QStringLiteral("SOME"));
        QCOMPARE(page.shownNames(), QStringLiteral("Some"));
        QVERIFY(page.status().startsWith(QStringLiteral("1 of 3 servers shown")));
        QTest::keyClicks(page.findBar(), QStringLiteral("x"));
        QCOMPARE(page.table()->model()->rowCount(), 0);
        QVERIFY(page.status().endsWith(QStringLiteral("The chosen server is hidden.")));
        QVERIFY(!page.launch()->isEnabled());
        // With nothing shown the status fills the table, so an empty view is never mistaken
        // for an empty list.
        QTRY_VERIFY(page.statusStrip()->geometry().height() >
                    3 * page.statusStrip()->fontMetrics().height());
        QVERIFY(page.status().startsWith(QStringLiteral("0 of 3 servers shown")));
        QTest::keyClick(page.findBar(), Qt::Key_Escape);
        QVERIFY(!page.findBar()->isVisible());
        QCOMPARE(page.shownNames(), QStringLiteral("Full Some"));
        // Shown again, the chosen row is chosen again. Hidden beside other rows, it leaves
        // nothing chosen: the view must not hand the choice to a neighbour.
        for (const QString& find : {QString(), QStringLiteral("full"), QString()}) {
            page.findBar()->setText(find);
            const bool hidden = !find.isEmpty();
            QCOMPARE(page.table()->selectionModel()->selectedRows().size(), hidden ? 0 : 1);
            if (!hidden)
                QCOMPARE(page.table()->currentIndex().data().toString(), QStringLiteral("Some"));
            QCOMPARE(page.launch()->isEnabled(), !hidden);
            QCOMPARE(page.status().endsWith(QStringLiteral("The chosen server is hidden.")),
                     hidden);
        }
        delete peer;
    }

    // Hostile rows: a 32 KiB name and player counts of any length count as the most a row can
    // hold, and the totals stay sound.
    void hostileRowsKeepTheTotalsSound()
    {
        Page page(servers.hosts());
        QTcpSocket* peer = page.refreshWith(servers.corvin,
                                            "192.0.2.1:1 [99999999999999999999999999/1] " +
                                                QByteArray(32 * 1024, 'N') +
                                                "\r\n192.0.2.2:1 [18446744073709551616/2] x\r\n",
                                            2);
        QVERIFY(peer);
        QVERIFY2(page.status().startsWith(QStringLiteral("2 servers, 2000000000000000 players")),
                 qPrintable(page.status()));
        delete peer;

        // A list past the limits (of rows, or of their bytes: each row here holds 17) is cut
        // off where they end, says so, and is read no further.
        const QByteArray five = QByteArray("192.0.2.1:1 battle [1/2] Alpha\r\n").repeated(5);
        for (const auto& [limits, kept] :
             {std::pair{ListQuery::Limits{3, 1000}, 3}, std::pair{ListQuery::Limits{9, 60}, 3},
              std::pair{ListQuery::Limits{5, 85}, 5}}) {
            page.page->findChild<ListQuery*>()->setLimits(limits);
            peer = page.refreshWith(servers.corvin, five, kept);
            QVERIFY(peer);
            const bool cut = kept < 5;
            QTRY_COMPARE(peer->state() == QAbstractSocket::UnconnectedState, cut);
            QCOMPARE(page.status().contains(QStringLiteral(
                         "It sent more than a list can hold; the rest was left out.")),
                     cut);
            QVERIFY(page.status().startsWith(QStringLiteral("%1 servers").arg(kept)));
            delete peer;
        }
    }

    void aServerSendingByteByByte()
    {
        Page page(servers.hosts());
        QTest::mouseClick(page.refresh(), Qt::LeftButton);
        QTcpSocket* peer = accepted(servers.corvin, page);
        QVERIFY(peer);
        const QByteArray line = "192.0.2.7:5000 battle 1.24   [3/16] |Slow \xA7"
                                "2Arena\r\n";
        QSignalSpy arrivals(page.socket(), &QTcpSocket::readyRead);
        for (char byte : line) {
            const qsizetype before = arrivals.count();
            send(peer, QByteArray(1, byte));
            QTRY_VERIFY(arrivals.count() > before);
            QCOMPARE(page.rows(), byte == '\n' ? 1 : 0);
        }
        const QStringList expected = {QStringLiteral("Slow Arena"), QStringLiteral("Battle"),
                                      QStringLiteral("RKV"), QStringLiteral("3/16"),
                                      QStringLiteral("192.0.2.7")};
        QCOMPARE(page.shownRows()[0], expected);
        delete peer;
    }
};

QTEST_MAIN(TestJoinGamePage)
#include "tst_joingamepage.moc"
