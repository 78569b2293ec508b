#pragma once

#include "app/Services.h"
#include "setup/ValueEncoding.h"
#include "setup/modRegistryAPI.h"

#include <QGroupBox>

#include <functional>
#include <optional>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class LimitedLineEdit;

// The Setup page: the game directory, the launcher's own settings and the game's player
// profiles.
class SetupPage : public QGroupBox {
    Q_OBJECT
public:
    // refreshFileLists points the file lists of the other pages at the game directory.
    SetupPage(const Services& services, SharedValues& values,
              std::function<void()> refreshFileLists, QWidget* parent = nullptr);

private:
    void makeDirectoryRow();
    void makeProfileFrame();
    void makeSettingsButtons();
    void setKeyboardOrder();

    void Command1_Click();
    // Save and Load of the launcher's own settings.
    void Command2_Click();
    void Command3_Click();
    // The profile buttons: each writes one value into one edition's profile.
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void Command11_Click();

    void gameDirectoryChosen();
    void writeName(Edition edition);
    void writeFurColors(Edition edition);
    void writeCharacter(Edition edition);
    void writeProfileValue(Edition edition, const QString& name, quint32 type,
                           const std::optional<QString>& value);
    Character selectedCharacter() const;
    void selectCharacter(Character character);

    Services m_services;
    SharedValues& m_values;
    std::function<void()> m_refreshFileLists;
    modRegistryAPI m_registryApi{m_services.registry};

    QLineEdit* TempBrixDir;
    QPushButton* Command1;
    QGroupBox* Frame1;
    QPushButton* Command2;
    QPushButton* Command3;
    LimitedLineEdit* Alias;
    QPushButton* Command6;
    QPushButton* Command7;
    LimitedLineEdit* FurColors;
    QPushButton* Command8;
    QPushButton* Command9;
    QRadioButton* Brix;
    QRadioButton* Vosk;
    QRadioButton* Nyla;
    QPushButton* Command10;
    QPushButton* Command11;
};
