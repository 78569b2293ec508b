#include "launch/CommandLines.h"
#include "launch/GameDirectory.h"
#include "launch/WindowsArguments.h"

#include <QTest>

using namespace commandlines;

class TestCommandLines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyLineIsItsPiecesJoined()
    {
        const QString dir = QStringLiteral("C:\\Games\\");
        QCOMPARE(join(dir, QStringLiteral("10.0.0.5")).text(),
                 QStringLiteral("C:\\Games\\brix2.exe -connect 10.0.0.5"));
        QCOMPARE(
            host(dir, QStringLiteral("10"), QStringLiteral("32"), QStringLiteral("Capture"),
                 QStringLiteral("battle1.b2l"))
                .text(),
            QStringLiteral(
                "C:\\Games\\brix2.exe -server -counts 10 -maxplayers 32 -Capture battle1.b2l"));
        QCOMPARE(openLevelInGame(dir, QStringLiteral("battle1.b2l")).text(),
                 QStringLiteral("C:\\Games\\brix2.exe battle1.b2l"));
        QCOMPARE(openLevelInEditor(dir, QStringLiteral("battle1.b2l")).text(),
                 QStringLiteral("C:\\Games\\qle.exe battle1.b2l"));
        QCOMPARE(newWindow(dir).text(), QStringLiteral("C:\\Games\\brix2.exe -server battle1.b2l"));

        // The program is the directory glued to the executable, so a directory holding blanks
        // still names one program.
        const CommandLine spaced =
            openLevelInEditor(QStringLiteral("/opt/Brix Quorrel 2/"), QStringLiteral("a.b2l"));
        QCOMPARE(spaced.program, QStringLiteral("/opt/Brix Quorrel 2/qle.exe"));
        QCOMPARE(spaced.arguments, QStringLiteral("a.b2l"));
    }

    void emptyPiecesLeaveTheirBlanks()
    {
        // Nothing chosen on the Host Game page and no "Okay" pressed yet.
        QCOMPARE(host(QString(), {}, {}, {}, {}).text(),
                 QStringLiteral("brix2.exe -server -counts  -maxplayers  - "));
        QCOMPARE(openLevelInGame(QStringLiteral("/g/"), QString()).text(),
                 QStringLiteral("/g/brix2.exe "));
        QCOMPARE(openLevelInEditor(QStringLiteral("/g/"), QString()).text(),
                 QStringLiteral("/g/qle.exe "));
        QCOMPARE(newWindow(QString()).text(), QStringLiteral("brix2.exe -server battle1.b2l"));
        // A directory loaded without its separator glues onto the executable's name.
        QCOMPARE(newWindow(QStringLiteral("C:\\Games")).program,
                 QStringLiteral("C:\\Gamesbrix2.exe"));
    }

    void onlyLevelNamesWithBlanksAreQuoted()
    {
        QCOMPARE(openLevelInGame(QStringLiteral("/g/"), QStringLiteral("my level.b2l")).text(),
                 QStringLiteral("/g/brix2.exe \"my level.b2l\""));
        QCOMPARE(host(QStringLiteral("/g/"), QStringLiteral("1 0"), QStringLiteral("32"),
                      QStringLiteral("Race"), QStringLiteral("big map.b2l"))
                     .arguments,
                 QStringLiteral("-server -counts 1 0 -maxplayers 32 -Race \"big map.b2l\""));
        // Typed values stay as typed, blanks and all.
        QCOMPARE(
            splitWindowsArguments(host({}, QStringLiteral("1 0"), QStringLiteral("32"),
                                       QStringLiteral("Race"), QStringLiteral("big map.b2l"))
                                      .arguments),
            (QStringList{QStringLiteral("-server"), QStringLiteral("-counts"), QStringLiteral("1"),
                         QStringLiteral("0"), QStringLiteral("-maxplayers"), QStringLiteral("32"),
                         QStringLiteral("-Race"), QStringLiteral("big map.b2l")}));
        QCOMPARE(levelOperand(QStringLiteral("plain.b2l")), QStringLiteral("plain.b2l"));
        QCOMPARE(levelOperand(QString()), QString());
    }

    void splitsLikeTheWindowsRuntime_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("arguments");
        const auto s = [](const char* t) { return QString::fromLatin1(t); };
        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("blanks only") << s(" \t ") << QStringList();
        QTest::newRow("blanks and tabs") << s("  a\tb   c ") << QStringList{s("a"), s("b"), s("c")};
        QTest::newRow("quoted run") << s("x \"a b\"c d") << QStringList{s("x"), s("a bc"), s("d")};
        QTest::newRow("empty quotes") << s("a \"\" b") << QStringList{s("a"), s(""), s("b")};
        QTest::newRow("unclosed quote") << s("\"a b") << QStringList{s("a b")};
        QTest::newRow("plain backslashes")
            << s("C:\\Games\\ x\\\\y") << QStringList{s("C:\\Games\\"), s("x\\\\y")};
        QTest::newRow("escaped quote") << s("a\\\"b") << QStringList{s("a\"b")};
        QTest::newRow("even backslashes before quote")
            << s("a\\\\\"b c\"") << QStringList{s("a\\b c")};
        QTest::newRow("odd backslashes before quote")
            << s("a\\\\\\\"b c") << QStringList{s("a\\\"b"), s("c")};
        QTest::newRow("doubled quote inside quotes")
            << s("\"a\"\"b\" c") << QStringList{s("a\"b"), s("c")};
    }

    void splitsLikeTheWindowsRuntime()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, arguments);
        QCOMPARE(splitWindowsArguments(text), arguments);
    }

    void quotedArgumentsSplitBackWhole()
    {
        const QStringList awkward = {QStringLiteral("a b"),      QStringLiteral("tab\there"),
                                     QStringLiteral("q\"uote"),  QStringLiteral("end\\"),
                                     QStringLiteral("sp ace\\"), QStringLiteral("\\\"x y"),
                                     QStringLiteral("\"\""),     QString(),
                                     QStringLiteral("ünï cødé"), QStringLiteral("trail \\\\")};
        QStringList quoted;
        for (const QString& argument : awkward)
            quoted.append(quoteWindowsArgument(argument));
        QCOMPARE(splitWindowsArguments(quoted.join(QLatin1Char(' '))), awkward);
    }

    void acceptAddsOneSeparator()
    {
        const QString sep = directorySeparator();
        QCOMPARE(withTrailingSeparator(QStringLiteral("games")), QStringLiteral("games") + sep);
        QCOMPARE(withTrailingSeparator(QStringLiteral("games") + sep),
                 QStringLiteral("games") + sep);
        QCOMPARE(withTrailingSeparator(QString()), sep);
        QCOMPARE(withTrailingSeparator(QStringLiteral("games ")), QStringLiteral("games ") + sep);
    }
};

QTEST_GUILESS_MAIN(TestCommandLines)
#include "tst_commandlines.moc"
