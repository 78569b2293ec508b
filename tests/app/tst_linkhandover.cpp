#include "app/LinkHandover.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_WIN
#include <QSettings>

#include <windows.h>

#include <aclapi.h>

#include <vector>
#else
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

// A later launcher given a link hands it to the one that runs; this test is the running one,
// and the real program the later one. The socket is per user and admits nobody else.
class TestLinkHandover : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    QString m_runtime;

    // The real program with its own session bus, home and runtime folder; its exit status.
    int runLauncher(const QStringList& arguments, QByteArray* error = nullptr)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), m_home.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("c")));
        process.setProcessEnvironment(environment);
#ifdef Q_OS_WIN
        process.start(QStringLiteral(KORVANE_BINARY), arguments);
#else
        process.start(QStringLiteral("dbus-run-session"),
                      QStringList{QStringLiteral("--"), QStringLiteral(KORVANE_BINARY)} +
                          arguments);
#endif
        // The events go on meanwhile: this test answers the hand-over. The window would open if
        // the hand-over failed, and the launcher would not end.
        if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 20000)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        if (error)
            *error = process.readAllStandardError();
        return process.exitCode();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        m_runtime = m_home.filePath(QStringLiteral("run"));
        QVERIFY(QDir().mkdir(m_runtime));
        QVERIFY(QFile::setPermissions(m_runtime,
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("XDG_RUNTIME_DIR", m_runtime.toLocal8Bit());
    }

    void aLinkReachesTheRunningLauncherAndNothingElseDoes()
    {
        LinkListener running(linkChannelName());
        QVERIFY(running.listen());
        QSignalSpy received(&running, &LinkListener::linkReceived);

        QCOMPARE(runLauncher({QStringLiteral("brix2://192.0.2.7:10054")}), 0);
        QTRY_COMPARE(received.size(), 1);
        QCOMPARE(received[0][0].value<JoinLink>().text(),
                 QStringLiteral("brix2://192.0.2.7:10054"));
        QCOMPARE(runLauncher({QStringLiteral("--connect"), QStringLiteral("[::1]")}), 0);
        QTRY_COMPARE(received.size(), 2);

        // Refused where it was given: status 2, a message, and nothing handed over.
        QByteArray error;
        QCOMPARE(runLauncher({QStringLiteral("brix2://192.0.2.7/?-server")}, &error), 2);
        QVERIFY2(error.contains("join link is refused"), error.constData());
        // A peer that is no launcher is checked all the same.
        QLocalSocket raw;
        raw.connectToServer(running.fullServerName());
        QVERIFY(raw.waitForConnected(5000));
        raw.write("brix2://-server\n");
        QByteArray answer;
        QTRY_COMPARE(answer += raw.readAll(), QByteArray("refused\n"));
        QTest::qWait(100);
        QCOMPARE(received.size(), 2);

        // One launcher answers: a second one does not take the socket over.
        LinkListener second(linkChannelName());
        QVERIFY(!second.listen());
    }

#ifdef Q_OS_WIN
    // Registered for the user, a link started through the shell ("start brix2://...") reaches
    // the running launcher; unregistered, the key is gone.
    void registeredLinksReachTheLauncherThroughTheShell()
    {
        QCOMPARE(runLauncher({QStringLiteral("--register-links")}), 0);
        const QString key = QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes\\brix2");
        {
            QSettings classes(key, QSettings::NativeFormat);
            QVERIFY(classes.contains(QStringLiteral("URL Protocol")));
            // The program, quoted, then the link as one argument.
            const QString command =
                classes.value(QStringLiteral("shell/open/command/Default")).toString();
            QVERIFY2(command.startsWith(QLatin1Char('"')) &&
                         command.endsWith(QStringLiteral("\" \"%1\"")),
                     qPrintable(command));
            QCOMPARE(QFileInfo(command.mid(1, command.size() - 7)),
                     QFileInfo(QStringLiteral(KORVANE_BINARY)));
        }
        LinkListener running(linkChannelName());
        QVERIFY(running.listen());
        QSignalSpy received(&running, &LinkListener::linkReceived);
        QProcess start;
        start.start(QStringLiteral("start.exe"), {QStringLiteral("brix2://192.0.2.7")});
        QTRY_COMPARE_WITH_TIMEOUT(received.size(), 1, 30000);
        QCOMPARE(received[0][0].value<JoinLink>().address, QStringLiteral("192.0.2.7"));
        start.waitForFinished();

        QCOMPARE(runLauncher({QStringLiteral("--unregister-links")}), 0);
        QVERIFY(!QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes"),
                           QSettings::NativeFormat)
                     .childGroups()
                     .contains(QStringLiteral("brix2"), Qt::CaseInsensitive));
    }

    // Pipe names are public on Windows; the pipe's access list is what keeps other users out:
    // it must exist (an empty one admits everyone) and admit this user alone.
    void thePipeAdmitsTheUserAlone()
    {
        LinkListener running(linkChannelName());
        QVERIFY(running.listen());
        const std::wstring path = running.fullServerName().toStdWString();
        HANDLE pipe =
            CreateFileW(path.c_str(), READ_CONTROL, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        QVERIFY(pipe != INVALID_HANDLE_VALUE);
        PACL dacl = nullptr;
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        const DWORD read = GetSecurityInfo(pipe, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION,
                                           nullptr, nullptr, &dacl, nullptr, &descriptor);
        CloseHandle(pipe);
        QCOMPARE(read, DWORD(ERROR_SUCCESS));
        QVERIFY(dacl);

        HANDLE token = nullptr;
        QVERIFY(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
        DWORD size = 0;
        GetTokenInformation(token, TokenUser, nullptr, 0, &size);
        std::vector<char> user(size);
        QVERIFY(GetTokenInformation(token, TokenUser, user.data(), size, &size));
        CloseHandle(token);
        const PSID me = reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid;
        int admitted = 0;
        for (DWORD i = 0; i < dacl->AceCount; ++i) {
            void* ace = nullptr;
            QVERIFY(GetAce(dacl, i, &ace));
            if (static_cast<ACE_HEADER*>(ace)->AceType != ACCESS_ALLOWED_ACE_TYPE)
                continue;
            ++admitted;
            QVERIFY2(EqualSid(&static_cast<ACCESS_ALLOWED_ACE*>(ace)->SidStart, me),
                     "the pipe admits someone else");
        }
        LocalFree(descriptor);
        QVERIFY(admitted > 0);
    }

    // Started with no console, as from Explorer: a mistake shows in a message box, with the
    // options under it, and the program ends with 2 once it is closed.
    void withoutAConsoleAMistakeShowsInAMessageBox()
    {
        std::wstring line =
            (QLatin1Char('"') + QDir::toNativeSeparators(QStringLiteral(KORVANE_BINARY)) +
             QStringLiteral("\" --bogus"))
                .toStdWString();
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES; // none: no pipe, no file, no console
        PROCESS_INFORMATION process{};
        QVERIFY(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS,
                               nullptr, nullptr, &startup, &process));
        CloseHandle(process.hThread);
        HWND box = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((box = FindWindowW(nullptr, L"Korvane 1.4")) != nullptr, 20000);
        wchar_t text[4096] = {};
        GetDlgItemTextW(box, 0xFFFF, text, int(std::size(text)));
        const QString shown = QString::fromWCharArray(text);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        const bool ended = WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0;
        DWORD status = 0;
        GetExitCodeProcess(process.hProcess, &status);
        if (!ended)
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hProcess);
        QVERIFY2(shown.contains(QStringLiteral("Unknown option 'bogus'")), qPrintable(shown));
        QVERIFY2(shown.contains(QStringLiteral("Usage: korvane")), qPrintable(shown));
        QVERIFY(ended);
        QCOMPARE(status, DWORD(2));
    }
