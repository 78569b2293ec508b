#include "FakeServices.h"
#include "TestFiles.h"
#include "WindowTestHelpers.h"

#include "launch/GameDirectory.h"
#include "pages/SetupPage.h"
#include "wine/WineRegCommand.h"
#include "registry/WineRegistry.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

QByteArray fixture()
{
    return readFile(QStringLiteral(REGISTRY_TEST_DATA "/wine-8.0-userdef.reg"));
}

const QByteArray kProfile123 =
    "\n[Software\\\\Ventaloft\\\\Brix Quorrel 2\\\\1.23\\\\Player0] 1796626735\n"
    "#time=1dd86184898331e\n"
    "\"Char\"=hex:36,00,00,00\n"
    "\"Color\"=hex:01,02,03,04\n"
    "\"Name\"=\"Player\"\n"
    "\"Score\"=dword:00000010\n"
    "\n[Software\\\\Ventaloft\\\\Brix Quorrel 2\\\\1.23\\\\Player1] 1796626735\n"
    "#time=1dd86184898331e\n"
    "\"Char\"=hex:01,00,00,00\n"
    "\"Color\"=hex:05,06,07,08\n"
    "\"Name\"=\"Second\"\n";

class UnusedRunner : public WineRunner {
public:
    int run(const QStringList& arguments) override
    {
        qWarning("wine was started: %s", qPrintable(arguments.join(QLatin1Char(' '))));
        ++runs;
        return 1;
    }
    int runs = 0;
};

// The Setup page writing into a temporary Wine prefix that no Wine server is running for.
struct PrefixPage {
    explicit PrefixPage(const QByteArray& userdef)
    {
        writeFile(userdefPath(), userdef);
        auto unused = std::make_unique<UnusedRunner>();
        runner = unused.get();
        WineRegistry::Hooks hooks;
        hooks.serverRunning = [] { return false; };
        registry = std::make_unique<WineRegistry>(prefix.path(), std::move(unused), hooks);
        page = std::make_unique<SetupPage>(*registry, fakes.settings, fakes.messages, gameDir);
    }
    QString userdefPath() const { return prefix.filePath(QStringLiteral("userdef.reg")); }
    QByteArray userdef() const { return readFile(userdefPath()); }
    void type(const char* box, const QString& text)
    {
        control<QLineEdit>(*page, box)->setText(text);
    }
    void choose(const char* option) { control<QRadioButton>(*page, option)->setChecked(true); }
    void press(const char* button)
    {
        QTest::mouseClick(control<QPushButton>(*page, button), Qt::LeftButton);
    }

    QTemporaryDir prefix;
    FakeServices fakes;
    GameDir gameDir;
    UnusedRunner* runner;
    std::unique_ptr<WineRegistry> registry;
    std::unique_ptr<SetupPage> page;
};

QByteArray replaced(QByteArray content, const QByteArray& before, const QByteArray& after)
{
    if (content.count(before) != 1)
        qFatal("expected exactly one occurrence of %s", before.constData());
    return content.replace(before, after);
}

} // namespace

class TestSetupProfiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void furColorsReachTheProfileInTypedOrder_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("0A1B2C3D") << QStringLiteral("0A1B2C3D") << QByteArray("hex:0a,1b,2c,3d");
        QTest::newRow("FFFFFFFF") << QStringLiteral("FFFFFFFF") << QByteArray("hex:ff,ff,ff,ff");
        QTest::newRow("1234") << QStringLiteral("1234") << QByteArray("hex:12,34,00,00");
        QTest::newRow("123") << QStringLiteral("123") << QByteArray("hex:12,03,00,00");
        QTest::newRow("empty") << QString() << QByteArray("hex:00,00,00,00");
        QTest::newRow("start text")
            << QStringLiteral("Enter Fur Colors (in hex)...") << QByteArray("hex:0f,00,00,00");
    }
    void furColorsReachTheProfileInTypedOrder()
    {
        QFETCH(QString, box);
        QFETCH(QByteArray, stored);
        const QByteArray before = fixture() + kProfile123;
        PrefixPage p(before);
        p.type("FurColors", box);
        p.press("Command8");
        // Only the one value of the one profile changes: not Player1's colour, not the rest.
        const QByteArray expected =
            replaced(before, "\"Char\"=hex:36,00,00,00\n\"Color\"=hex:01,02,03,04\n",
                     "\"Char\"=hex:36,00,00,00\n\"Color\"=" + stored + "\n");
        QCOMPARE(p.userdef(), expected);
        QCOMPARE(p.runner->runs, 0);
    }

    void nameAndCharacterOf123()
    {
        const QByteArray before = fixture() + kProfile123;
        PrefixPage p(before);
        p.type("Alias", QStringLiteral("Zo\u00eb \"Q\""));
        p.press("Command6");
        QByteArray expected =
            replaced(before, "\"Name\"=\"Player\"\n", "\"Name\"=\"Zo\\x00eb \\\"Q\\\"\"\n");
        QCOMPARE(p.userdef(), expected);

        p.choose("Vosk");
        p.press("Command10");
        expected = replaced(expected, "\"Char\"=hex:36,00,00,00\n\"Color\"",
                            "\"Char\"=hex:55,00,00,00\n\"Color\"");
        QCOMPARE(p.userdef(), expected);

        // Nyla: the refusal, Brix chosen, and Brix's code written.
        p.choose("Nyla");
        p.press("Command10");
        QCOMPARE(p.fakes.messages.shown.size(), size_t(1));
        QVERIFY(control<QRadioButton>(*p.page, "Brix")->isChecked());
        expected = replaced(expected, "\"Char\"=hex:55,00,00,00\n\"Color\"",
                            "\"Char\"=hex:36,00,00,00\n\"Color\"");
        QCOMPARE(p.userdef(), expected);
        QCOMPARE(p.runner->runs, 0);
    }

    void theMissingEditionStaysMissing()
    {
        const QByteArray before = fixture() + kProfile123;
        PrefixPage p(before);
        const QDateTime modified = QFileInfo(p.userdefPath()).lastModified();
        p.choose("Nyla");
        for (const char* button : {"Command7", "Command9", "Command11"})
            p.press(button);
        QCOMPARE(p.userdef(), before);
        QCOMPARE(QFileInfo(p.userdefPath()).lastModified(), modified);
        QVERIFY(p.fakes.messages.shown.empty());
        QCOMPARE(QDir(p.prefix.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("userdef.reg")});
    }

    void valuesMissingFromAProfileAreAdded()
    {
        // A 1.24 profile that so far holds only a name.
        const QByteArray profile124 =
            "\n[Software\\\\Ventaloft\\\\Brix Quorrel 2 Special Edition\\\\1.24\\\\Player0] 1\n"
            "#time=1dd86184898331e\n"
            "\"Name\"=\"Rkv\"\n";
        const QByteArray before = fixture() + profile124 + kProfile123;
        PrefixPage p(before);
        p.type("FurColors", QStringLiteral("0A1B2C3D"));
        p.choose("Nyla");
        p.press("Command9");
        p.press("Command11");
        QCOMPARE(
            p.userdef(),
            replaced(before, "\"Name\"=\"Rkv\"\n",
                     "\"Name\"=\"Rkv\"\n\"Color\"=hex:0a,1b,2c,3d\n\"Char\"=hex:3d,00,00,00\n"));
        QVERIFY(p.fakes.messages.shown.empty());
    }
};

QTEST_MAIN(TestSetupProfiles)
#include "tst_setupprofiles.moc"
