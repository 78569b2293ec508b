#include "app/LauncherStyle.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QStyleFactory>
#include <QTest>

#include <memory>

class TestLauncherStyle : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Under Fusion the launcher's style reads Fusion's group box picture itself; what it draws
    // must be Fusion's own frame, pixel for pixel, with a title, without one, and with a check
    // box. Under another style (Windows') it draws what that style draws.
    void groupBoxesLookAsFusionDrawsThem_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("checkable");
        QTest::newRow("titled page") << QStringLiteral("Join Game") << false;
        QTest::newRow("no title") << QString() << false;
        QTest::newRow("check box, no title") << QString() << true;
    }

    void groupBoxesLookAsFusionDrawsThem()
    {
        QFETCH(QString, title);
        QFETCH(bool, checkable);
        const auto drawn = [&](QStyle* style) {
            QGroupBox box(title);
            box.setCheckable(checkable);
            box.setStyle(style);
            new QCheckBox(QStringLiteral("Inside"), &box);
            box.resize(240, 120);
            return box.grab().toImage();
        };
        LauncherStyle launcher;
        const QString base = launcher.baseStyle()->name();
#ifndef Q_OS_WIN
        QCOMPARE(base.toLower(), QStringLiteral("fusion"));
#endif
        const std::unique_ptr<QStyle> plain(QStyleFactory::create(base));
        const QImage expected = drawn(plain.get());
        QVERIFY(!expected.isNull());
        QCOMPARE(drawn(&launcher), expected);
    }
};

QTEST_MAIN(TestLauncherStyle)
#include "tst_launcherstyle.moc"
