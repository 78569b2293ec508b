#pragma once

#include "app/Services.h"

#include <QGroupBox>

#include <functional>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The Setup page: the game directory, the launcher's own settings and the game's player
// profiles.
class SetupPage : public QGroupBox {
    Q_OBJECT
public:
    // refreshFileLists points the file lists of the other pages at the game directory.
    SetupPage(const Services& services, SharedValues& values,
              std::function<void()> refreshFileLists, QWidget* parent = nullptr);

private:
    void Command1_Click();

    Services m_services;
    SharedValues& m_values;
    std::function<void()> m_refreshFileLists;

    QLineEdit* TempBrixDir;
    QPushButton* Command1;
    QGroupBox* Frame1;
    QPushButton* Command2;
    QPushButton* Command3;
    QLineEdit* Alias;
    QPushButton* Command6;
    QPushButton* Command7;
    QLineEdit* FurColors;
    QPushButton* Command8;
    QPushButton* Command9;
    QRadioButton* Brix;
    QRadioButton* Vosk;
    QRadioButton* Nyla;
    QPushButton* Command10;
    QPushButton* Command11;
};
