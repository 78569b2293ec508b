#include "pages/ModPlayerPage.h"

#include "common/FileDialog.h"
#include "pages/Controls.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

ModPlayerPage::ModPlayerPage(ModulePlayer& player, FileDialog& files, QWidget* parent)
    : QGroupBox(QStringLiteral("Mod Player"), parent)
    , m_player(player)
    , m_files(files)
{
    Command12 = makeControl<QPushButton>(this, "Command12", 120, 360, 1095, 375,
                                         QStringLiteral("Open ===>"));
    ModPlay =
        makeControl<QPushButton>(this, "ModPlay", 1260, 360, 855, 375, QStringLiteral("Play"));
    Command13 =
        makeControl<QPushButton>(this, "Command13", 2160, 360, 855, 375, QStringLiteral("Stop"));

    // The disabled "Volume" and "Position" buttons only frame their bars, which sit on top.
    Command14 =
        makeControl<QPushButton>(this, "Command14", 3120, 150, 2055, 780, QStringLiteral("Volume"));
    Command14->setEnabled(false);
    Vol = makeControl<QScrollBar>(this, "Vol", 3240, 660, 1815, 255, Qt::Horizontal);
    Vol->setRange(0, 100);
    Vol->setAccessibleName(QStringLiteral("Volume"));
    // The volume is set with the keys too: Left and Page Down lower it, Right and Page Up raise
    // it (a plain scroll bar turns these round, as it scrolls content).
    Vol->setFocusPolicy(Qt::StrongFocus);
    Vol->setInvertedControls(false);

    Command15 = makeControl<QPushButton>(this, "Command15", 120, 1050, 5055, 780,
                                         QStringLiteral("Position"));
    Command15->setEnabled(false);
    HScroll1 = makeControl<QScrollBar>(this, "HScroll1", 240, 1560, 4815, 255, Qt::Horizontal);
    HScroll1->setRange(0, 100);
    HScroll1->setAccessibleName(QStringLiteral("Position"));

    Label2 = makeControl<QLabel>(this, "Label2", 120, 2760, 5055, 255,
                                 QStringLiteral("Mod Player v2.0"));
    Label2->setAlignment(Qt::AlignCenter);

    ModPlaya = makeControl<QWidget>(this, "ModPlaya", 4560, 2400, 495, 495);
    ModPlaya->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(10);

    connect(Command12, &QPushButton::clicked, this, &ModPlayerPage::Command12_Click);
    connect(ModPlay, &QPushButton::clicked, this, &ModPlayerPage::ModPlay_Click);
    connect(Command13, &QPushButton::clicked, this, &ModPlayerPage::Command13_Click);
    // Only dragging the thumb applies the volume; a click on the arrows or the track moves the
    // bar, and the next tick puts it back to the player's volume.
    connect(Vol, &QScrollBar::sliderMoved, this, &ModPlayerPage::Vol_Scroll);
    Vol->installEventFilter(this);
    connect(Timer1, &QTimer::timeout, this, &ModPlayerPage::followPlayer);
}

// The bars follow the player only while they can be seen: a page that is not shown keeps its
// tick as cheap as the tick can be, and catches up the moment it shows.
void ModPlayerPage::followPlayer()
{
    if (isVisible())
        Timer1_Timer();
}

void ModPlayerPage::showEvent(QShowEvent* event)
{
    QGroupBox::showEvent(event);
    if (Timer1->isActive())
        Timer1_Timer();
}

void ModPlayerPage::startUp()
{
    ModHandle = m_player.createEx(QStringLiteral("loop|false"));
    // winId() makes the picture box a native window first (and the main window with it), so
    // the player is handed a real window handle, not the 0 of a widget not yet created.
    m_player.setWindow(ModHandle, quintptr(ModPlaya->winId()));
    Timer1->start();
}

void ModPlayerPage::shutDown()
{
    Timer1->stop();
    m_player.destroy(ModHandle);
}

void ModPlayerPage::Command12_Click()
{
    // Cancelling keeps the earlier choice.
    if (const auto chosen = m_files.openFileName(
            this, QStringLiteral("Module Files|*.xm; *.s3m; *.it; *.mtm; *.669; *.mod")))
        ModFileName = *chosen;
}

// Every press loads the file anew; a failed load still goes on to Play, which then has
// nothing to play.
void ModPlayerPage::ModPlay_Click()
{
    m_player.load(ModHandle, ModFileName);
    m_player.play(ModHandle);
}

void ModPlayerPage::Command13_Click()
{
    m_player.stop(ModHandle);
}

void ModPlayerPage::Vol_KeyDown()
{
    applyVolume();
}
void ModPlayerPage::Vol_KeyPress()
{
    applyVolume();
}
void ModPlayerPage::Vol_KeyUp()
{
    applyVolume();
}
void ModPlayerPage::Vol_Scroll()
{
    applyVolume();
}

// The bar's value goes to the player unchanged and the volume in force comes back unchanged;
// a volume the bar cannot show leaves the bar alone.
void ModPlayerPage::applyVolume()
{
    // While the thumb is dragged its place runs ahead of the value; the thumb is what the user
    // sees and means.
    const qint32 inForce = m_player.setVolume(ModHandle, Vol->sliderPosition());
    if (inForce >= Vol->minimum() && inForce <= Vol->maximum())
        Vol->setValue(int(inForce));
}

// Keys reach the volume bar's handlers before the bar moves: key-down applies the value the bar
// had, key-up the value it has now. A held key repeats key-down and key-press, but key-up
// comes once, when the key is let go.
bool ModPlayerPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Vol && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        m_volumeKeyDown = true;
        Vol_KeyDown();
        if (!key->text().isEmpty())
            Vol_KeyPress();
    } else if (watched == Vol && event->type() == QEvent::KeyRelease &&
               !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
        Vol_KeyUp();
        m_volumeKeyDown = false;
    } else if (watched == Vol && event->type() == QEvent::FocusOut) {
        m_volumeKeyDown = false; // the key's release goes elsewhere
    }
    return QGroupBox::eventFilter(watched, event);
}

namespace {
bool fitsBar(const QScrollBar* bar, qint32 value)
{
    // Both bars hold 16-bit values; a value beyond them, or beyond the bar's range, is refused.
    return value >= -32768 && value <= 32767 && value >= bar->minimum() && value <= bar->maximum();
}
} // namespace

// Four steps that each stand alone: a value the bar cannot take skips that step only.
void ModPlayerPage::Timer1_Timer()
{
    const qint32 volume = m_player.getVolume(ModHandle);
    if (fitsBar(Vol, volume) && !m_volumeKeyDown)
        Vol->setValue(int(volume));

    HScroll1->setMinimum(0);

    // A maximum below the minimum would turn the bar around; it is refused like any misfit.
    const qint32 length = m_player.getMaxPosition(ModHandle);
    if (length >= HScroll1->minimum() && length <= 32767)
        HScroll1->setMaximum(int(length));

    const qint32 position = m_player.getCurrentPosition(ModHandle);
    if (fitsBar(HScroll1, position))
        HScroll1->setValue(int(position));
}
