#include "registry/ValueEncoding.h"

#include <QTest>

// What the profile buttons hand to the registry: the "&H" texts and the bytes they become.
class TestValueEncoding : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void hexReading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint32>("number");
        QTest::newRow("eight digits") << QStringLiteral("&H0A1B2C3D") << quint32(0x0A1B2C3D);
        QTest::newRow("all ones") << QStringLiteral("&HFFFFFFFF") << quint32(0xFFFFFFFF);
        QTest::newRow("either case") << QStringLiteral("&hfF") << quint32(0xFF);
        QTest::newRow("no digits") << QStringLiteral("&H") << quint32(0);
        QTest::newRow("stops at a non-digit") << QStringLiteral("&HFur teEn") << quint32(0xF);
        QTest::newRow("blanks skipped") << QStringLiteral("&H 1 2 ") << quint32(0x12);
        // The open choice: four zeros then a digit of 8 or more read as the plain number, not
        // widened from sixteen bits with its sign.
        QTest::newRow("plain positive") << QStringLiteral("&H00008000") << quint32(0x8000);
        QTest::newRow("short high digit") << QStringLiteral("&HFFFF") << quint32(0xFFFF);
        QTest::newRow("more than eight digits keep the low ones")
            << QStringLiteral("&H123456789") << quint32(0x23456789);
        QTest::newRow("no &H") << QStringLiteral("12") << quint32(0);
    }
    void hexReading()
    {
        QFETCH(QString, text);
        QFETCH(quint32, number);
        QCOMPARE(encoding::readHexNumber(text), number);
    }

    // The fur-colour box, through the pair reversal and the numeric reading, to the four bytes.
    void furColorsBecomeTheTypedBytes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("valueText");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("0A1B2C3D") << QStringLiteral("0A1B2C3D") << QStringLiteral("&H3D2C1B0A")
                                  << QByteArray::fromHex("0a1b2c3d");
        QTest::newRow("FFFFFFFF") << QStringLiteral("FFFFFFFF") << QStringLiteral("&HFFFFFFFF")
                                  << QByteArray::fromHex("ffffffff");
        QTest::newRow("1234") << QStringLiteral("1234") << QStringLiteral("&H3412")
                              << QByteArray::fromHex("12340000");
        QTest::newRow("123") << QStringLiteral("123") << QStringLiteral("&H312")
                             << QByteArray::fromHex("12030000");
        QTest::newRow("empty") << QString() << QStringLiteral("&H")
                               << QByteArray::fromHex("00000000");
        QTest::newRow("start text")
            << QStringLiteral("Enter Fur Colors (in hex)...") << QStringLiteral("&HFur teEn")
            << QByteArray::fromHex("0f000000");
        QTest::newRow("start text as Load cuts it")
            << QStringLiteral("Enter Fu") << QStringLiteral("&HFur teEn")
            << QByteArray::fromHex("0f000000");
        QTest::newRow("fifth digit 8 after four zeros")
            << QStringLiteral("00800000") << QStringLiteral("&H00008000")
            << QByteArray::fromHex("00800000");
        QTest::newRow("lower case") << QStringLiteral("0a1b2c3d") << QStringLiteral("&H3d2c1b0a")
                                    << QByteArray::fromHex("0a1b2c3d");
    }
    void furColorsBecomeTheTypedBytes()
    {
        QFETCH(QString, box);
        QFETCH(QString, valueText);
        QFETCH(QByteArray, bytes);
        QCOMPARE(profile::furColorValueText(box), valueText);
        QCOMPARE(encoding::littleEndian32(encoding::readHexNumber(valueText)), bytes);
    }

    void characterCodesPerEdition()
    {
        using profile::characterValueText;
        QCOMPARE(characterValueText(Edition::V123, Character::Brix), QStringLiteral("&H00000036"));
        QCOMPARE(characterValueText(Edition::V123, Character::Vosk), QStringLiteral("&H00000055"));
        QCOMPARE(characterValueText(Edition::V123, Character::Nyla), std::nullopt);
        QCOMPARE(characterValueText(Edition::Rkv, Character::Brix), QStringLiteral("&H00000037"));
        QCOMPARE(characterValueText(Edition::Rkv, Character::Vosk), QStringLiteral("&H00000059"));
        QCOMPARE(characterValueText(Edition::Rkv, Character::Nyla), QStringLiteral("&H0000003D"));
        QCOMPARE(characterValueText(Edition::Rkv, Character::None), std::nullopt);
        QCOMPARE(encoding::littleEndian32(
                     encoding::readHexNumber(*characterValueText(Edition::Rkv, Character::Nyla))),
                 QByteArray::fromHex("3d000000"));
    }
};

QTEST_GUILESS_MAIN(TestValueEncoding)
#include "tst_valueencoding.moc"
