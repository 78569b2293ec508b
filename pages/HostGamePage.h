#pragma once

#include <QGroupBox>

class FileListBox;
class GameDir;
class MessageBoxes;
class ProgramStarter;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The Host Game page: starts an unlisted server with a chosen level, game type, player limit
// and points count.
class HostGamePage : public QGroupBox {
    Q_OBJECT
public:
    HostGamePage(ProgramStarter& programs, MessageBoxes& messages, const GameDir& gameDir,
                 QWidget* parent = nullptr);

    // Points the level list at the directory; false, with the reason, when it cannot be listed.
    bool showFilesOf(const QString& directory, QString* reason);

private:
    static void showChoice(QLabel* caption, const QString& choice);
    void File1_Click();
    void List2_Click();
    void Command17_Click();
    void Command16_Click();
    void Command18_Click();

    ProgramStarter& m_programs;
    MessageBoxes& m_messages;
    const GameDir& m_gameDir;
    QString m_maxPlayers;  // accepted with the first "Okay"
    QString m_pointsCount; // accepted with the second "Okay"

    QLabel* Label3;
    FileListBox* File1;
    QLabel* CurLev;
    QLabel* Label4;
    QListWidget* List2;
    QLabel* CurType;
    QLabel* Label5;
    QLineEdit* Text1;
    QPushButton* Command17;
    QLabel* Label6;
    QLineEdit* Text2;
    QPushButton* Command16;
    QPushButton* Command18;
};
