#include "FakeServices.h"
#include "WindowTestHelpers.h"

#include "app/Form1.h"
#include "app/ProgramOptions.h"

#include <QCheckBox>
#include <QDir>
#include <QTemporaryDir>
#include <QProcess>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTreeView>

// The launcher's command line: the real program for what a user sees in the terminal, the
// parser itself for the list server it chooses.
class TestProgramOptions : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theProgramAnswersInTheTerminal_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output"); // the start of standard output
        QTest::addColumn<QString>("error");  // a part of standard error; empty: nothing at all

        QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0
                              << QStringLiteral("Usage: korvane [options]") << QString();
        QTest::newRow("version") << QStringList{QStringLiteral("--version")} << 0
                                 << QStringLiteral("Korvane 1.4\n") << QString();
        QTest::newRow("unknown option")
            << QStringList{QStringLiteral("--bogus")} << 2 << QString()
            << QStringLiteral("korvane: Unknown option 'bogus'.\nTry 'korvane --help'");
        QTest::newRow("one dash") << QStringList{QStringLiteral("-bogus")} << 2 << QString()
                                  << QStringLiteral("korvane: Unknown option 'bogus'.");
        // Qt's own options are Qt's: taken, and the program goes on to what else was asked.
        QTest::newRow("Qt's options")
            << QStringList{QStringLiteral("-session"),  QStringLiteral("1a2b3c"),
                           QStringLiteral("-style=fusion"), QStringLiteral("-reverse"),
                           QStringLiteral("-geometry"), QStringLiteral("+0+0"),
                           QStringLiteral("--version")}
            << 0 << QStringLiteral("Korvane 1.4\n") << QString();
        QTest::newRow("hostile link")
            << QStringList{QStringLiteral("brix2://192.0.2.7/\x1b]0;x\x07")} << 2 << QString()
            << QStringLiteral("join link is refused: it holds a control character");
        QTest::newRow("another scheme")
            << QStringList{QStringLiteral("http://192.0.2.7")} << 2 << QString()
            << QStringLiteral("it is not a brix2:// link");
        QTest::newRow("two links") << QStringList{QStringLiteral("brix2://a"), QStringLiteral("brix2://b")}
                                   << 2 << QString() << QStringLiteral("one server at a time");
        QTest::newRow("bad --connect")
            << QStringList{QStringLiteral("--connect"), QStringLiteral("-server")} << 2 << QString()
            << QStringLiteral("--connect wants ADDRESS or ADDRESS:PORT: the address starts");
        QTest::newRow("help with one dash")
            << QStringList{QStringLiteral("-help")} << 0
            << QStringLiteral("Usage: korvane [options]") << QString();
        QTest::newRow("malformed list server")
            << QStringList{QStringLiteral("--list-server"), QStringLiteral("bad:port:x")} << 2
            << QString() << QStringLiteral("not 'bad:port:x'");
        QTest::newRow("port out of range")
            << QStringList{QStringLiteral("--list-server=list.example:65536")} << 2 << QString()
            << QStringLiteral("a port from 1 to 65535");
        QTest::newRow("no list server named")
            << QStringList{QStringLiteral("--list-server")} << 2 << QString()
            << QStringLiteral("Missing value after '--list-server'");
        QTest::newRow("a stray argument")
            << QStringList{QStringLiteral("level.b2l")} << 2 << QString()
            << QStringLiteral("unexpected argument 'level.b2l'");
#ifndef Q_OS_WIN
        QTest::newRow("registering links")
            << QStringList{QStringLiteral("--register-links")} << 1 << QString()
            << QStringLiteral("registered by the desktop entry");
