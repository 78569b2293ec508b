#include "pages/HostGamePage.h"

#include "common/GameVocabulary.h"
#include "common/MessageBoxes.h"
#include "launch/CommandLines.h"
#include "launch/GameDirectory.h"
#include "launch/StartOrWarn.h"
#include "pages/Controls.h"
#include "pages/FileListBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

HostGamePage::HostGamePage(ProgramStarter& programs, MessageBoxes& messages, const GameDir& gameDir,
                           QWidget* parent)
    : QGroupBox(QStringLiteral("Host Game"), parent)
    , m_programs(programs)
    , m_messages(messages)
    , m_gameDir(gameDir)
{
    Label3 = makeControl<QLabel>(this, "Label3", 120, 240, 1575, 225, QStringLiteral("Levels"));
    File1 = makeControl<FileListBox>(this, "File1", 120, 480, 1575, 1815, filekinds::Levels,
                                     gameDir.startDirectory());
    File1->setAccessibleName(QStringLiteral("Levels"));
    CurLev = makeControl<QLabel>(this, "CurLev", 120, 2340, 1575, 255, QString());
    CurLev->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // Until a choice fills it, the empty caption would be read out by the page's title.
    CurLev->setAccessibleName(QStringLiteral("No level chosen"));

    Label4 = makeControl<QLabel>(this, "Label4", 1800, 240, 1335, 225, QStringLiteral("Game Type"));
    List2 = makeControl<QListWidget>(this, "List2", 1800, 480, 1335, 1815);
    List2->addItems({QStringLiteral("Battle"), QStringLiteral("Capture"), QStringLiteral("Coop"),
                     QStringLiteral("Race"), QStringLiteral("Treasure")});
    List2->setAccessibleName(QStringLiteral("Game Type"));
    CurType = makeControl<QLabel>(this, "CurType", 1800, 2340, 1335, 255, QString());
    CurType->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    CurType->setAccessibleName(QStringLiteral("No game type chosen"));

    Label5 =
        makeControl<QLabel>(this, "Label5", 3240, 240, 1935, 225, QStringLiteral("Max Players"));
    Text1 = makeControl<QLineEdit>(this, "Text1", 3240, 480, 1215, 315, QStringLiteral("32"));
    Text1->setAccessibleName(QStringLiteral("Max Players"));
    Command17 =
        makeControl<QPushButton>(this, "Command17", 4500, 480, 675, 315, QStringLiteral("Okay"));
    Label6 =
        makeControl<QLabel>(this, "Label6", 3240, 960, 1935, 225, QStringLiteral("Points Count"));
    Text2 = makeControl<QLineEdit>(this, "Text2", 3240, 1200, 1215, 315, QStringLiteral("10"));
    Text2->setAccessibleName(QStringLiteral("Points Count"));
    Command16 =
        makeControl<QPushButton>(this, "Command16", 4500, 1200, 675, 315, QStringLiteral("Okay"));

    Command18 =
        makeControl<QPushButton>(this, "Command18", 120, 2640, 5055, 375,
                                 QStringLiteral("<=== Launch Unlisted Brix Quorrel 2 Server ===>"));

    connect(File1, &FileListBox::selectionChangedByUser, this, &HostGamePage::File1_Click);
    connect(List2, &QListWidget::itemSelectionChanged, this, &HostGamePage::List2_Click);
    connect(Command17, &QPushButton::clicked, this, &HostGamePage::Command17_Click);
    connect(Command16, &QPushButton::clicked, this, &HostGamePage::Command16_Click);
    connect(Command18, &QPushButton::clicked, this, &HostGamePage::Command18_Click);
}

// From now on the caption is read out by what it shows.
void HostGamePage::showChoice(QLabel* caption, const QString& choice)
{
    caption->setText(choice);
    caption->setAccessibleName(QString());
}

// The captions keep the last choice: taking a selection away (Ctrl+click) leaves them.
void HostGamePage::File1_Click()
{
    const QString level = File1->selectedFileName();
    if (!level.isEmpty())
        showChoice(CurLev, level);
}

void HostGamePage::List2_Click()
{
    const QList<QListWidgetItem*> selected = List2->selectedItems();
    if (!selected.isEmpty())
        showChoice(CurType, selected.first()->text());
}

// A typed number counts only once its "Okay" is pressed; it is taken as typed, unchecked.
void HostGamePage::Command17_Click()
{
    m_maxPlayers = Text1->text();
}

void HostGamePage::Command16_Click()
{
    m_pointsCount = Text2->text();
}

void HostGamePage::Command18_Click()
{
    startOrWarn(m_programs, m_messages, window(),
                commandlines::host(m_gameDir.text(), m_pointsCount, m_maxPlayers, CurType->text(),
                                   CurLev->text()));
}

bool HostGamePage::showFilesOf(const QString& directory, QString* reason)
{
    return File1->setFileName(directory, reason);
}
