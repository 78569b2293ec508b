#include "player/ModPlayerPage.h"

#include "app/Controls.h"
#include "app/FileDialog.h"

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
    ModPlay = makeControl<QPushButton>(this, "ModPlay", 1260, 360, 855, 375, QStringLiteral("Play"));
    Command13 =
        makeControl<QPushButton>(this, "Command13", 2160, 360, 855, 375, QStringLiteral("Stop"));

    // The disabled "Volume" and "Position" buttons only frame their bars, which sit on top.
    Command14 = makeControl<QPushButton>(this, "Command14", 3120, 240, 2055, 615,
                                         QStringLiteral("Volume"));
    Command14->setEnabled(false);
    Vol = makeControl<QScrollBar>(this, "Vol", 3240, 540, 1815, 255, Qt::Horizontal);
    Vol->setRange(0, 100);
    Vol->setAccessibleName(QStringLiteral("Volume"));

    Command15 = makeControl<QPushButton>(this, "Command15", 120, 1080, 5055, 615,
                                         QStringLiteral("Position"));
    Command15->setEnabled(false);
    HScroll1 = makeControl<QScrollBar>(this, "HScroll1", 240, 1380, 4815, 255, Qt::Horizontal);
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
}

void ModPlayerPage::startUp()
{
    ModHandle = m_player.createEx(QStringLiteral("loop|false"));
    m_player.setWindow(ModHandle, quintptr(ModPlaya->effectiveWinId()));
}

void ModPlayerPage::shutDown() { m_player.destroy(ModHandle); }
