#pragma once

#include <QGroupBox>

class FileListBox;
class GameDir;
class MessageBoxes;
class ProgramStarter;
class QLabel;
class QPushButton;

// The File Manager page: the game directory's levels, tilesets and tunes with their counts, and
// the selected level opened in the game or in the level editor.
class FileManagerPage : public QGroupBox {
    Q_OBJECT
public:
    FileManagerPage(ProgramStarter& programs, MessageBoxes& messages, const GameDir& gameDir,
                    QWidget* parent = nullptr);

    // Points the three lists at the directory and counts their files. A list that refuses the
    // directory stops it there, with the reason: the lists after it and the counts stay.
    bool showFilesOf(const QString& directory, QString* reason);

private:
    void LevList_Click();
    void Command19_Click();
    void Command20_Click();

    ProgramStarter& m_programs;
    MessageBoxes& m_messages;
    const GameDir& m_gameDir;

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
