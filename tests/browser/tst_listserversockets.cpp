// The network module that the launcher loads at the first Refresh, loaded from the build.
#include "browser/SystemListServerSockets.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

class TestListServerSockets : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theModuleConnectsReceivesAndReportsTheEnd()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        SystemListServerSockets sockets(
            {QStringLiteral("/nonexistent"), QStringLiteral(NETWORK_MODULE_DIR)});
        QObject page;
        QByteArray received;
        bool closed = false;
        QString reason;
        std::unique_ptr<ListServerSocket> socket =
            sockets.open(&page, QStringLiteral("Winsock1"),
                         {[&](const QByteArray& bytes) { received += bytes; },
                          [&] { closed = true; }, [](ListServerSocket::Error, const QString&) {}},
                         &reason);
        QVERIFY2(socket, qPrintable(reason));
        // The socket itself hangs below the page under its designed name.
        QVERIFY(page.findChild<QTcpSocket*>(QStringLiteral("Winsock1")));

        socket->connectTo(QStringLiteral("127.0.0.1"), server.serverPort());
        QVERIFY(server.waitForNewConnection(5000));
        std::unique_ptr<QTcpSocket> peer(server.nextPendingConnection());
        peer->write("first line\nsecond");
        QTRY_COMPARE(received, QByteArray("first line\nsecond"));
        peer->disconnectFromHost();
        QTRY_VERIFY(closed);

        // Gone with its owner, the socket leaves the page.
        socket.reset();
        QVERIFY(!page.findChild<QTcpSocket*>());
    }

    void aMissingModuleIsReportedWithTheFoldersReason()
    {
        SystemListServerSockets sockets({QStringLiteral("/nonexistent")});
        QObject page;
        QString reason;
        QVERIFY(!sockets.open(&page, QStringLiteral("Winsock1"), {}, &reason));
        QVERIFY2(reason.contains(QStringLiteral("/nonexistent")), qPrintable(reason));
        QVERIFY(page.children().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestListServerSockets)
#include "tst_listserversockets.moc"
