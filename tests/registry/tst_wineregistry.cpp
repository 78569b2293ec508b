#include "TestFiles.h"
#include "registry/ValueEncoding.h"
#include "wine/WineRegCommand.h"
#include "registry/WineRegistry.h"
#include "wine/WineServer.h"
#include "registry/modRegistryAPI.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString kKey123 =
    QStringLiteral(".DEFAULT\\Software\\Ventaloft\\Brix Quorrel 2\\1.23\\Player0");
const QString kKey124 =
    QStringLiteral(".DEFAULT\\Software\\Ventaloft\\Brix Quorrel 2 Special Edition\\1.24\\Player0");

// Wine's own userdef.reg of a new prefix, with the 1.23 profile the game leaves behind.
QByteArray userdefWith123()
{
    return readFile(QStringLiteral(REGISTRY_TEST_DATA "/wine-8.0-userdef.reg")) +
           "\n[Software\\\\Ventaloft\\\\Brix Quorrel 2\\\\1.23\\\\Player0] 1796626735\n"
           "#time=1dd86184898331e\n"
           "\"Char\"=hex:36,00,00,00\n"
           "\"Color\"=hex:01,02,03,04\n"
           "\"Name\"=\"Player\"\n";
}

QByteArray replaced(QByteArray content, const QByteArray& before, const QByteArray& after)
{
    if (content.count(before) != 1)
        qFatal("expected exactly one occurrence");
    return content.replace(before, after);
}

class FakeWineRunner : public WineRunner {
public:
    int run(const QStringList& arguments) override
    {
        calls.append(arguments);
        return arguments.value(1) == QLatin1String("query") ? queryAnswer : addAnswer;
    }
    QList<QStringList> calls;
    int queryAnswer = 0;
    int addAnswer = 0;
};

struct Prefix {
    QTemporaryDir dir;
    QString userdef() const { return dir.filePath(QStringLiteral("userdef.reg")); }
    QStringList entries() const
    {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

// A registry on the prefix with no Wine server running, and the runner it would use.
struct Offline {
    explicit Offline(const QString& prefix, WineRegistry::Hooks hooks = {})
    {
        auto fake = std::make_unique<FakeWineRunner>();
        runner = fake.get();
        if (!hooks.serverRunning)
            hooks.serverRunning = [] { return false; };
        registry = std::make_unique<WineRegistry>(prefix, std::move(fake), std::move(hooks));
        api = std::make_unique<modRegistryAPI>(*registry);
    }
    FakeWineRunner* runner;
    std::unique_ptr<WineRegistry> registry;
    std::unique_ptr<modRegistryAPI> api;
};

// A child process that holds the fcntl lock of a file the way a running Wine server does; a
// process never sees its own locks, so the lock must belong to another one.
class LockHolder {
public:
    explicit LockHolder(const QString& path)
    {
        int ready[2];
        if (::pipe(ready) != 0)
            qFatal("pipe");
        const QByteArray name = QFile::encodeName(path);
        m_pid = ::fork();
        if (m_pid == 0) {
            const int fd = ::open(name.constData(), O_RDWR | O_CREAT, 0600);
            struct flock lock {};
            lock.l_type = F_WRLCK;
            lock.l_whence = SEEK_SET;
            const char ok = fd >= 0 && ::fcntl(fd, F_SETLK, &lock) == 0 ? '1' : '0';
            (void)!::write(ready[1], &ok, 1);
            for (;;)
                ::pause();
        }
        ::close(ready[1]);
        char ok = '0';
        (void)!::read(ready[0], &ok, 1);
        ::close(ready[0]);
        m_locked = ok == '1';
    }
    ~LockHolder() { release(); }
    bool locked() const { return m_locked; }
    void release()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
    }

private:
    pid_t m_pid = -1;
    bool m_locked = false;
};

} // namespace

