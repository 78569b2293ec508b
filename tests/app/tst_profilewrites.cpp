#include "FakeServices.h"
#include "TestFiles.h"
#include "WindowTestHelpers.h"

#include "app/Form1.h"
#include "registry/WineRegistry.h"
#include "wine/WineRegCommand.h"

#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// A profile button while a Wine server runs: every write waits for a slow `wine reg` (0.3 s a
// call) that records each `reg add` it is given.
class TestProfileWrites : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;
    QByteArray m_path;
    QString log() const { return m_root.filePath(QStringLiteral("adds")); }

    struct Launcher {
        explicit Launcher(const QString& prefix)
            : registry(prefix, std::make_unique<ProcessWineRunner>(prefix, 10000),
                       WineRegistry::Hooks{[] { return true; }, {}})
            , window(Services{fakes.programs, fakes.urls, fakes.messages, fakes.files,
                              fakes.listServers, fakes.sockets, registry, fakes.settings,
                              fakes.player, fakes.clipboard, fakes.records, &fakes.gameDirectory})
        {
            window.show();
            control<QLineEdit>(window, "Alias")->setText(QStringLiteral("Zoe"));
        }
        QPushButton* button(const char* name) { return control<QPushButton>(window, name); }

        FakeServices fakes;
        WineRegistry registry;
        Form1 window;
    };

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QDir(m_root.path()).mkpath(QStringLiteral("bin")));
        QVERIFY(QDir(m_root.path()).mkpath(QStringLiteral("prefix")));
        const QString wine = m_root.filePath(QStringLiteral("bin/wine"));
        writeFile(wine, "#!/bin/sh\nsleep 0.3\n[ \"$2\" = add ] && printf '%s\\n' \"$*\" >> \"" +
                            QFile::encodeName(log()) + "\"\nexit 0\n");
        QVERIFY(QFile::setPermissions(wine, QFile::ReadOwner | QFile::ExeOwner));
        m_path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(m_root.filePath(QStringLiteral("bin"))) + ':' + m_path);
    }
    void cleanupTestCase() { qputenv("PATH", m_path); }

    // While a value is written, the Setup page takes no second write, Accept or Load.
    void nothingElseStartsInsideAWrite()
    {
        Launcher launcher(m_root.filePath(QStringLiteral("prefix")));
        launcher.fakes.settings.values.insert(QStringLiteral("Korvane 1.4/Settings/Alias"),
                                              QStringLiteral("Loaded"));
        QStringList enabledInside;
        QTimer::singleShot(100, [&] {
            for (const char* name : {"Command1", "Command3", "Command6", "Command7"})
                if (launcher.button(name)->isEnabled())
                    enabledInside << QString::fromLatin1(name);
            // As a screen reader's press would come: straight to the buttons.
            launcher.button("Command7")->click();
            launcher.button("Command3")->click();
        });
        launcher.button("Command6")->click();
        QCOMPARE(enabledInside, QStringList());
        QCOMPARE(readFile(log()).count('\n'), 1);
        QCOMPARE(control<QLineEdit>(launcher.window, "Alias")->text(), QStringLiteral("Zoe"));
        QVERIFY(launcher.button("Command6")->isEnabled());
        QFile::remove(log());
    }

    // Last, since the program's quit ends every event loop of this test program for good.
    void aQuitInsideAWriteLetsItFinish()
    {
        Launcher launcher(m_root.filePath(QStringLiteral("prefix")));
        QObject::connect(&launcher.window, &Form1::allWindowsClosed, qApp, &QCoreApplication::quit);
        bool visibleAfterClose = false;
        QTimer::singleShot(100, [&] {
            launcher.window.close();
            visibleAfterClose = launcher.window.isVisible();
        });
        launcher.button("Command6")->click();
        QVERIFY(visibleAfterClose);
        QVERIFY(readFile(log()).contains("/v Name /t REG_SZ /d Zoe"));
        QTRY_VERIFY(!launcher.window.isVisible());
    }
};

QTEST_MAIN(TestProfileWrites)
#include "tst_profilewrites.moc"
