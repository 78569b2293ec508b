// "Tell me when someone is playing" in the whole window: a list server on 127.0.0.1 whose reply
// goes from none to three players, and the desktop's notification service faked on the test's
// own session bus, recording each Notify. With KORVANE_SCREENSHOTS set, the README's picture of
// the alerts' menu is taken along the way.
#include "FakeServices.h"
#include "WindowTestHelpers.h"

#include "app/SystemDesktopAlerts.h"
#include "browser/ServerRecords.h"
#include "browser/ServerTableModel.h"
#include "pages/JoinGamePage.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTreeView>

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");

} // namespace

// The notification service of a desktop, as far as the launcher uses it.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Call {
        QString app, summary;
        QStringList actions;
    };
    std::vector<Call> calls;

public Q_SLOTS:
    uint Notify(const QString& app, uint, const QString&, const QString& summary, const QString&,
                const QStringList& actions, const QVariantMap&, int)
    {
        calls.push_back({app, summary, actions});
        return uint(calls.size()) + 40;
    }
};

// A list server that answers each connection with the next of its replies and hangs up.
class FakeListServer : public QObject {
public:
    QTcpServer server;
    QList<QByteArray> replies;
    int asked = 0;

    FakeListServer()
    {
        QVERIFY(server.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0));
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* peer = server.nextPendingConnection()) {
                peer->write(replies.value(std::min(asked, int(replies.size()) - 1)));
                ++asked;
                peer->disconnectFromHost();
                connect(peer, &QTcpSocket::disconnected, peer, &QObject::deleteLater);
            }
        });
    }
};

class TestAlerts : public QObject {
    Q_OBJECT

private:
    static QAction* action(QMenu& menu, const QString& text)
    {
        for (QAction* item : menu.actions()) {
            if (item->text() == text)
                return item;
            if (item->menu())
                if (QAction* inner = action(*item->menu(), text))
                    return inner;
        }
        return nullptr;
    }

    static ServerRecords::Alerts stored(FakeServices& fakes)
    {
        return ServerRecords::parse(fakes.records.contents.data).alerts;
    }

