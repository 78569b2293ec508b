// Start-up reads IP addresses without Qt Network; they must be read as Qt Network reads them.
#include "common/IpAddress.h"

#include <QHostAddress>
#include <QTest>

class TestIpAddress : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readAsQHostAddressReadsThem_data()
    {
        QTest::addColumn<QString>("text");
        for (const char* text : {"192.0.2.7",
                                 "192.0.2.256",
                                 "192.0.2",
                                 "1.2.3.4.5",
                                 "0.0.0.0",
                                 "2001:db8::7",
                                 "2001:DB8:0:0::7",
                                 "::1",
                                 "::",
                                 "::ffff:192.0.2.1",
                                 "2001:db8::7::1",
                                 "2001:db8:::7",
                                 "12345::1",
                                 "fe80::1%eth0",
                                 "2001:db8::g",
                                 "v1.x",
                                 "example.com",
                                 "[::1]",
                                 "",
                                 " 192.0.2.7",
                                 "192.0.2.7 ",
                                 "192.000.002.007",
                                 "0x7f.0.0.1",
                                 "+1.2.3.4",
                                 " ::1"})
            QTest::newRow(text) << QString::fromLatin1(text);
    }

    void readAsQHostAddressReadsThem()
    {
        QFETCH(QString, text);
        const QHostAddress address(text);
        QCOMPARE(isIpv6Address(text), address.protocol() == QAbstractSocket::IPv6Protocol);
        const QString normal = normalIpAddress(text);
        if (address.isNull() || !address.scopeId().isEmpty())
            QCOMPARE(normal.isEmpty(), address.isNull());
        else
            QCOMPARE(normal, address.toString());
    }
};

QTEST_GUILESS_MAIN(TestIpAddress)
#include "tst_ipaddress.moc"
