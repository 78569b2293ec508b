#include "pages/FileManagerPage.h"

#include "common/GameVocabulary.h"
#include "common/MessageBoxes.h"
#include "launch/CommandLines.h"
#include "launch/GameDirectory.h"
#include "launch/StartOrWarn.h"
#include "pages/Controls.h"
#include "pages/FileListBox.h"

#include <QLabel>
#include <QPushButton>

FileManagerPage::FileManagerPage(ProgramStarter& programs, MessageBoxes& messages,
                                 const GameDir& gameDir, QWidget* parent)
    : QGroupBox(QStringLiteral("File Manager"), parent)
    , m_programs(programs)
    , m_messages(messages)
    , m_gameDir(gameDir)
{
    Label7 = makeControl<QLabel>(this, "Label7", 120, 240, 1575, 225, QStringLiteral("Levels"));
    LevList = makeControl<FileListBox>(this, "LevList", 120, 480, 1575, 1575, filekinds::Levels,
                                       gameDir.startDirectory());
    LevList->setAccessibleName(QStringLiteral("Levels"));
    LCount = makeControl<QLabel>(this, "LCount", 120, 2085, 1575, 225, QStringLiteral("0"));
    LCount->setAccessibleDescription(QStringLiteral("Number of levels"));
    Label10 = makeControl<QLabel>(this, "Label10", 120, 2340, 1575, 225, QStringLiteral("b2l"));
    Label10->setAccessibleDescription(QStringLiteral("Level last selected"));

    Label8 = makeControl<QLabel>(this, "Label8", 1800, 240, 1575, 225, QStringLiteral("Tilesets"));
    TileList = makeControl<FileListBox>(this, "TileList", 1800, 480, 1575, 1575,
                                        filekinds::Tilesets, gameDir.startDirectory());
    TileList->setAccessibleName(QStringLiteral("Tilesets"));
    TCount = makeControl<QLabel>(this, "TCount", 1800, 2085, 1575, 225, QStringLiteral("0"));
    TCount->setAccessibleDescription(QStringLiteral("Number of tilesets"));

    Label9 = makeControl<QLabel>(this, "Label9", 3480, 240, 1695, 225, QStringLiteral("Tunes"));
    MusicList = makeControl<FileListBox>(this, "MusicList", 3480, 480, 1695, 1575, filekinds::Music,
                                         gameDir.startDirectory());
    MusicList->setAccessibleName(QStringLiteral("Tunes"));
    MCount = makeControl<QLabel>(this, "MCount", 3480, 2085, 1695, 225, QStringLiteral("0"));
    MCount->setAccessibleDescription(QStringLiteral("Number of tunes"));

    Command19 = makeControl<QPushButton>(this, "Command19", 1800, 2640, 1575, 375,
                                         QStringLiteral("Launch Level in Brix2"));
    Command20 = makeControl<QPushButton>(this, "Command20", 3480, 2640, 1695, 375,
                                         QStringLiteral("Launch Level in QLE"));

    connect(LevList, &FileListBox::selectionChangedByUser, this, &FileManagerPage::LevList_Click);
    connect(Command19, &QPushButton::clicked, this, &FileManagerPage::Command19_Click);
    connect(Command20, &QPushButton::clicked, this, &FileManagerPage::Command20_Click);
}

// The caption keeps the last choice: taking the selection away (Ctrl+click) leaves it.
void FileManagerPage::LevList_Click()
{
    const QString level = LevList->selectedFileName();
    if (!level.isEmpty())
        Label10->setText(level);
}

// The launch buttons read the list's selection, not the caption of the level last selected,
// which may name a level of a directory shown before.
void FileManagerPage::Command19_Click()
{
    startOrWarn(m_programs, m_messages, window(),
                commandlines::openLevelInGame(m_gameDir.text(), LevList->selectedFileName()));
}

void FileManagerPage::Command20_Click()
{
    startOrWarn(m_programs, m_messages, window(),
                commandlines::openLevelInEditor(m_gameDir.text(), LevList->selectedFileName()));
}

bool FileManagerPage::showFilesOf(const QString& directory, QString* reason)
{
    for (FileListBox* list : {LevList, TileList, MusicList})
        if (!list->setFileName(directory, reason))
            return false;
    LCount->setText(QString::number(LevList->listCount()));
    TCount->setText(QString::number(TileList->listCount()));
    MCount->setText(QString::number(MusicList->listCount()));
    return true;
}