#else
    void theSocketIsTheUsersAlone()
    {
        LinkListener running(linkChannelName());
        QVERIFY(running.listen());
        struct stat socketStatus {};
        struct stat directoryStatus {};
        const QByteArray path = QFile::encodeName(running.fullServerName());
        QVERIFY(::stat(path.constData(), &socketStatus) == 0);
        QVERIFY(S_ISSOCK(socketStatus.st_mode));
        QCOMPARE(socketStatus.st_mode & 077, 0u);
        QCOMPARE(socketStatus.st_uid, ::getuid());
        QVERIFY(::stat(QFile::encodeName(QFileInfo(running.fullServerName()).path()).constData(),
                       &directoryStatus) == 0);
        QCOMPARE(directoryStatus.st_mode & 0777, 0700u);
    }

    // A runtime folder that others may enter is not used; a socket left by a launcher that died
    // is cleared.
    void anOpenFolderAndALeftSocketAreNotTrusted()
    {
        QVERIFY(QFile::setPermissions(m_runtime, QFile::ReadOwner | QFile::WriteOwner |
                                                     QFile::ExeOwner | QFile::ExeOther));
        const QString fallback = linkChannelName();
        QVERIFY(QFile::setPermissions(m_runtime,
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY2(!fallback.startsWith(m_runtime), qPrintable(fallback));
        QVERIFY(!fallback.isEmpty());

        const QString name = linkChannelName();
        const int left = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, QFile::encodeName(name).constData(), sizeof address.sun_path);
        QVERIFY(::bind(left, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
        ::close(left);
        LinkListener running(name);
        QVERIFY(running.listen());
    }
#endif
};

QTEST_GUILESS_MAIN(TestLinkHandover)
#include "tst_linkhandover.moc"
