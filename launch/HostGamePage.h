#pragma once

#include "app/Services.h"

#include <QGroupBox>

class FileListBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The Host Game page: starts an unlisted server with a chosen level, game type, player limit
// and points count.
class HostGamePage : public QGroupBox {
    Q_OBJECT
public:
    HostGamePage(const Services& services, SharedValues& values, QWidget* parent = nullptr);

    FileListBox& levels() const { return *File1; }

private:
    void File1_Click();
    void List2_Click();
    void Command17_Click();
    void Command16_Click();
    void Command18_Click();

    Services m_services;
    SharedValues& m_values;
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
