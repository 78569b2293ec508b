#include "TestFiles.h"
#include "setup/LauncherSettings.h"
#include "setup/UserSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kApp = QStringLiteral("Korvane 1.4");
const QString kSection = QStringLiteral("Settings");

} // namespace

// The per-user store, always on temporary directories: these tests never see the user's own
// settings.
class TestUserSettingsStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keepsTextsBetweenRuns()
    {
        QTemporaryDir dir;
        {
            UserSettingsStore store(dir.path());
            QVERIFY(store.save(kApp, kSection, QStringLiteral("Path"),
                               QStringLiteral("/home/u/games/")));
            QVERIFY(store.save(kApp, kSection, QStringLiteral("Alias"),
                               QStringLiteral("Zo\u00eb, \"x\"")));
            QVERIFY(store.save(kApp, kSection, QStringLiteral("Fur"), QString()));
            QVERIFY(store.save(kApp, kSection, QStringLiteral("Char"), QStringLiteral("@brix")));
            QVERIFY(store.error().isEmpty());
        }
        UserSettingsStore again(dir.path());
        QCOMPARE(again.load(kApp, kSection, QStringLiteral("Path")),
                 QStringLiteral("/home/u/games/"));
        QCOMPARE(again.load(kApp, kSection, QStringLiteral("Alias")),
                 QStringLiteral("Zo\u00eb, \"x\""));
        // A stored empty text is a value, not a missing key.
        QCOMPARE(again.load(kApp, kSection, QStringLiteral("Fur")), QStringLiteral(""));
        QCOMPARE(again.load(kApp, kSection, QStringLiteral("Char")), QStringLiteral("@brix"));
        QCOMPARE(again.load(kApp, kSection, QStringLiteral("Other")), std::nullopt);
        QVERIFY(again.error().isEmpty());
        QCOMPARE(again.load(kApp, QStringLiteral("Elsewhere"), QStringLiteral("Path")),
                 std::nullopt);
        QCOMPARE(again.load(QStringLiteral("Other App"), kSection, QStringLiteral("Path")),
                 std::nullopt);
        QVERIFY(again.error().isEmpty());

        // One INI file per application, the section as its group.
        const QString file = dir.filePath(QStringLiteral("Korvane 1.4.ini"));
        QCOMPARE(again.location(kApp), file);
        QSettings ini(file, QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("Settings/Alias")).toString(),
                 QStringLiteral("Zo\u00eb, \"x\""));
    }

    void usesThePlatformsPlace()
    {
        // XDG_CONFIG_HOME is honoured (and this test never looks at the real one).
        QTemporaryDir config;
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        const QString location = UserSettingsStore().location(kApp);
        if (saved.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", saved);
        QCOMPARE(location, QDir(config.path()).filePath(QStringLiteral("Korvane 1.4.ini")));
    }

    void launcherSettingsGiveDefaultsForMissingKeys()
    {
        QTemporaryDir dir;
        UserSettingsStore store(dir.path());
        std::optional<LauncherSettings> loaded = LauncherSettings::load(store);
        QVERIFY(loaded);
        QCOMPARE(loaded->path, QStringLiteral("Brix Quorrel 2 Directory"));
        QCOMPARE(loaded->alias, QStringLiteral("Enter Alias..."));
        QCOMPARE(loaded->fur, QStringLiteral("Enter Fur Colors (in hex)..."));
        QCOMPARE(loaded->character, QStringLiteral("brix"));

        QVERIFY((LauncherSettings{QString(), QStringLiteral("a"), QStringLiteral("b"),
                                  characterCode(Character::None)})
                    .save(store));
        loaded = LauncherSettings::load(store);
        QVERIFY(loaded);
        QCOMPARE(loaded->path, QStringLiteral(""));
        QCOMPARE(loaded->character, QStringLiteral(""));
    }

    void aDamagedFileIsReportedAndLeftAlone()
    {
        QTemporaryDir dir;
        UserSettingsStore store(dir.path());
        const QString file = store.location(kApp);
        const QByteArray damaged = "[Settings\nAlias=Old\n\x01\x02 garbage without equals\n";
        writeFile(file, damaged);

        QCOMPARE(store.load(kApp, kSection, QStringLiteral("Alias")), std::nullopt);
        QVERIFY(store.error().contains(QStringLiteral("damaged")));
        QVERIFY(!LauncherSettings::load(store));

        QVERIFY(!store.save(kApp, kSection, QStringLiteral("Alias"), QStringLiteral("New")));
        QVERIFY(!store.error().isEmpty());
        QCOMPARE(readFile(file), damaged);
    }

    void aByteOrderMarkIsNoDamage()
    {
        // As Notepad saves the file.
        QTemporaryDir dir;
        UserSettingsStore store(dir.path());
        const QString file = store.location(kApp);
        writeFile(file, "\xEF\xBB\xBF[Settings]\r\nPath=/home/u/games/\r\nAlias=Old\r\n");
        QCOMPARE(store.load(kApp, kSection, QStringLiteral("Alias")), QStringLiteral("Old"));
        QVERIFY(store.save(kApp, kSection, QStringLiteral("Alias"), QStringLiteral("New")));
        QCOMPARE(store.load(kApp, kSection, QStringLiteral("Path")),
                 QStringLiteral("/home/u/games/"));
        QCOMPARE(store.load(kApp, kSection, QStringLiteral("Alias")), QStringLiteral("New"));
    }

    void somethingInTheWayIsReported()
    {
        QTemporaryDir dir;
        // A file where the configuration folder should be.
        writeFile(dir.filePath(QStringLiteral("config")), "not a folder");
        UserSettingsStore blocked(dir.filePath(QStringLiteral("config")));
        QVERIFY(!blocked.save(kApp, kSection, QStringLiteral("Alias"), QStringLiteral("x")));
        QVERIFY(blocked.error().contains(QStringLiteral("not a folder")));
        QCOMPARE(blocked.load(kApp, kSection, QStringLiteral("Alias")), std::nullopt);
        QVERIFY(!blocked.error().isEmpty());
        QCOMPARE(readFile(dir.filePath(QStringLiteral("config"))), QByteArray("not a folder"));

        // A folder where the settings file should be.
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Korvane 1.4.ini")));
        UserSettingsStore folder(dir.path());
        QVERIFY(!folder.save(kApp, kSection, QStringLiteral("Alias"), QStringLiteral("x")));
        QVERIFY(!folder.error().isEmpty());
        QCOMPARE(folder.load(kApp, kSection, QStringLiteral("Alias")), std::nullopt);
        QVERIFY(!folder.error().isEmpty());

#ifdef Q_OS_LINUX
        // A place where nothing can be created, not even by the administrator.
        UserSettingsStore nowhere(QStringLiteral("/proc/korvane-settings"));
        QVERIFY(!nowhere.save(kApp, kSection, QStringLiteral("Alias"), QStringLiteral("x")));
        QVERIFY(nowhere.error().contains(QStringLiteral("cannot be written")));
#endif
    }

    void aFailedSaveKeepsWhatWasStored()
    {
        if (::geteuid() == 0)
            QSKIP("file permissions do not hold back the administrator");
        QTemporaryDir dir;
        UserSettingsStore store(dir.path());
        QVERIFY(store.save(kApp, kSection, QStringLiteral("Alias"), QStringLiteral("Old")));
        const QString file = store.location(kApp);
        const QByteArray stored = readFile(file);
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0500) == 0);
        QVERIFY(::chmod(QFile::encodeName(file).constData(), 0400) == 0);
        // Even a failing check leaves a folder that can be cleaned up.
        const auto writable =
            qScopeGuard([&] { ::chmod(QFile::encodeName(dir.path()).constData(), 0700); });

        QVERIFY(!store.save(kApp, kSection, QStringLiteral("Alias"), QStringLiteral("New")));
        QVERIFY(store.error().contains(QStringLiteral("cannot be written")));
        QVERIFY(!store.save(kApp, kSection, QStringLiteral("Fur"), QStringLiteral("1234")));
        QCOMPARE(readFile(file), stored);
        // What could not be stored does not show up in later reads...
        QCOMPARE(store.load(kApp, kSection, QStringLiteral("Alias")), QStringLiteral("Old"));
        QCOMPARE(store.load(kApp, kSection, QStringLiteral("Fur")), std::nullopt);

        // ...nor goes out with the next write that works.
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0700) == 0);
        QVERIFY(::chmod(QFile::encodeName(file).constData(), 0600) == 0);
        QVERIFY(store.save(kApp, kSection, QStringLiteral("Path"), QStringLiteral("D")));
        UserSettingsStore fresh(dir.path());
        QCOMPARE(fresh.load(kApp, kSection, QStringLiteral("Alias")), QStringLiteral("Old"));
        QCOMPARE(fresh.load(kApp, kSection, QStringLiteral("Fur")), std::nullopt);
        QCOMPARE(fresh.load(kApp, kSection, QStringLiteral("Path")), QStringLiteral("D"));
    }
};

QTEST_GUILESS_MAIN(TestUserSettingsStore)
#include "tst_usersettingsstore.moc"