class TestWineRegistry : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writesOneValueIntoTheFile()
    {
        Prefix prefix;
        const QByteArray before = userdefWith123();
        writeFile(prefix.userdef(), before);
        Offline wine(prefix.dir.path());
        modRegistryAPI& api = *wine.api;

        QCOMPARE(api.KeyHandle, Registry::Key(0));
        QVERIFY(api.OpenKey(Registry::HkeyUsers, kKey123, Registry::KeyAllAccess));
        QVERIFY(api.KeyHandle != 0);
        QVERIFY(api.SetValue(api.KeyHandle, QStringLiteral("Color"), 3,
                             profile::furColorValueText(QStringLiteral("0A1B2C3D"))));
        const QByteArray afterColor =
            replaced(before, "\"Color\"=hex:01,02,03,04\n", "\"Color\"=hex:0a,1b,2c,3d\n");
        QCOMPARE(readFile(prefix.userdef()), afterColor);

        // Texts are kept whole, letters beyond Windows-1252 too: the game's own locale decides
        // the code page it reads them in.
        QVERIFY(api.SetValue(api.KeyHandle, QStringLiteral("NAME"), 1,
                             QStringLiteral("Zo\u00eb \u0141")));
        const QByteArray afterName =
            replaced(afterColor, "\"Name\"=\"Player\"\n", "\"Name\"=\"Zo\\x00eb \\x0141\"\n");
        QCOMPARE(readFile(prefix.userdef()), afterName);

        // Other value types write nothing.
        QVERIFY(!api.SetValue(api.KeyHandle, QStringLiteral("Char"), 4, QStringLiteral("&H1")));
        QCOMPARE(readFile(prefix.userdef()), afterName);
        QVERIFY(wine.runner->calls.isEmpty());
        QCOMPARE(prefix.entries(), QStringList{QStringLiteral("userdef.reg")});
    }

    void aMissingKeyLeavesTheFileAsItWas()
    {
        Prefix prefix;
        const QByteArray before = userdefWith123();
        writeFile(prefix.userdef(), before);
        const QFileInfo info(prefix.userdef());
        const QDateTime modified = info.lastModified();
        Offline wine(prefix.dir.path());

        QVERIFY(!wine.api->OpenKey(Registry::HkeyUsers, kKey124, Registry::KeyAllAccess));
        QCOMPARE(wine.api->KeyHandle, Registry::Key(0));
        QCOMPARE(readFile(prefix.userdef()), before);
        QCOMPARE(QFileInfo(prefix.userdef()).lastModified(), modified);
        QCOMPARE(prefix.entries(), QStringList{QStringLiteral("userdef.reg")});
    }

    void opensNothingItCannotRead_data()
    {
        QTest::addColumn<QByteArray>("userdef");
        QTest::addColumn<quint32>("root");
        QTest::addColumn<QString>("subKey");
        const QByteArray good = userdefWith123();
        const quint32 users = Registry::HkeyUsers;
        QTest::newRow("no userdef.reg") << QByteArray() << users << kKey123;
        QTest::newRow("not a Wine registry file")
            << QByteArray("REGEDIT4\n" + good.mid(good.indexOf('\n'))) << users << kKey123;
        QTest::newRow("damaged file") << good + "garbage\n" << users << kKey123;
        QTest::newRow("another root") << good << quint32(0x80000001) << kKey123;
        QTest::newRow("another user")
            << good << users << QStringLiteral("S-1-5-21-0-0-0-1000\\Software\\Ventaloft");
        QTest::newRow("empty part")
            << good << users << QStringLiteral(".DEFAULT\\Software\\\\Ventaloft");
        QTest::newRow("the root itself") << good << users << QStringLiteral(".DEFAULT");
    }
    void opensNothingItCannotRead()
    {
        QFETCH(QByteArray, userdef);
        QFETCH(quint32, root);
        QFETCH(QString, subKey);
        Prefix prefix;
        if (!userdef.isEmpty())
            writeFile(prefix.userdef(), userdef);
        Offline wine(prefix.dir.path());
        QVERIFY(!wine.api->OpenKey(root, subKey, Registry::KeyAllAccess));
        if (!userdef.isEmpty())
            QCOMPARE(readFile(prefix.userdef()), userdef);
        QVERIFY(wine.runner->calls.isEmpty());

        // A prefix that does not exist at all.
        Offline missing(prefix.dir.filePath(QStringLiteral("no-such-prefix")));
        QVERIFY(!missing.api->OpenKey(Registry::HkeyUsers, kKey123, Registry::KeyAllAccess));
        QVERIFY(!QFileInfo::exists(prefix.dir.filePath(QStringLiteral("no-such-prefix"))));
    }

    void aKeyGoneSinceOpeningIsNotCreatedAgain()
    {
        Prefix prefix;
        writeFile(prefix.userdef(), userdefWith123());
        Offline wine(prefix.dir.path());
        QVERIFY(wine.api->OpenKey(Registry::HkeyUsers, kKey123, Registry::KeyAllAccess));
        const QByteArray without =
            readFile(QStringLiteral(REGISTRY_TEST_DATA "/wine-8.0-userdef.reg"));
        writeFile(prefix.userdef(), without);
        QVERIFY(!wine.api->SetValue(wine.api->KeyHandle, QStringLiteral("Name"), 1,
                                    QStringLiteral("x")));
        QCOMPARE(readFile(prefix.userdef()), without);
    }

    void anInterruptedWriteLeavesTheOldFile()
    {
        Prefix prefix;
        const QByteArray before = userdefWith123();
        writeFile(prefix.userdef(), before);
        QByteArray seen;
        QString seenDir;
        WineRegistry::Hooks hooks;
        hooks.beforeReplace = [&](const QString& newFile) {
            seen = readFile(newFile);
            seenDir = QFileInfo(newFile).absolutePath();
            return false; // the program stops here
        };
        Offline wine(prefix.dir.path(), hooks);
        QVERIFY(wine.api->OpenKey(Registry::HkeyUsers, kKey123, Registry::KeyAllAccess));
        QVERIFY(!wine.api->SetValue(wine.api->KeyHandle, QStringLiteral("Color"), 3,
                                    QStringLiteral("&HFFFFFFFF")));
        // The whole new file was ready beside the old one, which was never touched.
        QCOMPARE(seen, replaced(before, "hex:01,02,03,04", "hex:ff,ff,ff,ff"));
        QCOMPARE(seenDir, QFileInfo(prefix.userdef()).absolutePath());
        QCOMPARE(readFile(prefix.userdef()), before);
        QCOMPARE(prefix.entries(), QStringList{QStringLiteral("userdef.reg")});
    }

    void keepsPermissionsAndLinks()
    {
        Prefix prefix;
        const QString real = prefix.dir.filePath(QStringLiteral("real.reg"));
        writeFile(real, userdefWith123());
        QVERIFY(::chmod(QFile::encodeName(real).constData(), 0640) == 0);
        QVERIFY(QFile::link(real, prefix.userdef()));
        Offline wine(prefix.dir.path());
        QVERIFY(wine.api->OpenKey(Registry::HkeyUsers, kKey123, Registry::KeyAllAccess));
        QVERIFY(wine.api->SetValue(wine.api->KeyHandle, QStringLiteral("Char"), 3,
                                   QStringLiteral("&H00000055")));
        QVERIFY(QFileInfo(prefix.userdef()).isSymLink());
        QVERIFY(readFile(real).contains("\"Char\"=hex:55,00,00,00\n"));
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(real).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, mode_t(0640));
    }

    void aRunningServerIsWrittenThroughRegCommand()
    {
        Prefix prefix;
        const QByteArray before = userdefWith123();
        writeFile(prefix.userdef(), before);
        WineRegistry::Hooks hooks;
        hooks.serverRunning = [] { return true; };
        Offline wine(prefix.dir.path(), hooks);
        const QString fullKey = QStringLiteral("HKEY_USERS\\") + kKey124;
        const QStringList query = {QStringLiteral("reg"), QStringLiteral("query"), fullKey};

        QVERIFY(wine.api->OpenKey(Registry::HkeyUsers, kKey124, Registry::KeyAllAccess));
        QCOMPARE(wine.runner->calls, QList<QStringList>{query});
        wine.runner->calls.clear();

        QVERIFY(wine.api->SetValue(wine.api->KeyHandle, QStringLiteral("Color"), 3,
                                   QStringLiteral("&H3D2C1B0A")));
        QVERIFY(wine.api->SetValue(wine.api->KeyHandle, QStringLiteral("Name"), 1,
                                   QStringLiteral("Zo\u00eb \"1\"")));
        const QList<QStringList> expected = {
            query,
            {QStringLiteral("reg"), QStringLiteral("add"), fullKey, QStringLiteral("/v"),
             QStringLiteral("Color"), QStringLiteral("/t"), QStringLiteral("REG_BINARY"),
             QStringLiteral("/d"), QStringLiteral("0A1B2C3D"), QStringLiteral("/f")},
            query,
            {QStringLiteral("reg"), QStringLiteral("add"), fullKey, QStringLiteral("/v"),
             QStringLiteral("Name"), QStringLiteral("/t"), QStringLiteral("REG_SZ"),
             QStringLiteral("/d"), QStringLiteral("Zo\u00eb \"1\""), QStringLiteral("/f")}};
        QCOMPARE(wine.runner->calls, expected);

        // `reg add` would create a key that has gone: it is not called then.
        wine.runner->calls.clear();
        wine.runner->queryAnswer = 1;
        QVERIFY(!wine.api->SetValue(wine.api->KeyHandle, QStringLiteral("Name"), 1,
                                    QStringLiteral("x")));
        QCOMPARE(wine.runner->calls, QList<QStringList>{query});
        QVERIFY(!wine.api->OpenKey(Registry::HkeyUsers, kKey124, Registry::KeyAllAccess));
        QCOMPARE(readFile(prefix.userdef()), before);
    }

    void aServerStartingDuringTheEditTakesOver()
    {
        Prefix prefix;
        const QByteArray before = userdefWith123();
        writeFile(prefix.userdef(), before);
        int asked = 0;
        WineRegistry::Hooks hooks;
        // Not running while the key is opened and the file is read, running once the new file
        // has been written.
        hooks.serverRunning = [&] { return ++asked > 2; };
        Offline wine(prefix.dir.path(), hooks);
        QVERIFY(wine.api->OpenKey(Registry::HkeyUsers, kKey123, Registry::KeyAllAccess));
        QVERIFY(wine.api->SetValue(wine.api->KeyHandle, QStringLiteral("Name"), 1,
                                   QStringLiteral("Abc")));
        QCOMPARE(wine.runner->calls.size(), 2);
        QCOMPARE(wine.runner->calls.last().mid(0, 2),
                 (QStringList{QStringLiteral("reg"), QStringLiteral("add")}));
        QCOMPARE(readFile(prefix.userdef()), before);
        QCOMPARE(prefix.entries(), QStringList{QStringLiteral("userdef.reg")});
    }

    void findsTheServerByItsLock()
    {
        Prefix prefix;
        writeFile(prefix.userdef(), userdefWith123());
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(prefix.dir.path()).constData(), &st), 0);
        const QString serverDir = QStringLiteral("server-%1-%2")
                                      .arg(qulonglong(st.st_dev), 0, 16)
                                      .arg(qulonglong(st.st_ino), 0, 16);

        // Debian's Wine names its server's directory in the prefix's "wineserver" file, below
        // the temporary directory.
        QTemporaryDir tmp;
        const QByteArray oldTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(tmp.path()));
        writeFile(prefix.dir.filePath(QStringLiteral("wineserver")), "wine-AbC123");
        const QString lock =
            tmp.filePath(QStringLiteral("wine-AbC123/") + serverDir + QStringLiteral("/lock"));
        QVERIFY(QDir().mkpath(QFileInfo(lock).absolutePath()));
        const QStringList locks = wineServerLockFiles(prefix.dir.path());
        QVERIFY(locks.contains(QStringLiteral("/tmp/.wine-%1/").arg(::getuid()) + serverDir +
                               QStringLiteral("/lock")));
        QVERIFY(locks.contains(lock));
        QVERIFY(!wineServerRunning(prefix.dir.path()));

        // A name that leads out of the temporary directory is not followed.
        writeFile(prefix.dir.filePath(QStringLiteral("wineserver")), "../etc");
        QCOMPARE(wineServerLockFiles(prefix.dir.path()).size(), 1);
        writeFile(prefix.dir.filePath(QStringLiteral("wineserver")), "wine-AbC123");

        {
            LockHolder server(lock);
            QVERIFY(server.locked());
            QVERIFY(fileLockHeld(lock));
            QVERIFY(wineServerRunning(prefix.dir.path()));

            // With the default look at the lock, the registry goes through `reg` now.
            auto fake = std::make_unique<FakeWineRunner>();
            FakeWineRunner* runner = fake.get();
            WineRegistry registry(prefix.dir.path(), std::move(fake), {});
            QVERIFY(registry.openKey(Registry::HkeyUsers, encoding::toAnsi(kKey123),
                                     Registry::KeyAllAccess));
            QCOMPARE(runner->calls.size(), 1);
            server.release();
            QVERIFY(!wineServerRunning(prefix.dir.path()));
        }
        if (oldTmp.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", oldTmp);
    }

    void theWindowKeepsWorkingWhileWineRuns()
    {
        // A slow `wine`: the events of the window (here a 10 ms timer) go on meanwhile, and
        // one that does not finish in time is stopped.
        QTemporaryDir bin;
        const QString wine = bin.filePath(QStringLiteral("wine"));
        writeFile(wine, "#!/bin/sh\nsleep \"$3\"\nexit 3\n");
        QVERIFY(QFile::setPermissions(wine, QFile::ReadOwner | QFile::ExeOwner));
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", bin.path().toUtf8() + ':' + oldPath);
        int ticks = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(10);
        ProcessWineRunner runner(bin.path(), 2000);
        QCOMPARE(
            runner.run({QStringLiteral("reg"), QStringLiteral("query"), QStringLiteral("0.3")}), 3);
        QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(runner.run({QStringLiteral("reg"), QStringLiteral("query"), QStringLiteral("30")}),
                 -1);
        QVERIFY(clock.elapsed() < 10000);
        qputenv("PATH", oldPath);
    }
};

QTEST_GUILESS_MAIN(TestWineRegistry)
#include "tst_wineregistry.moc"
