#include "registry/WineRegFile.h"
#include "registry/WineRegSyntax.h"

#include <QFile>
#include <QTest>

namespace {

QByteArray fixture()
{
    QFile file(QStringLiteral(REGISTRY_TEST_DATA "/wine-8.0-userdef.reg"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("fixture missing");
    return file.readAll();
}

const QString kProfile123 = QStringLiteral("Software\\Ventaloft\\Brix Quorrel 2\\1.23\\Player0");

const QByteArray kProfileSection =
    "\n[Software\\\\Ventaloft\\\\Brix Quorrel 2\\\\1.23\\\\Player0] 1796626735\n"
    "#time=1dd86184898331e\n"
    "\"Char\"=hex:36,00,00,00\n"
    "\"Color\"=hex:01,02,03,04\n"
    "\"Name\"=\"Player\"\n"
    "\"Wins\"=dword:00000007\n";

const QByteArray kSettingsSection =
    "\n[Software\\\\Ventaloft\\\\Brix Quorrel 2\\\\1.23\\\\Settings] 1796626735\n"
    "#time=1dd86184898331e\n"
    "\"Sound\"=dword:00000001\n";

// Wine's own userdef.reg with the game's 1.23 profile and one more key of the game.
QByteArray withProfile()
{
    return fixture() + kProfileSection + kSettingsSection;
}

QByteArray utf16z(const QString& text)
{
    QByteArray bytes;
    for (const QChar c : text + QChar(0)) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

WineRegFile::Value binary(const QByteArray& hex)
{
    return {3, QByteArray::fromHex(hex)};
}
WineRegFile::Value text(const QString& s)
{
    return {1, utf16z(s)};
}

const QDateTime kNow = QDateTime::fromSecsSinceEpoch(1796626735, Qt::UTC);

QByteArray edited(const QByteArray& content, const QString& key, const QString& name,
                  const WineRegFile::Value& value)
{
    const std::optional<WineRegFile> file = WineRegFile::parse(content);
    if (!file)
        return "<not parsed>";
    const std::optional<WineRegFile::Edit> edit = file->setValue(key, name, value, kNow);
    return edit ? WineRegFile::apply(content, *edit) : QByteArray("<no edit>");
}

QByteArray replaced(QByteArray content, const QByteArray& before, const QByteArray& after)
{
    if (content.count(before) != 1)
        qFatal("expected exactly one occurrence");
    return content.replace(before, after);
}

} // namespace

class TestWineRegFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void quotedTextsReadWinesEscapes_data()
    {
        QTest::addColumn<QByteArray>("quoted"); // up to and with the closing quote
        QTest::addColumn<QString>("text");      // what it stands for; null: unterminated
        QTest::newRow("plain") << QByteArray("abc\"") << QStringLiteral("abc");
        QTest::newRow("controls") << QByteArray("\\a\\b\\e\\f\\n\\r\\t\\v\"")
                                  << QStringLiteral("\a\b\x1b\f\n\r\t\v");
        QTest::newRow("hex, four digits at most")
            << QByteArray("\\x20ac\\x41g\\x12345\"") << QStringLiteral("\u20acAg\u12345");
        QTest::newRow("x without digits") << QByteArray("\\xz\"") << QStringLiteral("xz");
        QTest::newRow("octal, three digits at most")
            << QByteArray("\\101\\0\\1011\"")
            << QString(QStringLiteral("A") + QChar(0) + QStringLiteral("A1"));
        QTest::newRow("any other character as itself")
            << QByteArray("\\q\\\\\\\"\"") << QStringLiteral("q\\\"");
        QTest::newRow("unterminated") << QByteArray("abc") << QString();
        QTest::newRow("backslash at the end") << QByteArray("abc\\") << QString();
    }
    void quotedTextsReadWinesEscapes()
    {
        QFETCH(QByteArray, quoted);
        QFETCH(QString, text);
        QString out;
        const qsizetype end = wineregsyntax::unescape(quoted, 0, quoted.size(), '"', &out);
        if (text.isNull()) {
            QCOMPARE(end, qsizetype(-1));
        } else {
            QCOMPARE(end, quoted.size() - 1);
            QCOMPARE(out, text);
        }
    }

    void findsKeysOfWinesOwnFile()
    {
        const std::optional<WineRegFile> file = WineRegFile::parse(withProfile());
        QVERIFY(file);
        QVERIFY(file->hasKey(kProfile123));
        QVERIFY(file->hasKey(QStringLiteral("software\\VENTALOFT\\brix quorrel 2\\1.23\\player0")));
        // Keys with only sections below them exist too.
        QVERIFY(file->hasKey(QStringLiteral("Software\\Ventaloft")));
        QVERIFY(file->hasKey(QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion")));
        QVERIFY(!file->hasKey(QStringLiteral("Software\\Micro")));
        QVERIFY(!file->hasKey(
            QStringLiteral("Software\\Ventaloft\\Brix Quorrel 2 Special Edition\\1.24\\Player0")));
        QVERIFY(!file->hasKey(kProfile123 + QStringLiteral("\\Deeper")));
        QCOMPARE(file->rawValue(kProfile123, QStringLiteral("color")),
                 QByteArray("hex:01,02,03,04"));
        QCOMPARE(file->rawValue(QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\"
                                               "Explorer\\User Shell Folders"),
                                QStringLiteral("Fonts")),
                 QByteArray("str(2):\"C:\\\\windows\\\\Fonts\""));
        QCOMPARE(file->entries().size(), size_t(27 + 27 + 4 + 1));
    }

    void replacesOnlyTheDataOfAnExistingValue()
    {
        const QByteArray before = withProfile();
        // The name as the file spells it stays, whatever case the caller used.
        QCOMPARE(edited(before, kProfile123.toUpper(), QStringLiteral("color"), binary("0a1b2c3d")),
                 replaced(before, "\"Color\"=hex:01,02,03,04\n", "\"Color\"=hex:0a,1b,2c,3d\n"));
        QCOMPARE(edited(before, kProfile123, QStringLiteral("Name"), text(QStringLiteral("Abc"))),
                 replaced(before, "\"Name\"=\"Player\"\n", "\"Name\"=\"Abc\"\n"));
        // A value of another type becomes the new type.
        QCOMPARE(edited(before, kProfile123, QStringLiteral("Wins"), binary("01")),
                 replaced(before, "\"Wins\"=dword:00000007\n", "\"Wins\"=hex:01\n"));
    }

    void addsAMissingValueAtTheEndOfItsSection()
    {
        const QByteArray before = withProfile();
        QCOMPARE(edited(before, kProfile123, QStringLiteral("Lives"), text(QStringLiteral("3"))),
                 replaced(before, "\"Wins\"=dword:00000007\n",
                          "\"Wins\"=dword:00000007\n\"Lives\"=\"3\"\n"));

        // A section without values gets the value after its last line, before the blank line.
        const QByteArray empty =
            fixture() +
            "\n[Software\\\\Ventaloft\\\\Brix Quorrel 2\\\\1.23\\\\Player0] 1\n"
            "#time=1\n" +
            kSettingsSection;
        QCOMPARE(edited(empty, kProfile123, QStringLiteral("Char"), binary("36000000")),
                 replaced(empty, "#time=1\n", "#time=1\n\"Char\"=hex:36,00,00,00\n"));

        // The file's last line without a line break gets one.
        const QByteArray unterminated = fixture() + "\n[Software\\\\Ventaloft] 1";
        QCOMPARE(edited(unterminated, QStringLiteral("software\\ventaloft"), QStringLiteral("A"),
                        binary("01")),
                 unterminated + "\n\"A\"=hex:01\n");
        // One that ends in half a Windows line break gets the other half, and the "\r" stays out
        // of the value before it.
        const QByteArray halfBreak = fixture() + "\n[Software\\\\Ventaloft] 1\n\"B\"=\"b\"\r";
        const QByteArray added = edited(halfBreak, QStringLiteral("Software\\Ventaloft"),
                                        QStringLiteral("A"), binary("01"));
        QCOMPARE(added, halfBreak + "\n\"A\"=hex:01\r\n");
        QCOMPARE(WineRegFile::parse(added)->rawValue(QStringLiteral("Software\\Ventaloft"),
                                                     QStringLiteral("B")),
                 QByteArray("\"b\""));
    }

    void givesAKeyWithOnlySubkeysItsOwnSection()
    {
        const QByteArray before = withProfile();
        const QByteArray header =
            "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell Folders]";
        QCOMPARE(
            edited(before, QStringLiteral("software\\microsoft\\windows\\currentversion\\explorer"),
                   QStringLiteral("Flag"), binary("01")),
            replaced(before, header,
                     "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer] 1796626735\n"
                     "#time=1dd86186c94a180\n"
                     "\"Flag\"=hex:01\n\n" +
                         header));
    }

    void neverCreatesAKey()
    {
        const std::optional<WineRegFile> file = WineRegFile::parse(withProfile());
        QVERIFY(file);
        for (const QString& key :
             {QStringLiteral("Software\\Ventaloft\\Brix Quorrel 2 Special Edition\\1.24\\Player0"),
              QStringLiteral("Software\\Wow6432Node\\Ventaloft\\Brix Quorrel 2\\1.23\\Player0"),
              QStringLiteral("Software\\Ventaloft\\Brix")})
            QVERIFY2(!file->setValue(key, QStringLiteral("Name"), text(QStringLiteral("x")), kNow),
                     qPrintable(key));
    }

    void writesTextsAndNamesAsWineDoes()
    {
        const QByteArray before = withProfile();
        // Quotes and backslashes escaped, tabs as \t, other characters above 127 as \x and four
        // digits, as Wine's own `reg add` wrote "Zo\xeb \"x\\y\"" and "a\tb".
        QCOMPARE(edited(before, kProfile123, QStringLiteral("Name"),
                        text(QStringLiteral("Zo\u00eb \"x\\y\"\ta\u20ac"))),
                 replaced(before, "\"Name\"=\"Player\"\n",
                          "\"Name\"=\"Zo\\x00eb \\\"x\\\\y\\\"\\ta\\x20ac\"\n"));
        QCOMPARE(edited(before, kProfile123, QStringLiteral("Zo\u00eb"), text(QString())),
                 replaced(before, "\"Wins\"=dword:00000007\n",
                          "\"Wins\"=dword:00000007\n\"Zo\\x00eb\"=\"\"\n"));
        // A string without its terminating zero is written as bytes.
        QCOMPARE(edited(before, kProfile123, QStringLiteral("Name"), {1, QByteArray("A\0", 2)}),
                 replaced(before, "\"Name\"=\"Player\"\n", "\"Name\"=hex(1):41,00\n"));
    }

    void matchesEscapedNamesRegardlessOfCase()
    {
        // Wine writes \x with as few digits as it can; the name is still found.
        const QByteArray before =
            fixture() + "\n[Software\\\\Ventaloft\\\\Brix Quorrel 2\\\\1.23\\\\Pl\\xe4yer0] 1\n"
                        "\"N\\xe4me\"=\"a\"\n";
        QCOMPARE(edited(before,
                        QStringLiteral("SOFTWARE\\Ventaloft\\Brix Quorrel 2\\1.23\\PL\u00c4YER0"),
                        QStringLiteral("N\u00c4ME"), text(QStringLiteral("b"))),
                 replaced(before, "\"N\\xe4me\"=\"a\"", "\"N\\xe4me\"=\"b\""));
    }

    void wrapsLongDataAsWineDoes()
    {
        QByteArray bytes;
        for (int i = 0; i < 40; ++i)
            bytes.append(char(i));
        const QByteArray before = withProfile();
        // Wine 8.0's `reg add` of these bytes gave exactly these two lines.
        const QByteArray after = edited(before, kProfile123, QStringLiteral("Blob"), {3, bytes});
        QCOMPARE(after, replaced(before, "\"Wins\"=dword:00000007\n",
                                 "\"Wins\"=dword:00000007\n"
                                 "\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,"
                                 "10,11,12,13,14,15,\\\n"
                                 "  16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27\n"));

        // Writing a short value over it takes away both lines and nothing else.
        QCOMPARE(edited(after, kProfile123, QStringLiteral("Blob"), binary("ff")),
                 replaced(before, "\"Wins\"=dword:00000007\n",
                          "\"Wins\"=dword:00000007\n\"Blob\"=hex:ff\n"));
    }

    void keepsWindowsLineBreaks()
    {
        QByteArray before = withProfile();
        before.replace("\n", "\r\n");
        const QByteArray changed =
            edited(before, kProfile123, QStringLiteral("Color"), binary("0a1b2c3d"));
        QCOMPARE(changed, replaced(before, "\"Color\"=hex:01,02,03,04\r\n",
                                   "\"Color\"=hex:0a,1b,2c,3d\r\n"));
        const QByteArray added = edited(before, kProfile123, QStringLiteral("New"), binary("01"));
        QCOMPARE(added, replaced(before, "\"Wins\"=dword:00000007\r\n",
                                 "\"Wins\"=dword:00000007\r\n\"New\"=hex:01\r\n"));
    }

    void replacesTheLineThatCountsOfDuplicates()
    {
        // The server reads the file from the top, so the last of two lines for a value wins.
        const QByteArray before = fixture() +
                                  "\n[Software\\\\Ventaloft] 1\n\"Name\"=\"first\"\n"
                                  "\"NAME\"=\"second\"\n\n[software\\\\ventaloft] 2\n\"x\"=\"\"\n";
        QCOMPARE(edited(before, QStringLiteral("Software\\Ventaloft"), QStringLiteral("name"),
                        text(QStringLiteral("new"))),
                 replaced(before, "\"NAME\"=\"second\"", "\"NAME\"=\"new\""));
    }

    void refusesWhatItDoesNotUnderstand_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QByteArray head =
            "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\User\n\n";
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("other version") << QByteArray("WINE REGISTRY Version 1\n[a] 1\n");
        QTest::newRow("regedit export") << QByteArray("REGEDIT4\n\n[HKEY_USERS\\.DEFAULT]\n");
        QTest::newRow("value outside a section") << head + "\"a\"=\"b\"\n";
        QTest::newRow("string not closed") << head + "[a] 1\n\"a\"=\"b\n";
        QTest::newRow("name not closed") << head + "[a] 1\n\"a=\"b\"\n";
        QTest::newRow("no equals sign") << head + "[a] 1\n\"a\" \"b\"\n";
        QTest::newRow("unknown data") << head + "[a] 1\n\"a\"=foo:1\n";
        QTest::newRow("byte above ff") << head + "[a] 1\n\"a\"=hex:100\n";
        QTest::newRow("junk after hex") << head + "[a] 1\n\"a\"=hex:01 zz\n";
        QTest::newRow("continued past the end") << head + "[a] 1\n\"a\"=hex:01,\\\n";
        QTest::newRow("section not closed") << head + "[a\n";
        QTest::newRow("stray line") << head + "[a] 1\nhello\n";
        QTest::newRow("zero byte") << head + QByteArray("[a] 1\n\"a\"=\"\0\"\n", 14);
        QTest::newRow("dword without digits") << head + "[a] 1\n\"a\"=dword:\n";
    }
    void refusesWhatItDoesNotUnderstand()
    {
        QFETCH(QByteArray, content);
        QVERIFY(!WineRegFile::parse(content));
    }
};

QTEST_GUILESS_MAIN(TestWineRegFile)
#include "tst_wineregfile.moc"
