#include "FakeServices.h"
#include "WindowTestHelpers.h"

#include "app/Form1.h"
#include "launch/GameDirectory.h"
#include "pages/SetupPage.h"
#include "registry/WineRegistry.h"
#include "wine/WinePrefix.h"
#include "wine/WineServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

const QString kKey123 =
    QStringLiteral("HKEY_USERS\\.DEFAULT\\Software\\Ventaloft\\Brix Quorrel 2\\1.23\\Player0");

struct Run {
    int code = -1;
    QByteArray out;
};

} // namespace

// The profile buttons against a real Wine: a throwaway prefix in which only the 1.23 profile
// exists, written once while a Wine server runs (through `reg`) and once while none does (the
// file), and read back with Wine's own tools. The prefix's path has blanks and non-ASCII letters,
// as a player's folders may.
class TestWineIntegration : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_prefix;
    bool m_created = false;

    Run run(const QString& program, const QStringList& arguments, int timeoutMs = 600000)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("WINEPREFIX"), m_prefix);
        environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
        // No Mono or Gecko installer in a prefix that only holds registry keys.
        environment.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml="));
        process.setProcessEnvironment(environment);
        process.setStandardInputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(QStandardPaths::findExecutable(program), arguments);
        Run result;
        if (!process.waitForFinished(timeoutMs)) {
            process.kill();
            process.waitForFinished();
            return result;
        }
        result.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = process.readAllStandardOutput();
        return result;
    }

    bool waitForServer(bool running)
    {
        const QDeadlineTimer deadline(60000);
        while (wineServerRunning(m_prefix) != running) {
            if (deadline.hasExpired())
                return false;
            QTest::qWait(100);
        }
        return true;
    }

    // The value lines of `reg query`, such as "Color    REG_BINARY    0A1B2C3D".
    QStringList queryLines(const QString& key)
    {
        const Run query =
            run(QStringLiteral("wine"), {QStringLiteral("reg"), QStringLiteral("query"), key});
        QStringList lines;
        for (const QByteArray& line : query.out.split('\n')) {
            const QString text = QString::fromLatin1(line).trimmed();
            if (text.contains(QLatin1String("REG_")))
                lines.append(
                    text.split(QLatin1Char(' '), Qt::SkipEmptyParts).join(QLatin1Char(' ')));
        }
        return lines;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("wine")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("wineserver")).isEmpty())
            QSKIP("wine and wineserver are not on PATH: this test needs a real Wine "
                  "(on Debian: apt-get install wine)");
        QVERIFY(m_root.isValid());
        m_prefix = m_root.filePath(QStringLiteral("Spiele f\u00fcr Zo\u00eb/brix pfx"));
        QVERIFY(QDir().mkpath(m_prefix));
        // Creates the prefix, then the one profile key.
        const Run add = run(QStringLiteral("wine"), {QStringLiteral("reg"), QStringLiteral("add"),
                                                     kKey123, QStringLiteral("/f")});
        m_created = true;
        QCOMPARE(add.code, 0);
        run(QStringLiteral("wineserver"), {QStringLiteral("-w")});
        QVERIFY(waitForServer(false));
    }

    void cleanupTestCase()
    {
        if (!m_created)
            return;
        run(QStringLiteral("wineserver"), {QStringLiteral("-k")}, 60000);
        // Debian's Wine leaves the server's private directory in /tmp, named in the prefix.
        QFile name(m_prefix + QStringLiteral("/wineserver"));
        if (name.open(QIODevice::ReadOnly)) {
            const QString dir = QString::fromLocal8Bit(name.readAll()).trimmed();
            if (dir.startsWith(QLatin1String("wine-")) && !dir.contains(QLatin1Char('/')))
                QDir(QDir::tempPath() + QLatin1Char('/') + dir).removeRecursively();
        }
    }

    void profileButtonsWriteWhatWineReads()
    {
        FakeServices fakes;
        GameDir gameDir;
        WineRegistry registry(m_prefix);
        SetupPage page(registry, fakes.settings, fakes.messages, gameDir);
        auto press = [&](const char* button) {
            QTest::mouseClick(control<QPushButton>(page, button), Qt::LeftButton);
        };

        // A server holds the registry: the values go through `wine reg`.
        QCOMPARE(run(QStringLiteral("wineserver"), {QStringLiteral("-p")}).code, 0);
        QVERIFY(waitForServer(true));
        control<QLineEdit>(page, "FurColors")->setText(QStringLiteral("0A1B2C3D"));
        control<QRadioButton>(page, "Vosk")->setChecked(true);
        press("Command8");
        press("Command10");
        QStringList lines = queryLines(kKey123);
        QVERIFY2(lines.contains(QStringLiteral("Color REG_BINARY 0A1B2C3D")),
                 qPrintable(lines.join(u'|')));
        QVERIFY2(lines.contains(QStringLiteral("Char REG_BINARY 55000000")),
                 qPrintable(lines.join(u'|')));

        // The server saves them when it goes; from now on the file is edited directly.
        run(QStringLiteral("wineserver"), {QStringLiteral("-k")}, 60000);
        QVERIFY(waitForServer(false));
        QFile userdef(registry.userdefPath());
        QVERIFY(userdef.open(QIODevice::ReadOnly));
        QVERIFY(userdef.readAll().contains("\"Color\"=hex:0a,1b,2c,3d"));
        userdef.close();

        control<QLineEdit>(page, "Alias")->setText(QStringLiteral("Zo\u00eb"));
        control<QLineEdit>(page, "FurColors")->setText(QStringLiteral("FFFFFFFF"));
        control<QRadioButton>(page, "Nyla")->setChecked(true);
        press("Command6");
        press("Command9"); // no 1.24 profile: nothing happens
        press("Command10");
        QCOMPARE(fakes.messages.shown.size(), size_t(1));
        press("Command8");
        press("Command7");
        press("Command11");
        QVERIFY(!wineServerRunning(m_prefix));

        lines = queryLines(kKey123);
        QVERIFY2(lines.contains(QStringLiteral("Color REG_BINARY FFFFFFFF")),
                 qPrintable(lines.join(u'|')));
        QVERIFY2(lines.contains(QStringLiteral("Char REG_BINARY 36000000")),
                 qPrintable(lines.join(u'|')));
        // `reg query` prints in the console's code page; an export keeps the name intact.
        const QString exported = m_prefix + QStringLiteral("/export.reg");
        QCOMPARE(run(QStringLiteral("wine"), {QStringLiteral("reg"), QStringLiteral("export"),
                                              kKey123, exported, QStringLiteral("/y")})
                     .code,
                 0);
        QFile exportFile(exported);
        QVERIFY(exportFile.open(QIODevice::ReadOnly));
        const QByteArray utf16 = exportFile.readAll();
        const QString text = QString::fromUtf16(
            reinterpret_cast<const char16_t*>(utf16.constData()), utf16.size() / 2);
        QVERIFY2(text.contains(QStringLiteral("\"Name\"=\"Zo\u00eb\"")), qPrintable(text));

        // No key was created: not the 1.24 profile, not a redirected copy.
        for (const QString& absent :
             {QStringLiteral(
                  "HKEY_USERS\\.DEFAULT\\Software\\Ventaloft\\Brix Quorrel 2 Special Edition"),
              QStringLiteral("HKEY_USERS\\.DEFAULT\\Software\\Wow6432Node\\Ventaloft")})
            QVERIFY2(run(QStringLiteral("wine"),
                         {QStringLiteral("reg"), QStringLiteral("query"), absent})
                             .code != 0,
                     qPrintable(absent));
    }

    // Accepting a game directory inside the prefix is all it takes for the profile to land there,
    // with no WINEPREFIX set.
    void theProfileGoesToThePrefixOfTheGameDirectory()
    {
        const QString gameDir = m_prefix + QStringLiteral("/drive_c/Games/Brix Quorrel 2");
        QVERIFY(QDir().mkpath(gameDir));
        FakeServices fakes;
        WinePrefix prefix(QString(), m_root.filePath(QStringLiteral("home")));
        WineRegistry registry(prefix);
        Form1 window(Services{fakes.programs, fakes.urls, fakes.messages, fakes.files,
                              fakes.listServers, fakes.sockets, registry, fakes.settings,
                              fakes.player, fakes.clipboard, fakes.records, &prefix});
        control<QLineEdit>(window, "TempBrixDir")->setText(gameDir);
        QTest::mouseClick(control<QPushButton>(window, "Command1"), Qt::LeftButton);
        QCOMPARE(prefix.path(), m_prefix);
        control<QLineEdit>(window, "Alias")->setText(QStringLiteral("Finder"));
        QTest::mouseClick(control<QPushButton>(window, "Command6"), Qt::LeftButton);
        const QStringList lines = queryLines(kKey123);
        QVERIFY2(lines.contains(QStringLiteral("Name REG_SZ Finder")),
                 qPrintable(lines.join(u'|')));
    }
};

QTEST_MAIN(TestWineIntegration)
#include "tst_wineintegration.moc"
