#include "launch/CommandLines.h"
#include "launch/SystemProgramStarter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace commandlines;

// Real processes: a fake "wine" on the PATH writes the arguments it received, one per line, to a
// file of its own in a log directory.
class TestProgramStarter : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_bin;     // holds the fake wine
    QString m_log;     // one .args file per started process
    QString m_gameDir; // holds brix2.exe and QLE.EXE, with the separator at the end
    QByteArray m_path; // the PATH the test was started with

    static void writeFile(const QString& path, const QByteArray& content,
                          QFile::Permissions permissions = {})
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        if (permissions)
            QVERIFY(file.setPermissions(permissions));
    }

    QStringList startedArgumentFiles() const
    {
        return QDir(m_log).entryList({QStringLiteral("*.args")}, QDir::Files);
    }

    // The arguments of the one process started since the log was emptied.
    QStringList argumentsOfOnlyStart() const
    {
        const QStringList files = startedArgumentFiles();
        if (files.size() != 1)
            return {QStringLiteral("<%1 processes>").arg(files.size())};
        QFile file(m_log + QLatin1Char('/') + files.first());
        if (!file.open(QIODevice::ReadOnly))
            return {QStringLiteral("<unreadable>")};
        QString text = QString::fromUtf8(file.readAll());
        text.chop(1); // the last line's end
        return text.split(QLatin1Char('\n'));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        const QDir root(m_root.path());
        QVERIFY(root.mkpath(QStringLiteral("bin")) && root.mkpath(QStringLiteral("log")) &&
                root.mkpath(QStringLiteral("game")) && root.mkpath(QStringLiteral("empty")));
        m_bin = root.filePath(QStringLiteral("bin"));
        m_log = root.filePath(QStringLiteral("log"));
        m_gameDir = root.filePath(QStringLiteral("game")) + QLatin1Char('/');
        const QFile::Permissions executable = QFile::ReadOwner | QFile::WriteOwner |
                                              QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup;
        writeFile(m_bin + QStringLiteral("/wine"),
                  "#!/bin/sh\n"
                  "out=\"$KORVANE_TEST_LOG/$$\"\n"
                  "printf '%s' \"$LC_ALL\" > \"$out.locale\"\n"
                  "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$out.tmp\"\n"
                  "mv \"$out.tmp\" \"$out.args\"\n",
                  executable);
        writeFile(m_gameDir + QStringLiteral("brix2.exe"), {});
        writeFile(m_gameDir + QStringLiteral("QLE.EXE"), {});
        writeFile(m_gameDir + QStringLiteral("tool"),
                  "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > "
                  "\"$KORVANE_TEST_LOG/native.tmp\"\nmv \"$KORVANE_TEST_LOG/native.tmp\" "
                  "\"$KORVANE_TEST_LOG/native.args\"\n",
                  executable);
        m_path = qgetenv("PATH");
        qputenv("KORVANE_TEST_LOG", QFile::encodeName(m_log));
    }

    void init()
    {
        qputenv("PATH", QFile::encodeName(m_bin) + ':' + m_path);
        for (const QString& file : QDir(m_log).entryList(QDir::Files))
            QFile::remove(m_log + QLatin1Char('/') + file);
    }

    void cleanupTestCase() { qputenv("PATH", m_path); }

    void aWindowsProgramRunsThroughWine()
    {
        SystemProgramStarter starter;
        const auto result =
            starter.start(host(m_gameDir, QStringLiteral("10"), QStringLiteral("32"),
                               QStringLiteral("Capture"), QStringLiteral("big map.b2l")));
        QVERIFY2(result.started, qPrintable(result.error));
        QTRY_COMPARE(startedArgumentFiles().size(), 1);
        QCOMPARE(argumentsOfOnlyStart(),
                 (QStringList{m_gameDir + QStringLiteral("brix2.exe"), QStringLiteral("-server"),
                              QStringLiteral("-counts"), QStringLiteral("10"),
                              QStringLiteral("-maxplayers"), QStringLiteral("32"),
                              QStringLiteral("-Capture"), QStringLiteral("big map.b2l")}));
    }

    // Wine reads its arguments in the locale's character set: under LANG=C a level named outside
    // ASCII reached the game as question marks unless Wine was told UTF-8.
    void aNameOutsideAsciiReachesWineIntactUnderLangC()
    {
        const QByteArray lang = qgetenv("LANG"), all = qgetenv("LC_ALL"),
                         ctype = qgetenv("LC_CTYPE");
        qputenv("LANG", "C");
        qunsetenv("LC_ALL");
        qunsetenv("LC_CTYPE");
        const QString level = QStringLiteral("Zo\u00eb \u0141\u00f3d\u017a.b2l");
        const auto result = SystemProgramStarter().start(host(
            m_gameDir, QStringLiteral("10"), QStringLiteral("32"), QStringLiteral("Race"), level));
        qputenv("LANG", lang);
        if (!all.isNull())
            qputenv("LC_ALL", all);
        if (!ctype.isNull())
            qputenv("LC_CTYPE", ctype);
        QVERIFY2(result.started, qPrintable(result.error));
        QTRY_COMPARE(startedArgumentFiles().size(), 1);
        QCOMPARE(argumentsOfOnlyStart().last(), level);
        QFile locale(m_log + QLatin1Char('/') +
                     startedArgumentFiles().first().replace(QLatin1String(".args"),
                                                            QLatin1String(".locale")));
        QVERIFY(locale.open(QIODevice::ReadOnly));
        QCOMPARE(locale.readAll(), QByteArray("C.UTF-8"));
    }

    void theEditorIsFoundWhateverTheCaseOfItsName()
    {
        SystemProgramStarter starter;
        const auto result = starter.start(openLevelInEditor(m_gameDir, QStringLiteral("a.b2l")));
        QVERIFY2(result.started, qPrintable(result.error));
        QTRY_COMPARE(startedArgumentFiles().size(), 1);
        QCOMPARE(argumentsOfOnlyStart(),
                 (QStringList{m_gameDir + QStringLiteral("QLE.EXE"), QStringLiteral("a.b2l")}));
    }

    void everyStartIsOneMoreProcess()
    {
        SystemProgramStarter starter;
        for (int i = 0; i < 3; ++i)
            QVERIFY(starter.start(newWindow(m_gameDir)).started);
        QTRY_COMPARE(startedArgumentFiles().size(), 3);
    }

    void aBareNameIsLookedForInTheWorkingDirectory()
    {
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_gameDir));
        SystemProgramStarter starter;
        const auto result = starter.start(newWindow(QString()));
        QDir::setCurrent(previous);
        QVERIFY2(result.started, qPrintable(result.error));
        QTRY_COMPARE(startedArgumentFiles().size(), 1);
        QCOMPARE(argumentsOfOnlyStart(),
                 (QStringList{QDir(m_gameDir).absoluteFilePath(QStringLiteral("brix2.exe")),
                              QStringLiteral("-server"), QStringLiteral("battle1.b2l")}));
    }

    void aNativeProgramStartsDirectly()
    {
        SystemProgramStarter starter;
        const auto result = starter.start(
            CommandLine{m_gameDir + QStringLiteral("tool"), QStringLiteral("x \"y z\"")});
        QVERIFY2(result.started, qPrintable(result.error));
        QFile args(m_log + QStringLiteral("/native.args"));
        QTRY_VERIFY(args.exists());
        QVERIFY(args.open(QIODevice::ReadOnly));
        QCOMPARE(args.readAll(), QByteArray("x\ny z\n"));
    }

    void failuresSayWhy_data()
    {
        QTest::addColumn<QString>("gameDir");
        QTest::addColumn<bool>("wineOnPath");
        QTest::addColumn<QString>("reason");
        QTest::newRow("placeholder") << QStringLiteral("Brix Quorrel 2 Directory/") << true
                                     << QStringLiteral("no such file");
        QTest::newRow("no separator")
            << m_gameDir.chopped(1) << true << QStringLiteral("no such file");
        QTest::newRow("bare name nowhere")
            << QString() << true << QStringLiteral("working directory or on the PATH");
        QTest::newRow("no wine") << m_gameDir << false << QStringLiteral("Wine is needed");
    }

    void failuresSayWhy()
    {
        QFETCH(QString, gameDir);
        QFETCH(bool, wineOnPath);
        QFETCH(QString, reason);
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_root.path() + QStringLiteral("/empty")));
        qputenv("PATH", wineOnPath ? QFile::encodeName(m_bin) : QFile::encodeName(m_log));
        SystemProgramStarter starter;
        const auto result = starter.start(newWindow(gameDir));
        QDir::setCurrent(previous);
        QVERIFY(!result.started);
        QVERIFY2(result.error.contains(reason, Qt::CaseInsensitive), qPrintable(result.error));
        QVERIFY(startedArgumentFiles().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestProgramStarter)
#include "tst_programstarter.moc"