    static void photograph(QWidget& window, QMenu& menu, QPoint at)
    {
        const QString folder = qEnvironmentVariable("KORVANE_SCREENSHOTS");
        if (folder.isEmpty())
            return;
        QVERIFY(QDir().mkpath(folder));
        QPixmap picture = window.grab();
        menu.adjustSize();
        QMenu* sub = action(menu, QStringLiteral("Alerts"))->menu();
        sub->adjustSize();
        // The menu and its submenu as they open, kept inside the picture.
        at.setX(std::min(at.x(), picture.width() - menu.width() - sub->width()));
        at.setY(std::min(at.y(), picture.height() - menu.height() - sub->height() / 2));
        QPainter painter(&picture);
        painter.drawPixmap(at, menu.grab());
        painter.drawPixmap(at + QPoint(menu.width(), menu.height() - sub->height() / 2),
                           sub->grab());
        QVERIFY(picture.save(folder + QStringLiteral("/join-game-alerts.png")));
    }

private Q_SLOTS:
    void aListServerGoingFromNoneToThreePlayersIsToldOnce()
    {
        FakeNotifications notifications;
        QDBusConnection fakeBus =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake"));
        QVERIFY(fakeBus.isConnected());
        QVERIFY(fakeBus.registerObject(Path, &notifications, QDBusConnection::ExportAllSlots));
        QVERIFY(fakeBus.registerService(Service));

        FakeListServer list;
        list.replies = {"192.0.2.7:5000 battle 1.24   [0/16] |Night \xA7" "2Arena\r\n"
                        "192.0.2.8:5000 ctf 1.24   [5/16] Busy Den\r\n",
                        "192.0.2.7:5000 battle 1.24   [3/16] |Night \xA7" "2Arena\r\n"
                        "192.0.2.8:5000 ctf 1.24   [6/16] Busy Den\r\n"};
        FakeServices fakes;
        fakes.listServers.corvinMirror = {QStringLiteral("127.0.0.1"), list.server.serverPort()};
        SystemDesktopAlerts alerts;
        Services services = fakes.services();
        services.alerts = &alerts;
        Form1 window(services);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* page = control<JoinGamePage>(window, "JoinGame");
        auto* table = control<QTreeView>(window, "ListView1");
        page->alerts().setMinute(std::chrono::milliseconds(100)); // 2 "minutes": 0.2 s
        QVERIFY(!alerts.trayShown());

        // The list on show when alerts are turned on is where they start from.
        QTest::mouseClick(control<QPushButton>(window, "Command5"), Qt::LeftButton);
        QTRY_COMPARE(page->servers().listedCount(), 2);
        const QPoint empty = table->viewport()->rect().center() + QPoint(0, 30);
        std::unique_ptr<QMenu> menu = page->tableMenu(empty);
        photograph(window, *menu, table->viewport()->mapTo(&window, empty));
        const int writes = fakes.records.writes;
        action(*menu, QStringLiteral("Tell me when someone is playing"))->trigger();
        QCOMPARE(fakes.records.writes, writes + 1); // written the moment it changes
        QVERIFY(stored(fakes).on);
        QVERIFY(alerts.trayShown());

        // The next ask finds Night Arena with three players: told once, Busy Den not at all.
        QTRY_COMPARE(notifications.calls.size(), size_t(1));
        QCOMPARE(notifications.calls[0].summary, QStringLiteral("3 players on Night Arena"));
        QCOMPARE(notifications.calls[0].app, QStringLiteral("Korvane 1.4"));
        QVERIFY(notifications.calls[0].actions.contains(QStringLiteral("default")));
        const int asked = list.asked;
        QTRY_VERIFY(list.asked >= asked + 2);
        QTest::qWait(50);
        QCOMPARE(notifications.calls.size(), size_t(1));
        // The table the user looks at was left as it was.
        QCOMPARE(page->servers().cell(0, servercolumns::Players), QStringLiteral("0/16"));

        // A click on the notification brings the window to Join Game with the server chosen.
        chooseTab(window, 3);
        QDBusMessage clicked = QDBusMessage::createSignal(Path, Service, QStringLiteral("ActionInvoked"));
        clicked << uint(41) << QStringLiteral("default");
        QVERIFY(fakeBus.send(clicked));
        QTRY_COMPARE(control<TabStrip>(window, "Tab1")->selectedIndex(), 1);
        QVERIFY(page->isVisible());
        QTRY_COMPARE(table->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(table->selectionModel()->selectedRows()[0].data().toString(),
                 QStringLiteral("Night Arena"));

        // Without a notification service, the tray's tooltip carries the news.
        QVERIFY(fakeBus.unregisterService(Service));
        list.replies.append("192.0.2.9:5000 battle 1.24   [2/8] Dawn Hall\r\n");
        QTRY_VERIFY(alerts.toolTip().contains(QStringLiteral("2 players on Dawn Hall")));
        QCOMPARE(notifications.calls.size(), size_t(1));
        // Dawn Hall is not in the table: choosing it from the tray shows it greyed, joinable.
        alerts.activated(QStringLiteral("192.0.2.9"));
        const int last = page->servers().rowCount() - 1;
        QCOMPARE(page->servers().cell(last, servercolumns::Name), QStringLiteral("Dawn Hall"));
        QVERIFY(!page->servers().isListed(last) && page->servers().isLaunchable(last));

        // The interval and "favourites only" are kept too; off hides the tray.
        menu = page->tableMenu(empty);
        action(*menu, QStringLiteral("Ask every 5 minutes"))->trigger();
        action(*menu, QStringLiteral("Favourites only"))->trigger();
        action(*menu, QStringLiteral("Tell me when someone is playing"))->trigger();
        QVERIFY((stored(fakes) == ServerRecords::Alerts{false, 5, true}));
        QVERIFY(!alerts.trayShown());
    }

    // Alerts left on run again at the next start; closing the window ends the program with
    // nothing written and no tray left behind.
    void closingTheWindowEndsTheAlerts()
    {
        FakeServices fakes;
        fakes.records.contents = {RecordStorage::Contents::Read,
                                  ServerRecords::serialize({}, {}, {}, {true, 10, false}),
                                  {}};
        SystemDesktopAlerts alerts;
        Services services = fakes.services();
        services.alerts = &alerts;
        Form1 window(services);
        QSignalSpy ended(&window, &Form1::allWindowsClosed);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(alerts.trayShown());
        window.close();
        QTRY_COMPARE(ended.size(), 1);
        QVERIFY(!alerts.trayShown());
        QCOMPARE(fakes.records.writes, 0);
        QVERIFY(stored(fakes).on);
    }
};

QTEST_MAIN(TestAlerts)
#include "tst_alerts.moc"
