#include "browser/JoinCommand.h"
#include "browser/JoinLink.h"

#include <QTest>

// Join links come from chat rooms, so from anyone: every text either names one server by address
// (and port) or is refused with a reason.
class TestJoinLink : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void links_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("address"); // empty: refused
        QTest::addColumn<int>("port");        // 0: none given
        QTest::addColumn<QString>("reason");  // a part of the refusal

        auto accept = [](const char* name, const QString& text, const char* address, int port) {
            QTest::newRow(name) << text << QString::fromLatin1(address) << port << QString();
        };
        accept("IPv4", QStringLiteral("brix2://192.0.2.7"), "192.0.2.7", 0);
        accept("IPv4 and port", QStringLiteral("brix2://192.0.2.7:10054"), "192.0.2.7", 10054);
        accept("IPv6", QStringLiteral("brix2://[2001:db8::7]"), "2001:db8::7", 0);
        accept("IPv6 and port", QStringLiteral("brix2://[::1]:65535"), "::1", 65535);
        accept("host name", QStringLiteral("brix2://Play.Example-1.org:1"), "Play.Example-1.org",
               1);
        accept("scheme in capitals", QStringLiteral("BRIX2://192.0.2.7"), "192.0.2.7", 0);
        accept("a closing slash", QStringLiteral("brix2://192.0.2.7:5/"), "192.0.2.7", 5);
        accept("longest",
               QStringLiteral("brix2://") + QString(63, u'a') + QLatin1Char('.') +
                   QString(63, u'b') + QLatin1Char('.') + QString(63, u'c') + QLatin1Char('.') +
                   QString(55, u'd'),
               nullptr, 0);

        auto refuse = [](const char* name, const QString& text, const char* reason) {
            QTest::newRow(name) << text << QString() << 0 << QString::fromLatin1(reason);
        };
        refuse("other scheme", QStringLiteral("http://192.0.2.7"), "not a brix2:// link");
        refuse("no slashes", QStringLiteral("brix2:192.0.2.7"), "not a brix2:// link");
        refuse("user info", QStringLiteral("brix2://me@192.0.2.7"), "user information");
        refuse("path", QStringLiteral("brix2://192.0.2.7/level.b2l"), "a path");
        refuse("two slashes", QStringLiteral("brix2://192.0.2.7//"), "a path");
        refuse("query", QStringLiteral("brix2://192.0.2.7?x=1"), "a query");
        refuse("fragment", QStringLiteral("brix2://192.0.2.7#x"), "a fragment");
        refuse("switch", QStringLiteral("brix2://-server"), "starts with '-'");
        refuse("switch and port", QStringLiteral("brix2://-x:5"), "starts with '-'");
        refuse("tab", QStringLiteral("brix2://192.0.2.7\t-server"), "control character");
        refuse("new line", QStringLiteral("brix2://a\nb"), "control character");
        refuse("C1 control", QStringLiteral("brix2://a") + QChar(0x9b) + QLatin1Char('b'),
               "control character");
        refuse("NUL", QStringLiteral("brix2://a") + QChar(0) + QLatin1Char('b'),
               "control character");
        refuse("percent", QStringLiteral("brix2://%2Dserver"), "percent-encoded");
        refuse("IPv6 zone", QStringLiteral("brix2://[fe80::1%25eth0]"), "percent-encoded");
        refuse("too long", QStringLiteral("brix2://") + QString(248, u'a'), "longer than 255");
        refuse("port 0", QStringLiteral("brix2://192.0.2.7:0"), "1 to 65535");
        refuse("port 65536", QStringLiteral("brix2://192.0.2.7:65536"), "1 to 65535");
        refuse("long port", QStringLiteral("brix2://192.0.2.7:000080"), "1 to 65535");
        refuse("signed port", QStringLiteral("brix2://192.0.2.7:+80"), "1 to 65535");
        refuse("empty port", QStringLiteral("brix2://192.0.2.7:"), "1 to 65535");
        refuse("nothing", QStringLiteral("brix2://"), "names no server");
        refuse("blank", QStringLiteral("brix2://a b"), "not an IP address or host name");
        refuse("not IPv4", QStringLiteral("brix2://192.0.2.256"), "not an IP address");
        refuse("octal-looking", QStringLiteral("brix2://010.0.0.1"), "not an IP address");
        refuse("non-ASCII", QStringLiteral("brix2://h\u00f6st"), "not an IP address");
        refuse("bare IPv6", QStringLiteral("brix2://2001:db8::7"), "in brackets");
        refuse("unclosed", QStringLiteral("brix2://[::1"), "closing bracket");
        refuse("not IPv6", QStringLiteral("brix2://[host]"), "not an IPv6 address");
        refuse("blank in IPv6", QStringLiteral("brix2://[::f: 0]"), "not an IPv6 address");
        refuse("after brackets", QStringLiteral("brix2://[::1]x"), "only a port");
    }

    // What the parser accepts goes on the game's command line as one plain argument; what it
    // refuses, it says why.
    void links()
    {
        QFETCH(QString, text);
        QFETCH(QString, address);
        QFETCH(int, port);
        QFETCH(QString, reason);
        const JoinLinkParse parsed = parseJoinLink(text);
        if (reason.isEmpty()) {
            QVERIFY2(parsed.link, qPrintable(parsed.error));
            if (!address.isEmpty())
                QCOMPARE(parsed.link->address, address);
            QCOMPARE(int(parsed.link->port.value_or(0)), port);
            QCOMPARE(parseJoinLink(parsed.link->text()).link, parsed.link);
            QCOMPARE(parseJoinAddress(parsed.link->hostAndPort()).link, parsed.link);
            QVERIFY(joinCommandLine({}, parsed.link->address));
        } else {
            QVERIFY(!parsed.link);
            QVERIFY2(parsed.error.contains(reason), qPrintable(parsed.error));
        }
    }

    void theLinkTextPutsIPv6InBrackets()
    {
        QCOMPARE((JoinLink{QStringLiteral("2001:db8::7"), 4000}).text(),
                 QStringLiteral("brix2://[2001:db8::7]:4000"));
        QCOMPARE((JoinLink{QStringLiteral("192.0.2.7"), {}}).text(),
                 QStringLiteral("brix2://192.0.2.7"));
        QVERIFY(!parseJoinAddress(QStringLiteral("brix2://192.0.2.7")).link);
        // An address alone is held to what fits in a link: it is handed over as one.
        const QString longest = QString(63, u'a') + QLatin1Char('.') + QString(63, u'b') +
                                QLatin1Char('.') + QString(63, u'c') + QLatin1Char('.') +
                                QString(53, u'd') + QStringLiteral(":1");
        QVERIFY(parseJoinAddress(longest).link);
        QVERIFY(!parseJoinAddress(QLatin1Char('x') + longest).link);
    }
};

QTEST_APPLESS_MAIN(TestJoinLink)
#include "tst_joinlink.moc"
