#include "launch/CommandLines.h"
#include "launch/SystemProgramStarter.h"
#include "wine/WinePrefix.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The prefix the game runs in, decided from real folder trees.
class TestWinePrefix : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;

    // Builds the tree that the entries describe, below the root: "d:PATH" a folder, "f:PATH" an
    // empty file, "l:LINK>TARGET" a symbolic link.
    bool build(const QStringList& entries)
    {
        const QDir root(m_root.path());
        for (const QString& entry : entries) {
            const QString path = entry.mid(2);
            if (entry.startsWith(QLatin1String("d:"))) {
                if (!root.mkpath(path))
                    return false;
            } else if (entry.startsWith(QLatin1String("f:"))) {
                if (!root.mkpath(QFileInfo(root.filePath(path)).path()))
                    return false;
                QFile file(root.filePath(path));
                if (!file.open(QIODevice::WriteOnly))
                    return false;
            } else if (entry.startsWith(QLatin1String("l:"))) {
                const QStringList ends = path.split(QLatin1Char('>'));
                if (!root.mkpath(QFileInfo(root.filePath(ends[0])).path()) ||
                    !QFile::link(root.filePath(ends[1]), root.filePath(ends[0])))
                    return false;
            }
        }
        return true;
    }

    QString at(const QString& relative) const
    {
        return relative.isEmpty() ? QString() : QDir(m_root.path()).filePath(relative);
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_root.isValid()); }

    void thePrefixFollowsTheGameDirectory_data()
    {
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<QString>("gameDir");  // as Accept leaves it, with the separator
        QTest::addColumn<QString>("expected"); // empty: no prefix holds it

        QTest::newRow("nested prefixes: the nearest wins")
            << QStringList{QStringLiteral("f:a/system.reg"),
                           QStringLiteral("f:a/drive_c/games/b/system.reg"),
                           QStringLiteral("d:a/drive_c/games/b/drive_c/Brix")}
            << QStringLiteral("a/drive_c/games/b/drive_c/Brix/")
            << QStringLiteral("a/drive_c/games/b");
        QTest::newRow("outside any prefix")
            << QStringList{QStringLiteral("f:c/system.reg"), QStringLiteral("d:c/drive_c"),
                           QStringLiteral("d:games/Brix")}
            << QStringLiteral("games/Brix/") << QString();
        QTest::newRow("drive_c without system.reg is no prefix")
            << QStringList{QStringLiteral("f:d/system.reg"),
                           QStringLiteral("d:d/drive_c/old/drive_c/Brix")}
            << QStringLiteral("d/drive_c/old/drive_c/Brix/") << QStringLiteral("d");
        QTest::newRow("Proton's pfx")
            << QStringList{QStringLiteral("f:steamapps/compatdata/4711/pfx/system.reg"),
                           QStringLiteral("f:steamapps/compatdata/4711/pfx/userdef.reg"),
                           QStringLiteral("d:steamapps/compatdata/4711/pfx/drive_c/Brix 2")}
            << QStringLiteral("steamapps/compatdata/4711/pfx/drive_c/Brix 2/")
            << QStringLiteral("steamapps/compatdata/4711/pfx");
        QTest::newRow("blanks and non-ASCII letters")
            << QStringList{QStringLiteral("f:Spiele f\u00fcr Zo\u00eb/Pr\u00e4fix eins/system.reg"),
                           QStringLiteral("d:Spiele f\u00fcr Zo\u00eb/Pr\u00e4fix "
                                          "eins/drive_c/Brix Quorrel 2")}
            << QStringLiteral("Spiele f\u00fcr Zo\u00eb/Pr\u00e4fix eins/drive_c/Brix Quorrel 2/")
            << QStringLiteral("Spiele f\u00fcr Zo\u00eb/Pr\u00e4fix eins");
        QTest::newRow("linked from the home folder into a prefix")
            << QStringList{QStringLiteral("f:e/system.reg"), QStringLiteral("d:e/drive_c/Brix"),
                           QStringLiteral("l:home/Games/brix>e/drive_c/Brix")}
            << QStringLiteral("home/Games/brix/") << QStringLiteral("e");
        QTest::newRow("linked into a prefix from elsewhere")
            << QStringList{QStringLiteral("f:f/system.reg"), QStringLiteral("d:f/drive_c"),
                           QStringLiteral("d:disk/Brix"),
                           QStringLiteral("l:f/drive_c/Brix>disk/Brix")}
            << QStringLiteral("f/drive_c/Brix/") << QStringLiteral("f");
    }

    void thePrefixFollowsTheGameDirectory()
    {
        QFETCH(QStringList, tree);
        QFETCH(QString, gameDir);
        QFETCH(QString, expected);
        QVERIFY(build(tree));
        const QString home = at(QStringLiteral("home"));

        WinePrefix prefix(QString(), home);
        QCOMPARE(prefix.path(), home + QStringLiteral("/.wine"));
        prefix.gameDirectoryChosen(at(gameDir));
        QCOMPARE(prefix.path(),
                 expected.isEmpty() ? home + QStringLiteral("/.wine") : at(expected));

        // A WINEPREFIX the launcher was started with wins wherever the game is.
        WinePrefix chosenByUser(QStringLiteral("/opt/my prefix"), home);
        chosenByUser.gameDirectoryChosen(at(gameDir));
        QCOMPARE(chosenByUser.path(), QStringLiteral("/opt/my prefix"));
    }

    // A fake "wine" on the PATH writes down the WINEPREFIX it was started with.
    void theGameStartsInThePrefix()
    {
        const QString game = at(QStringLiteral("g pfx/drive_c/Brix \u00e9/"));
        const QString bin = at(QStringLiteral("bin"));
        const QString log = at(QStringLiteral("log"));
        QVERIFY(build({QStringLiteral("f:g pfx/system.reg"),
                       QStringLiteral("f:g pfx/drive_c/Brix \u00e9/brix2.exe"),
                       QStringLiteral("f:elsewhere/brix2.exe"), QStringLiteral("f:bin/wine"),
                       QStringLiteral("d:log")}));
        QFile wine(bin + QStringLiteral("/wine"));
        QVERIFY(wine.open(QIODevice::WriteOnly));
        wine.write("#!/bin/sh\nprintf '%s' \"$WINEPREFIX\" > \"$KORVANE_TEST_LOG/prefix.tmp\"\n"
                   "mv \"$KORVANE_TEST_LOG/prefix.tmp\" \"$KORVANE_TEST_LOG/prefix\"\n");
        wine.close();
        QVERIFY(wine.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin) + ':' + path);
        qputenv("KORVANE_TEST_LOG", QFile::encodeName(log));

        WinePrefix prefix(QString(), at(QStringLiteral("home")));
        SystemProgramStarter starter([&prefix] { return prefix.path(); });
        const auto startedIn = [&](const QString& gameDir) {
            QFile::remove(log + QStringLiteral("/prefix"));
            prefix.gameDirectoryChosen(gameDir);
            const auto result = starter.start(commandlines::newWindow(gameDir));
            QFile written(log + QStringLiteral("/prefix"));
            if (!result.started || !QTest::qWaitFor([&] { return written.exists(); }, 10000) ||
                !written.open(QIODevice::ReadOnly))
                return QStringLiteral("<not started: %1>").arg(result.error);
            return QString::fromUtf8(written.readAll());
        };
        QCOMPARE(startedIn(game), at(QStringLiteral("g pfx")));
        QCOMPARE(startedIn(at(QStringLiteral("elsewhere/"))), at(QStringLiteral("home/.wine")));
        qputenv("PATH", path);
    }
};

QTEST_GUILESS_MAIN(TestWinePrefix)
#include "tst_wineprefix.moc"
