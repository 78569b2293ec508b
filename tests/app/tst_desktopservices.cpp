#include "app/DesktopServices.h"

#include <QTest>

class TestDesktopServices : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void dialogFiltersBecomeQts_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("the module player's")
            << QStringLiteral("Module Files|*.xm; *.s3m; *.it; *.mtm; *.669; *.mod")
            << QStringLiteral("Module Files (*.xm *.s3m *.it *.mtm *.669 *.mod)");
        QTest::newRow("two kinds") << QStringLiteral("Levels|*.b2l|All Files|*.*")
                                   << QStringLiteral("Levels (*.b2l);;All Files (*.*)");
        QTest::newRow("no bar") << QStringLiteral("*.mod") << QStringLiteral("*.mod");
        QTest::newRow("a name without patterns is dropped")
            << QStringLiteral("Tunes|*.mod|Odd") << QStringLiteral("Tunes (*.mod)");
    }
    void dialogFiltersBecomeQts()
    {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(toQtFileFilter(filter), qt);
    }
};

QTEST_GUILESS_MAIN(TestDesktopServices)
#include "tst_desktopservices.moc"
