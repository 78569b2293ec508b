#include "RealisticReply.h"

#include "browser/JoinCommand.h"
#include "browser/ReplyParser.h"
#include "common/Windows1252.h"

#include <QTest>

namespace {

// Reply text is written here as UTF-8 and sent as the list server would, in Windows-1252
// (every character used below is in Latin-1, so "§" becomes byte 167).
QByteArray wire(const char* utf8)
{
    return QString::fromUtf8(utf8).toLatin1();
}

ServerRow parsed(const char* utf8)
{
    const std::optional<ServerRow> row = parseServerLine(wire(utf8));
    if (!row) {
        qWarning("line not taken apart: %s", utf8);
        return {};
    }
    return *row;
}

bool takenApart(QByteArrayView line)
{
    return parseServerLine(line).has_value();
}

// A row's five cells, as the table shows them.
QStringList makeRow(const char* name, const char* type, const char* version, const char* players,
                    const char* address)
{
    return {QString::fromUtf8(name), QString::fromUtf8(type), QString::fromUtf8(version),
            QString::fromUtf8(players), QString::fromUtf8(address)};
}

} // namespace

class TestReplyParser : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theTwoExampleLines()
    {
        QCOMPARE(parsed("192.0.2.7:5000 battle 1.24   [3/16] |Night §2Arena\r").texts(),
                 makeRow("Night Arena", "Battle", "RKV", "3/16", "192.0.2.7"));
        QCOMPARE(parsed("192.0.2.7:5000 private ctf 1.21 x [3/16] |Night §2Arena\r").texts(),
                 makeRow("Night Arena", "Ctf", "1.21 x", "3/16", "Private"));
    }

    void typeAndVersionComeFromTheColumnsOnly()
    {
        // Several words: the one tested last wins.
        QCOMPARE(parsed("a:1 battle treasure 1.24   [1/2] N\r").type(), QStringLiteral("Treasure"));
        QCOMPARE(parsed("a:1 ctf battle [1/2] N\r").type(), QStringLiteral("Ctf"));
        QCOMPARE(parsed("a:1 1.21 x 1.24   [1/2] N\r").version(), QStringLiteral("1.21 x"));
        QCOMPARE(parsed("a:1 1.21    1.24 x [1/2] N\r").version(), QStringLiteral("1.24 x"));
        QCOMPARE(parsed("a:1 1.21   [1/2] N\r").version(), QStringLiteral("1.21"));
        // The version needs its three blanks, and the words are case-sensitive.
        QCOMPARE(parsed("a:1 battle 1.24 [1/2] N\r").version(), QString());
        QCOMPARE(parsed("a:1 Battle CTF [1/2] N\r").type(), QString());
        // A server's name is never searched: a battle server named after a treasure hunt stays
        // a battle server, and a name cannot fake a version.
        const ServerRow hunt = parsed("a:1 battle 1.24   [1/2] treasure hunt 1.21 x ctf\r");
        QCOMPARE(hunt.type(), QStringLiteral("Battle"));
        QCOMPARE(hunt.version(), QStringLiteral("RKV"));
        QCOMPARE(hunt.name(), QStringLiteral("treasure hunt 1.21 x ctf"));
    }

    void privateOnlyFromTheColumns()
    {
        QCOMPARE(parsed("192.0.2.9:5000 private battle [2/8] Mine\r").address(),
                 QStringLiteral("Private"));
        // A private entry needs no address at all.
        QCOMPARE(parsed("private battle [2/8] Mine\r").address(), QStringLiteral("Private"));
        // A public server named "private party" can still be joined.
        QCOMPARE(parsed("192.0.2.9:5000 battle [2/8] private party\r").texts(),
                 makeRow("private party", "Battle", "", "2/8", "192.0.2.9"));
        QCOMPARE(parsed("192.0.2.9:5000 Private [2/8] x\r").address(), QStringLiteral("192.0.2.9"));
    }

    void playersAndAddress()
    {
        // Without "[" the players are everything before the "]".
        QCOMPARE(parsed("192.0.2.1:7 battle 3/16] Solo\r").players(),
                 QStringLiteral("192.0.2.1:7 battle 3/16"));
        QCOMPARE(parsed("h:1 [a[b] N\r").players(), QStringLiteral("a[b"));
        QCOMPARE(parsed("h:1 [] N\r").players(), QString());
        // The address is whatever stands before the first ":".
        QCOMPARE(parsed(":1 [1/2] N\r").address(), QString());
        QCOMPARE(parsed("host.example:1:2 [1/2] N\r").address(), QStringLiteral("host.example"));
    }

    void theNameAndItsEnd()
    {
        QCOMPARE(parsed("a:1 [1/2] Name\r").name(), QStringLiteral("Name"));
        // LF without CR keeps the name whole.
        QCOMPARE(parsed("a:1 [1/2] Name").name(), QStringLiteral("Name"));
        QCOMPARE(parsed("a:1 [1/2] N").name(), QStringLiteral("N"));
        // Only the last CR goes; anything between "]" and the name is the one separator.
        QCOMPARE(parsed("a:1 [1/2] Na\r\r").name(), QStringLiteral("Na\r"));
        QCOMPARE(parsed("a:1 [1/2]xName\r").name(), QStringLiteral("Name"));
        QCOMPARE(parsed("a:1 [1/2]  Name\r").name(), QStringLiteral(" Name"));
        // "]", one blank and the CR: a row without a name.
        QCOMPARE(parsed("a:1 battle [1/2] \r").texts(), makeRow("", "Battle", "", "1/2", "a"));
    }

    void colourCodes()
    {
        QCOMPARE(parsed("a:1 [1/2] |||Plain|\r").name(), QStringLiteral("Plain"));
        QCOMPARE(parsed("a:1 [1/2] §1R§2a§3i§4n§5b§6o§7w§8!§9!§0!\r").name(),
                 QStringLiteral("Rainbow!!!"));
        // A section sign before anything but a digit stays.
        QCOMPARE(parsed("a:1 [1/2] §A §\r").name(), QStringLiteral("§A §"));
        // Each code is removed in one pass, in the order |, 1..9, 0: what a removal uncovers
        // is removed only by a later pass.
        QCOMPARE(parsed("a:1 [1/2] §§1\r").name(), QStringLiteral("§"));
        QCOMPARE(parsed("a:1 [1/2] §|1\r").name(), QString());
        QCOMPARE(parsed("a:1 [1/2] §§11\r").name(), QStringLiteral("§1"));
        QCOMPARE(parsed("a:1 [1/2] §§21\r").name(), QStringLiteral("§1"));
        QCOMPARE(parsed("a:1 [1/2] §§12\r").name(), QString());
        QCOMPARE(parsed("a:1 [1/2] §§01\r").name(), QStringLiteral("§1"));
        // Codes in the players or address are not colour codes.
        QCOMPARE(parsed("a|§1:1 [§2|] N\r").players(), QStringLiteral("§2|"));
    }

    void linesThatCannotBeTakenApart()
    {
        QVERIFY(!takenApart(""));
        QVERIFY(!takenApart("\r"));
        QVERIFY(!takenApart("192.0.2.7:5000 battle 1.24   no brackets\r"));
        QVERIFY(!takenApart("192.0.2.7:5000 battle ] N [1/2]\r")); // "[" only after "]"
        QVERIFY(!takenApart("a:1 [1/2]\r"));                       // one character after "]"
        QVERIFY(!takenApart("a:1 [1/2]"));
        QVERIFY(!takenApart("192.0.2.7 battle [1/2] N\r")); // public without ":"
        QVERIFY(takenApart("a:1 [1/2] \r"));

        // In a reply they are left out, and the lines around them still count.
        ReplyParser parser;
        const std::vector<ServerRow> rows = parser.feed(wire("a:1 [1/2] First\r\n"
                                                             "\r\n"
                                                             "\n"
                                                             "garbage without brackets\r\n"
                                                             "a:1 ] x [\r\n"
                                                             "b:2 ctf [2/2] Second\r\n"));
        QCOMPARE(rows.size(), size_t(2));
        QCOMPARE(rows[0].name(), QStringLiteral("First"));
        QCOMPARE(rows[1].texts(), makeRow("Second", "Ctf", "", "2/2", "b"));
    }

    void theWesternCodePage()
    {
        for (int byte = 0; byte < 256; ++byte) {
            if (byte < 0x80 || byte >= 0xA0)
                QCOMPARE(int(windows1252::toUnicode(uchar(byte))), byte);
        }
        QCOMPARE(int(windows1252::toUnicode(0x80)), 0x20AC); // euro sign
        QCOMPARE(int(windows1252::toUnicode(0x8A)), 0x0160); // S with caron
        QCOMPARE(int(windows1252::toUnicode(0x93)), 0x201C); // left double quotation mark
        QCOMPARE(int(windows1252::toUnicode(0x99)), 0x2122); // trade mark sign
        QCOMPARE(int(windows1252::toUnicode(0x9F)), 0x0178); // Y with diaeresis
        // Undefined in the code page: kept as their own code point, one character each.
        for (uchar undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
            QCOMPARE(int(windows1252::toUnicode(undefined)), int(undefined));
        QCOMPARE(windows1252::decode("\xA7"), QStringLiteral("§"));

        const std::optional<ServerRow> row =
            parseServerLine(QByteArrayView("h\x80:1 [\x85] \x93Hi\x94 \0\xFF\r", 17));
        QVERIFY(row);
        QCOMPARE(row->address(), QStringLiteral("h€"));
        QCOMPARE(row->players(), QStringLiteral("…"));
        QCOMPARE(row->name(), QStringLiteral("\u201CHi\u201D ") + QChar(0) + QChar(0xFF));
    }

    void noSixteenBitLimits()
    {
        // A players column reaching far beyond position 32,767.
        const QByteArray players(40000, '7');
        const QByteArray line = "192.0.2.7:1 battle [" + players + "] Far\r";
        const std::optional<ServerRow> row = parseServerLine(line);
        QVERIFY(row);
        QCOMPARE(row->players().size(), 40000);
        QCOMPARE(row->name(), QStringLiteral("Far"));
        QCOMPARE(row->type(), QStringLiteral("Battle"));

        ReplyParser parser;
        const std::vector<ServerRow> rows = parser.feed(realisticReply(40000));
        QCOMPARE(rows.size(), size_t(40000));
    }

    void aLineCutBetweenArrivalsIsJoinedAgain()
    {
        const QByteArray line = wire("192.0.2.7:5000 battle 1.24   [3/16] |Night §2Arena\r\n");
        for (qsizetype cut = 0; cut <= line.size(); ++cut) {
            ReplyParser parser;
            std::vector<ServerRow> rows = parser.feed(line.first(cut));
            parser.feed(line.sliced(cut), rows);
            QCOMPARE(rows.size(), size_t(1));
            QCOMPARE(rows[0].texts(), makeRow("Night Arena", "Battle", "RKV", "3/16", "192.0.2.7"));
        }

        // Three complete lines and the head of a fourth: three rows now, the fourth when its
        // tail comes.
        ReplyParser parser;
        const QByteArray reply = realisticReply(4);
        const qsizetype fourth = reply.lastIndexOf("\r\n", reply.size() - 3) + 2;
        QCOMPARE(parser.feed(reply.first(fourth + 10)).size(), size_t(3));
        QCOMPARE(parser.pendingSize(), 10);
        QCOMPARE(parser.feed(reply.sliced(fourth + 10)).size(), size_t(1));
        QCOMPARE(parser.pendingSize(), 0);
    }

    void randomCutsGiveTheRowsOfOneArrival()
    {
        const QByteArray reply = realisticReply(3000, 7);
        const std::vector<ServerRow> whole = ReplyParser().feed(reply);
        QCOMPARE(whole.size(), size_t(3000));
        QRandomGenerator random(42);
        for (int trial = 0; trial < 20; ++trial) {
            ReplyParser parser;
            std::vector<ServerRow> rows;
            for (qsizetype at = 0; at < reply.size();) {
                // Mostly small pieces, now and then a large one, sometimes a single byte.
                const qsizetype piece = trial % 4 == 0 ? 1 : random.bounded(1, 4000);
                parser.feed(QByteArrayView(reply).sliced(at, qMin(piece, reply.size() - at)), rows);
                at += piece;
            }
            QCOMPARE(rows, whole);
        }
    }

    void resetForgetsTheUnfinishedLine()
    {
        ReplyParser parser;
        QVERIFY(parser.feed(wire("192.0.2.7:5000 battle [3/16] Night Ar")).empty());
        parser.reset();
        QCOMPARE(parser.pendingSize(), 0);
        // The tail of the old line is a line of its own now, and no server entry.
        QVERIFY(parser.feed(wire("ena\r\n")).empty());
        QCOMPARE(parser.feed(wire("b:1 [1/2] New\r\n")).size(), size_t(1));
    }

    void overlongLinesAreSkippedWithoutHoldingThem()
    {
        ReplyParser parser;
        std::vector<ServerRow> rows;
        // 16 MiB without any LF, in socket-sized pieces: never more than one line's worth held.
        const QByteArray chunk(64 * 1024, 'x');
        for (int i = 0; i < 256; ++i) {
            parser.feed(chunk, rows);
            QVERIFY(parser.pendingSize() <= ReplyParser::MaxLineLength);
        }
        QVERIFY(rows.empty());
        // Its LF ends the skipping; the next line is read as usual.
        parser.feed(wire("still the long line [1/2] x\r\na:1 [1/2] After\r\n"), rows);
        QCOMPARE(rows.size(), size_t(1));
        QCOMPARE(rows[0].name(), QStringLiteral("After"));

        // The same line in one arrival is skipped too, so cuts never change the outcome.
        const QByteArray huge = "a:1 [1/2] " + QByteArray(ReplyParser::MaxLineLength, 'n') + "\r\n";
        QVERIFY(ReplyParser().feed(huge).empty());

        // A 1 MiB line is still a server entry.
        const QByteArray big = "a:1 [1/2] " + QByteArray(1024 * 1024, 'n') + "\r\n";
        const std::vector<ServerRow> bigRows = ReplyParser().feed(big);
        QCOMPARE(bigRows.size(), size_t(1));
        QCOMPARE(bigRows[0].name().size(), 1024 * 1024);
    }

    void binaryGarbageGivesOnlyWhatParses()
    {
        QRandomGenerator random(3);
        QByteArray garbage(1024 * 1024, Qt::Uninitialized);
        for (char& c : garbage)
            c = char(random.bounded(256));
        // Whatever rows the noise happens to make, cutting it up does not change them.
        const std::vector<ServerRow> whole = ReplyParser().feed(garbage);
        ReplyParser parser;
        std::vector<ServerRow> rows;
        for (qsizetype at = 0; at < garbage.size(); at += 777)
            parser.feed(
                QByteArrayView(garbage).sliced(at, qMin<qsizetype>(777, garbage.size() - at)),
                rows);
        QCOMPARE(rows, whole);
        parser.feed("\n", rows); // ends the noise's last line, which may or may not parse
        const size_t before = rows.size();
        parser.feed(wire("a:1 [1/2] Clean\r\n"), rows);
        QCOMPARE(rows.size(), before + 1);
        QCOMPARE(rows.back().name(), QStringLiteral("Clean"));

        const QByteArray nuls(5000, '\0');
        QVERIFY(ReplyParser().feed(nuls + '\n').empty());
    }

    void theJoinCommandLine()
    {
        const std::optional<CommandLine> line =
            joinCommandLine(QStringLiteral("C:\\Games\\"), QStringLiteral("192.0.2.7"));
        QVERIFY(line);
        QCOMPARE(line->text(), QStringLiteral("C:\\Games\\brix2.exe -connect 192.0.2.7"));
        QCOMPARE(line->program, QStringLiteral("C:\\Games\\brix2.exe"));
        QCOMPARE(line->arguments, QStringLiteral("-connect 192.0.2.7"));
        QCOMPARE(joinCommandLine({}, QStringLiteral("192.0.2.7"))->text(),
                 QStringLiteral("brix2.exe -connect 192.0.2.7"));
        QCOMPARE(joinCommandLine({}, QStringLiteral("Brix-2.example.org"))->arguments,
                 QStringLiteral("-connect Brix-2.example.org"));
        QCOMPARE(joinCommandLine({}, QStringLiteral("2001:db8::7"))->arguments,
                 QStringLiteral("-connect 2001:db8::7"));

        // Anything that is not one plain host token is refused.
        const char* const refused[] = {
            "",           "-server",       "192.0.2.7 -server battle1.b2l",
            "host\tname", "a;b",           "a&b",
            "a\"b",       "a|b",           "$(x)",
            "`x`",        "..\\x",         "h\xC3\xB6st",
            "host\nname", "192.0.2.7:5000", "[2001:db8::7]",
            "fe80::1%eth0", "::1 -x",      ":::"};
        for (const char* address : refused)
            QVERIFY2(!joinCommandLine(QStringLiteral("C:\\"), QString::fromUtf8(address)), address);
        QVERIFY(!isPlainHostAddress(QString(254, u'a')));
        QVERIFY(isPlainHostAddress(QString(253, u'a')));
        QVERIFY(!isPlainHostAddress(QStringLiteral("a") + QChar(0) + QStringLiteral("b")));
    }
};

QTEST_APPLESS_MAIN(TestReplyParser)
#include "tst_replyparser.moc"
