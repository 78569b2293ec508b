#pragma once

#include "registry/ValueEncoding.h"
#include "registry/modRegistryAPI.h"

#include <QGroupBox>
#include <QPointer>

#include <optional>

class GameDir;
class MessageBoxes;
class QGroupBox;
class Registry;
class SettingsStore;
class QLineEdit;
class QPushButton;
class QRadioButton;
class LimitedLineEdit;

// The Setup page: the game directory, the launcher's own settings and the game's player
// profiles.
class SetupPage : public QGroupBox {
    Q_OBJECT
public:
    // "Accept" and "Load" set gameDir; what follows the directory listens to it.
    SetupPage(Registry& registry, SettingsStore& settings, MessageBoxes& messages, GameDir& gameDir,
              QWidget* parent = nullptr);

    // A profile value is being written. Under Wine that may mean waiting seconds for Wine's reg
    // command, while the window goes on painting; the write must not be cut short by a quit.
    bool profileWriteRunning() const { return m_writing; }

Q_SIGNALS:
    void profileWriteFinished();

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

    void writeName(Edition edition);
    void writeFurColors(Edition edition);
    void writeCharacter(Edition edition);
    void writeProfileValue(Edition edition, const QString& name, quint32 type,
                           const std::optional<QString>& value);
    // The page's buttons and boxes while a profile value is written: a second write, Accept,
    // Save or Load must not start inside the first one's wait.
    void holdInput(bool hold);
    Character selectedCharacter() const;
    void selectCharacter(Character character);

    SettingsStore& m_settings;
    MessageBoxes& m_messages;
    GameDir& m_gameDir;
    modRegistryAPI m_registryApi;
    bool m_writing = false;
    QPointer<QWidget> m_focusBeforeWrite;

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
