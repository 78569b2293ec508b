#pragma once

#include "player/ModulePlayer.h"

#include <QGroupBox>

class FileDialog;
class QLabel;
class QPushButton;
class QScrollBar;
class QTimer;

// The Mod Player page: opens a tracker module, plays and stops it, sets the volume, and follows
// the song's position with a timer that ticks from start-up to shutdown.
class ModPlayerPage : public QGroupBox {
    Q_OBJECT
public:
    ModPlayerPage(ModulePlayer& player, FileDialog& files, QWidget* parent = nullptr);

    // Creates the one player instance; run once at the end of the window's start-up.
    void startUp();
    // Destroys the player instance without stopping it first; run once when the window closes.
    void shutDown();

public Q_SLOTS:
    void Command12_Click(); // "Open ===>"
    void ModPlay_Click();
    void Command13_Click(); // "Stop"
    void Vol_KeyDown();
    void Vol_KeyPress();
    void Vol_KeyUp();
    void Vol_Scroll();
    void Timer1_Timer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void applyVolume();
    void followPlayer();

    ModulePlayer& m_player;
    FileDialog& m_files;
    ModulePlayer::Handle ModHandle = 0;
    QString ModFileName;
    // From a key's press on the volume bar to its release: the ticks leave the bar alone, or
    // they would set it back before key-up applies where the key moved it.
    bool m_volumeKeyDown = false;

    QPushButton* Command12;
    QPushButton* ModPlay;
    QPushButton* Command13;
    QPushButton* Command14;
    QScrollBar* Vol;
    QPushButton* Command15;
    QScrollBar* HScroll1;
    QLabel* Label2;
    QWidget* ModPlaya;
    QTimer* Timer1;
};
