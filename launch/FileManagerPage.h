#pragma once

#include "app/Services.h"

#include <QGroupBox>

class FileListBox;
class QLabel;
class QPushButton;

// The File Manager page: the game directory's levels, tilesets and tunes with their counts, and
// the selected level opened in the game or in the level editor.
class FileManagerPage : public QGroupBox {
    Q_OBJECT
public:
    FileManagerPage(const Services& services, SharedValues& values, QWidget* parent = nullptr);

    FileListBox& levels() const { return *LevList; }
    FileListBox& tilesets() const { return *TileList; }
    FileListBox& tunes() const { return *MusicList; }
    QLabel& levelCount() const { return *LCount; }
    QLabel& tilesetCount() const { return *TCount; }
    QLabel& tuneCount() const { return *MCount; }

private:
    void LevList_Click();
    void Command19_Click();
    void Command20_Click();

    Services m_services;
    SharedValues& m_values;

    QLabel* Label7;
    FileListBox* LevList;
    QLabel* LCount;
    QLabel* Label10;
    QLabel* Label8;
    FileListBox* TileList;
    QLabel* TCount;
    QLabel* Label9;
    FileListBox* MusicList;
    QLabel* MCount;
    QPushButton* Command19;
    QPushButton* Command20;
};
