// Real processes on Windows: a stand-in for the game records the command line it received.
#include "FakeServices.h"

#include "launch/CommandLines.h"
#include "launch/StartOrWarn.h"
#include "launch/SystemProgramStarter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace commandlines;

class TestWindowsProgramStart : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_plainDir; // GameDir texts, with the separator at the end
    QString m_blankDir;

    QString makeGameDir(const QString& name)
    {
        const QString dir = QDir(m_root.path()).filePath(name);
        if (!QDir().mkpath(dir))
            return {};
        for (const QString& program : {GameExecutable, EditorExecutable})
            if (!QFile::copy(QStringLiteral(CMDLINE_ECHO), QDir(dir).filePath(program)))
                return {};
        return QDir::toNativeSeparators(dir) + QLatin1Char('\\');
    }

    // What the program recorded: its command line, then the arguments made of it.
    static QStringList received(const QString& program)
    {
        QFile file(program + QStringLiteral(".received"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QByteArray bytes = file.readAll();
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()),
                                  bytes.size() / 2)
            .split(QLatin1Char('\n'));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        m_plainDir = makeGameDir(QStringLiteral("game"));
        m_blankDir = makeGameDir(QStringLiteral("Program Files/Brix Quorrel 2"));
        QVERIFY(!m_plainDir.isEmpty() && !m_blankDir.isEmpty());
    }

    void theProgramReceivesTheCommandLineAsBuilt_data()
    {
        QTest::addColumn<bool>("blankDir");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("argumentText");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("join") << false << 0 << QStringLiteral("-connect 10.1.2.3")
                              << QStringList{QStringLiteral("-connect"),
                                             QStringLiteral("10.1.2.3")};
        QTest::newRow("level with blanks, one argument")
            << false << 1
            << QStringLiteral("-server -counts 10 -maxplayers 8 -ctf \"My Level.b2l\"")
            << QStringList{QStringLiteral("-server"),     QStringLiteral("-counts"),
                           QStringLiteral("10"),          QStringLiteral("-maxplayers"),
                           QStringLiteral("8"),           QStringLiteral("-ctf"),
                           QStringLiteral("My Level.b2l")};
        QTest::newRow("editor") << false << 2 << QStringLiteral("big.b2l")
                                << QStringList{QStringLiteral("big.b2l")};
        QTest::newRow("game directory with blanks")
            << true << 0 << QStringLiteral("-connect 10.1.2.3")
            << QStringList{QStringLiteral("-connect"), QStringLiteral("10.1.2.3")};
    }

    void theProgramReceivesTheCommandLineAsBuilt()
    {
        QFETCH(bool, blankDir);
        QFETCH(int, kind);
        QFETCH(QString, argumentText);
        QFETCH(QStringList, arguments);
        const QString gameDir = blankDir ? m_blankDir : m_plainDir;
        const CommandLine commandLine =
            kind == 0   ? join(gameDir, QStringLiteral("10.1.2.3"))
            : kind == 1 ? host(gameDir, QStringLiteral("10"), QStringLiteral("8"),
                               QStringLiteral("ctf"), QStringLiteral("My Level.b2l"))
                        : openLevelInEditor(gameDir, QStringLiteral("big.b2l"));
        QCOMPARE(commandLine.arguments, argumentText);
        QFile::remove(commandLine.program + QStringLiteral(".received"));

        SystemProgramStarter starter;
        const ProgramStarter::Result result = starter.start(commandLine);
        QVERIFY2(result.started, qPrintable(result.error));
        QTRY_VERIFY_WITH_TIMEOUT(!received(commandLine.program).isEmpty(), 20000);

        // Byte for byte as built; a program path with a blank is quoted to stay one word.
        const QString program = blankDir ? QLatin1Char('"') + commandLine.program + QLatin1Char('"')
                                         : commandLine.program;
        const QStringList expected =
            QStringList{program + QLatin1Char(' ') + argumentText, commandLine.program} + arguments;
        QCOMPARE(received(commandLine.program), expected);
    }

    void aMissingProgramOrDirectoryIsReportedAndNothingStarts()
    {
        const QString missingDir =
            QDir::toNativeSeparators(m_root.path()) + QStringLiteral("\\gone\\");
        for (const CommandLine& commandLine :
             {newWindow(missingDir), openLevelInEditor(m_plainDir + QStringLiteral("sub\\"), {}),
              CommandLine{m_plainDir + QStringLiteral("missing.exe"), QStringLiteral("-x")}}) {
            SystemProgramStarter starter;
            FakeMessageBoxes messages;
            QVERIFY(!startOrWarn(starter, messages, nullptr, commandLine));
            QCOMPARE(messages.shown.size(), size_t(1));
            QVERIFY(messages.shown.front().warning);
            QVERIFY2(messages.shown.front().text.contains(commandLine.program),
                     qPrintable(messages.shown.front().text));
        }
    }

    // A file that is no program: the system's text leaves a place for the file ("%1 is not a
    // valid Win32 application"); the message fills it and names the program once.
    void aFileThatIsNoProgramIsNamedOnce()
    {
        const QString program = m_plainDir + QStringLiteral("not a program.exe");
        QFile text(program);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("This is text, not a program.\r\n");
        text.close();
        SystemProgramStarter starter;
        FakeMessageBoxes messages;
        QVERIFY(!startOrWarn(starter, messages, nullptr, CommandLine{program, QString()}));
        QCOMPARE(messages.shown.size(), size_t(1));
        const QString shown = messages.shown.front().text;
        QVERIFY2(!shown.contains(QStringLiteral("%1")), qPrintable(shown));
        QCOMPARE(shown.count(program), 1);
    }
};

QTEST_GUILESS_MAIN(TestWindowsProgramStart)
#include "tst_programstarter_win.moc"
