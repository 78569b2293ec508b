// The Mod Player page against a recording player, and once against the real player library.
#include "FakeServices.h"
#include "ModFileWriter.h"
#include "WindowTestHelpers.h"

#include "pages/ModPlayerPage.h"
#include "player/LibraryModulePlayer.h"

#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTimer>

namespace {

const QString moduleFilter = QStringLiteral("Module Files|*.xm; *.s3m; *.it; *.mtm; *.669; *.mod");

// Where a part of a horizontal scroll bar is drawn, the way the bar itself works it out.
QRect partOf(QScrollBar* bar, QStyle::SubControl part)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar->orientation();
    option.state |= QStyle::State_Horizontal;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
}

void click(ModPlayerPage& page, const char* button)
{
    QTest::mouseClick(control<QPushButton>(page, button), Qt::LeftButton);
}

QStringList volumeCalls(const FakeModulePlayer& player)
{
    QStringList found;
    for (const QString& call : player.calls)
        if (call.startsWith(QLatin1String("setVolume")))
            found.append(call);
    return found;
}

} // namespace

class TestModPlayerPage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startUpCreatesThePlayerAndTheTimerRunsUntilShutdown()
    {
        FakeServices fakes;
        ModPlayerPage page(fakes.player, fakes.files);
        auto* timer = page.findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(timer);
        QVERIFY(!timer->isActive());
        page.startUp();
        QCOMPARE(fakes.player.calls,
                 (QStringList{QStringLiteral("createEx loop|false"), QStringLiteral("setWindow")}));
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 10);

        page.show();
        fakes.player.volume = 35;
        fakes.player.maxPosition = 1800;
        fakes.player.position = 250;
        auto* volume = control<QScrollBar>(page, "Vol");
        auto* position = control<QScrollBar>(page, "HScroll1");
        QTRY_COMPARE(volume->value(), 35);
        QTRY_COMPARE(position->maximum(), 1800);
        QTRY_COMPARE(position->value(), 250);

        page.shutDown();
        QVERIFY(!timer->isActive());
        QCOMPARE(fakes.player.calls.last(), QStringLiteral("destroy"));
        QCOMPARE(fakes.player.count(QStringLiteral("stop")), 0); // no stop before destroying
        QCOMPARE(fakes.player.count(QStringLiteral("destroy")), 1);
    }

    // While the player's values stay as they are, the ticks repaint nothing; a change does.
    void idleTicksRepaintNothing()
    {
        struct PaintCounter : QObject {
            int paints = 0;
            bool eventFilter(QObject*, QEvent* event) override
            {
                paints += event->type() == QEvent::Paint ? 1 : 0;
                return false;
            }
        } counter;
        FakeServices fakes;
        ModPlayerPage page(fakes.player, fakes.files);
        page.resize(353, 209);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        page.startUp();
        QTest::qWait(50); // the first ticks take the player's values
        for (const char* bar : {"Vol", "HScroll1"})
            control<QScrollBar>(page, bar)->installEventFilter(&counter);
        QTest::qWait(200);
        QCOMPARE(counter.paints, 0);
        fakes.player.maxPosition = 100;
        fakes.player.position = 7;
        QTRY_VERIFY(counter.paints > 0);
        page.shutDown();
    }

    // The tick runs from start-up, but the bars follow the player only while the page shows;
    // showing it brings them up to date at once.
    void aHiddenPageCatchesUpWhenShown()
    {
        FakeServices fakes;
        ModPlayerPage page(fakes.player, fakes.files);
        page.startUp();
        fakes.player.volume = 42;
        auto* volume = control<QScrollBar>(page, "Vol");
        const int before = volume->value();
        QTest::qWait(50);
        QCOMPARE(volume->value(), before);
        page.show();
        QCOMPARE(volume->value(), 42);
        page.shutDown();
    }

    void openPlayAndStopMakeTheirCallsWhateverCameBefore()
    {
        FakeServices fakes;
        ModPlayerPage page(fakes.player, fakes.files);
        page.startUp();
        fakes.player.calls.clear();

        // Nothing chosen yet: Play still loads, with an empty path, and plays.
        click(page, "ModPlay");
        click(page, "Command13");
        click(page, "Command13");
        QCOMPARE(fakes.player.calls, (QStringList{QStringLiteral("load "), QStringLiteral("play"),
                                                  QStringLiteral("stop"), QStringLiteral("stop")}));

        // Choosing a file loads nothing; cancelling the next dialog keeps it.
        fakes.player.calls.clear();
        fakes.files.answers = {QStringLiteral("/music/first song.xm"), QString()};
        click(page, "Command12");
        click(page, "Command12");
        QCOMPARE(fakes.files.filters, (QStringList{moduleFilter, moduleFilter}));
        QVERIFY(fakes.player.calls.isEmpty());

        // Every Play loads the file anew.
        click(page, "ModPlay");
        click(page, "ModPlay");
        const QStringList loadAndPlay = {QStringLiteral("load /music/first song.xm"),
                                         QStringLiteral("play")};
        QCOMPARE(fakes.player.calls, loadAndPlay + loadAndPlay);

        fakes.player.calls.clear();
        fakes.files.answers = {QStringLiteral("/music/second.MOD")};
        click(page, "Command12");
        click(page, "ModPlay");
        QCOMPARE(fakes.player.calls.first(), QStringLiteral("load /music/second.MOD"));
        page.shutDown();
    }

    void eachStepOfTheTickStandsAlone()
    {
        FakeServices fakes;
        ModPlayerPage page(fakes.player, fakes.files); // not started: the test ticks by hand
        auto* volume = control<QScrollBar>(page, "Vol");
        auto* position = control<QScrollBar>(page, "HScroll1");
        auto tick = [&](qint32 vol, qint32 max, qint32 pos) {
            fakes.player.volume = vol;
            fakes.player.maxPosition = max;
            fakes.player.position = pos;
            page.Timer1_Timer();
            return QList<int>{volume->value(), position->minimum(), position->maximum(),
                              position->value()};
        };
        QCOMPARE(position->maximum(), 100);
        QCOMPARE(tick(40, 500, 120), (QList<int>{40, 0, 500, 120}));
        // A length beyond 16 bits leaves the maximum; the position is still shown.
        QCOMPARE(tick(40, 40000, 300), (QList<int>{40, 0, 500, 300}));
        QCOMPARE(tick(40, 32768, 301), (QList<int>{40, 0, 500, 301}));
        QCOMPARE(tick(40, 32767, 302), (QList<int>{40, 0, 32767, 302}));
        QCOMPARE(tick(40, 500, 303), (QList<int>{40, 0, 500, 303}));
        // A position past the maximum, or below zero, leaves the value.
        QCOMPARE(tick(41, 500, 501), (QList<int>{41, 0, 500, 303}));
        QCOMPARE(tick(42, 500, -1), (QList<int>{42, 0, 500, 303}));
        QCOMPARE(tick(43, 500, 70000), (QList<int>{43, 0, 500, 303}));
        // A volume the bar cannot show leaves the bar; the position still moves.
        QCOMPARE(tick(150, 500, 350), (QList<int>{43, 0, 500, 350}));
        QCOMPARE(tick(-3, 500, 351), (QList<int>{43, 0, 500, 351}));
        // A negative length would turn the bar around; it is left out too.
        QCOMPARE(tick(44, -5, 352), (QList<int>{44, 0, 500, 352}));
        // A shorter song pulls the position in with its length.
        QCOMPARE(tick(44, 0, 0), (QList<int>{44, 0, 0, 0}));
    }

    void theVolumeKeysApplyTheBarsValue()
    {
        FakeServices fakes;
        ModPlayerPage page(fakes.player, fakes.files);
        page.show();
        auto* volume = control<QScrollBar>(page, "Vol");
        fakes.player.volume = 50;
        page.Timer1_Timer();
        QCOMPARE(volume->value(), 50);
        page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        control<QPushButton>(page, "Command13")->setFocus();
        QTest::keyClick(control<QPushButton>(page, "Command13"), Qt::Key_Tab); // on to the bar
        QVERIFY(volume->hasFocus());
        fakes.player.calls.clear();

        // Key-down sends the value before the key moves the bar, key-up the value after.
        QTest::keyClick(volume, Qt::Key_Left);
        QCOMPARE(volumeCalls(fakes.player),
                 (QStringList{QStringLiteral("setVolume 50"), QStringLiteral("setVolume 49")}));
        QCOMPARE(volume->value(), 49);
        QCOMPARE(fakes.player.volume, 49);

        // A typed character adds key-press between the two.
        fakes.player.calls.clear();
        QTest::keyClick(volume, Qt::Key_A);
        QCOMPARE(volumeCalls(fakes.player), QStringList(3, QStringLiteral("setVolume 49")));

        // The bar shows what the player says is in force, if the bar can show it.
        fakes.player.volumeInForce = 30;
        QTest::keyClick(volume, Qt::Key_Right);
        QCOMPARE(volume->value(), 30);
        fakes.player.volumeInForce = 500;
        QTest::keyClick(volume, Qt::Key_Right);
        QCOMPARE(volume->value(), 31); // moved by the key only
        fakes.player.volumeInForce.reset();

        // A held key repeats key-down but lets go once.
        fakes.player.calls.clear();
        QTest::keyPress(volume, Qt::Key_End);
        QKeyEvent repeatUp(QEvent::KeyRelease, Qt::Key_End, Qt::NoModifier, QString(), true);
        QCoreApplication::sendEvent(volume, &repeatUp);
        QTest::keyRelease(volume, Qt::Key_End);
        QCOMPARE(volumeCalls(fakes.player),
                 (QStringList{QStringLiteral("setVolume 31"), QStringLiteral("setVolume 100")}));

        // A key held across ticks still sets the volume it moved the bar to, and a key whose
        // release goes elsewhere leaves the ticks in charge again.
        QTest::keyPress(volume, Qt::Key_PageDown);
        page.Timer1_Timer();
        QTest::keyRelease(volume, Qt::Key_PageDown);
        QCOMPARE(fakes.player.volume, 90);
        QTest::keyPress(volume, Qt::Key_PageDown);
        volume->clearFocus();
        fakes.player.volume = 20;
        page.Timer1_Timer();
        QCOMPARE(volume->value(), 20);
    }

    void draggingTheThumbAppliesTheVolumeButArrowsAndTrackDoNot()
    {
        FakeServices fakes;
        ModPlayerPage page(fakes.player, fakes.files);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        auto* volume = control<QScrollBar>(page, "Vol");
        fakes.player.volume = 50;
        page.Timer1_Timer();

        const QPoint thumb = partOf(volume, QStyle::SC_ScrollBarSlider).center();
        QTest::mousePress(volume, Qt::LeftButton, {}, thumb);
        QTest::mouseMove(volume, thumb + QPoint(20, 0));
        QTest::mouseRelease(volume, Qt::LeftButton, {}, thumb + QPoint(20, 0));
        QVERIFY(volume->value() > 50);
        QVERIFY(!volumeCalls(fakes.player).isEmpty());
        QCOMPARE(volumeCalls(fakes.player).last(),
                 QStringLiteral("setVolume %1").arg(volume->value()));
        QCOMPARE(fakes.player.volume, volume->value());

        fakes.player.calls.clear();
        fakes.player.volume = 50;
        page.Timer1_Timer();
        QTest::mouseClick(volume, Qt::LeftButton, {},
                          partOf(volume, QStyle::SC_ScrollBarAddLine).center());
        QCOMPARE(volume->value(), 51);
        QTest::mouseClick(volume, Qt::LeftButton, {},
                          partOf(volume, QStyle::SC_ScrollBarSubPage).center());
        QVERIFY(volume->value() < 50);
        QVERIFY(volumeCalls(fakes.player).isEmpty());
        page.Timer1_Timer();
        QCOMPARE(volume->value(), 50);
    }

    void thePositionBarIsForShowOnly()
    {
        FakeServices fakes;
        ModPlayerPage page(fakes.player, fakes.files);
        page.show();
        auto* position = control<QScrollBar>(page, "HScroll1");
        fakes.player.maxPosition = 300;
        fakes.player.position = 20;
        page.Timer1_Timer();
        QTest::mouseClick(position, Qt::LeftButton, {},
                          partOf(position, QStyle::SC_ScrollBarAddPage).center());
        QVERIFY(position->value() > 20);
        QVERIFY(fakes.player.calls.isEmpty());
        page.Timer1_Timer();
        QCOMPARE(position->value(), 20);
    }

    void playsARealFileThroughTheLibrary()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // A name outside ASCII has to reach the file system intact.
        const QString path = dir.filePath(QStringLiteral("Grüße ♪.mod"));
        modfile::Song song;
        song.rowsPerPattern = 16;
        song.speed = 3;
        QVERIFY(modfile::save(path.toStdU16String(), modfile::write(song)));

        LibraryModulePlayer player;
        FakeFileDialog files;
        ModPlayerPage page(player, files);
        page.show();
        page.startUp();
        auto* position = control<QScrollBar>(page, "HScroll1");
        auto* volume = control<QScrollBar>(page, "Vol");
        QTRY_COMPARE(volume->value(), 100);
        QCOMPARE(position->maximum(), 0);

        files.answers = {path};
        click(page, "Command12");
        click(page, "ModPlay");
        QTRY_COMPARE(position->maximum(), 10);
        QTRY_VERIFY(position->value() > 0);
        QTRY_COMPARE(position->value(), 10); // played to its end

        page.show();
        page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        volume->setFocus();
        QTest::keyClick(volume, Qt::Key_PageDown);
        page.Timer1_Timer(); // reads the library's volume back into the bar
        QCOMPARE(volume->value(), 90);

        click(page, "Command13");
        page.shutDown();
    }
};

QTEST_MAIN(TestModPlayerPage)
#include "tst_modplayerpage.moc"
