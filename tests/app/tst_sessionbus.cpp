#include "app/SessionBus.h"

#include <QDBusConnection>
#include <QTest>

class TestSessionBus : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The connector makes the program's one session-bus connection on its own thread: once it
    // is gone, the connection the accessibility bridge and the alerts will ask for is there,
    // though nobody on this thread has asked for it yet. Looking a connection up by its name
    // never connects.
    void theSharedConnectionIsMadeBeforeAnyoneAsks()
    {
        const QString name = QStringLiteral("qt_default_session_bus");
        QVERIFY(!QDBusConnection(name).isConnected());
        {
            const SessionBusConnector connector;
        }
        QVERIFY(QDBusConnection(name).isConnected());
        QCOMPARE(QDBusConnection::sessionBus().name(), name);
    }
};

QTEST_GUILESS_MAIN(TestSessionBus)
#include "tst_sessionbus.moc"