#endif
    }

    // Nothing of the window system may be touched: with no display and a platform that does not
    // exist, a program that opened a window would abort instead.
    void theProgramAnswersInTheTerminal()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QFETCH(QString, error);
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(KORVANE_BINARY), arguments);
        QVERIFY(process.waitForFinished(10000));
        // Windows writes its text-mode line ends as CR LF.
        const QString out = QString::fromLocal8Bit(process.readAllStandardOutput())
                                .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        const QString err = QString::fromLocal8Bit(process.readAllStandardError())
                                .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), exitCode);
        QVERIFY2(output.isEmpty() ? out.isEmpty() : out.startsWith(output), qPrintable(out));
        QVERIFY2(error.isEmpty() ? err.isEmpty() : err.contains(error), qPrintable(err));
    }

    // A session manager restarts the launcher with -session: it must come up, not end with 2.
    void aSessionRestartOpensTheWindow()
    {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        QVERIFY(QDir(home.path()).mkdir(QStringLiteral("run")));
        QFile::setPermissions(home.filePath(QStringLiteral("run")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("run")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("cfg")));
        process.setProcessEnvironment(environment);
        const QStringList arguments = {QStringLiteral("-session"), QStringLiteral("10d7f3a2b"),
                                       QStringLiteral("-platform"), QStringLiteral("offscreen")};
#ifdef Q_OS_WIN
        process.start(QStringLiteral(KORVANE_BINARY), arguments);
        QVERIFY2(!process.waitForFinished(3000), process.readAllStandardError().constData());
        process.kill();
        process.waitForFinished();
#else
        // Its own session bus; after three seconds of running it is ended, which timeout
        // reports as 124, where an early end would report the launcher's own status.
        process.start(QStringLiteral("dbus-run-session"),
                      QStringList{QStringLiteral("--"), QStringLiteral("timeout"),
                                  QStringLiteral("3"), QStringLiteral(KORVANE_BINARY)} +
                          arguments);
        QVERIFY(process.waitForFinished(20000));
        QVERIFY2(process.exitCode() == 124, process.readAllStandardError().constData());
#endif
    }

    void linksAndConnectNameTheSameServer()
    {
        const auto linkOf = [](const QStringList& arguments) {
            return parseProgramOptions(QStringList{QStringLiteral("korvane")} + arguments).link;
        };
        const std::optional<JoinLink> fromLink =
            linkOf({QStringLiteral("brix2://[2001:db8::7]:10054")});
        QVERIFY(fromLink);
        QCOMPARE(fromLink->address, QStringLiteral("2001:db8::7"));
        QCOMPARE(linkOf({QStringLiteral("--connect"), QStringLiteral("[2001:db8::7]:10054")}),
                 fromLink);
        QVERIFY(!linkOf({}));
    }

    void withoutOptionsTheShippedListServersAreAsked()
    {
        const ProgramOptions options = parseProgramOptions({QStringLiteral("korvane")});
        QVERIFY(options.run);
        const ListServerHosts& asked = options.listServers;
        QCOMPARE(asked.primary.host, QStringLiteral("list.brixquorrel.net"));
        QCOMPARE(asked.pellamMirror.host, QStringLiteral("pellam.brixquorrel.net"));
        QCOMPARE(asked.corvinMirror.host, QStringLiteral("corvin.brixquorrel.net"));
        for (const ListServer& server : {asked.primary, asked.pellamMirror, asked.corvinMirror})
            QCOMPARE(server.port, quint16(10057));
    }

    void listServerTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("host"); // empty: refused
        QTest::addColumn<int>("port");

        QTest::newRow("name") << QStringLiteral("list.example.org")
                              << QStringLiteral("list.example.org") << 10057;
        QTest::newRow("address and port")
            << QStringLiteral("192.0.2.7:4000") << QStringLiteral("192.0.2.7") << 4000;
        QTest::newRow("IPv6 with port")
            << QStringLiteral("[::1]:65535") << QStringLiteral("::1") << 65535;
        QTest::newRow("IPv6 alone")
            << QStringLiteral("[2001:db8::7]") << QStringLiteral("2001:db8::7") << 10057;
        for (const char* bad :
             {"", ":10057", "host:", "host:0", "host:65536", "host:12a", "host:+5", "two words",
              "bad:port:x", "[::1", "[::1]5", "[not-v6]:5", "-host", "host..name", "::1"})
            QTest::newRow(bad) << QString::fromLatin1(bad) << QString() << 0;
    }

    void listServerTexts()
    {
        QFETCH(QString, text);
        QFETCH(QString, host);
        QFETCH(int, port);
        const std::optional<ListServer> server = parseListServer(text);
        QCOMPARE(server.has_value(), !host.isEmpty());
        if (server) {
            QCOMPARE(server->host, host);
            QCOMPARE(int(server->port), port);
        }
    }

    // The window asks the list server named on the command line, on its port, once both mirror
    // boxes are unticked; the mirrors stay as they were.
    void theWindowAsksTheChosenListServer()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0));
        QVERIFY(server.serverPort() != ListServer::DefaultPort);
        const ProgramOptions options =
            parseProgramOptions({QStringLiteral("korvane"), QStringLiteral("--list-server"),
                                 QStringLiteral("127.0.0.1:%1").arg(server.serverPort())});
        QVERIFY(options.run);
        const ListServerHosts defaults = defaultListServerHosts();
        QCOMPARE(options.listServers.pellamMirror.host, defaults.pellamMirror.host);
        QCOMPARE(options.listServers.corvinMirror.port, ListServer::DefaultPort);

        FakeServices fakes;
        fakes.listServers = options.listServers;
        Form1 window(fakes.services());
        window.show();
        QTest::mouseClick(control<QCheckBox>(window, "Check1"), Qt::LeftButton);
        QTest::mouseClick(control<QCheckBox>(window, "Check2"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(window, "Command5"), Qt::LeftButton);
        QTRY_VERIFY(server.hasPendingConnections());
        std::unique_ptr<QTcpSocket> peer(server.nextPendingConnection());
        peer->write("192.0.2.7:5000 battle 1.24   [3/16] Community\r\n");
        peer->flush();
        const QAbstractItemModel* rows = control<QTreeView>(window, "ListView1")->model();
        QTRY_COMPARE(rows->rowCount(), 1);
        QCOMPARE(rows->index(0, 0).data().toString(), QStringLiteral("Community"));
    }
};

QTEST_MAIN(TestProgramOptions)
#include "tst_programoptions.moc"
