#include "pages/SetupPage.h"

#include "common/GameVocabulary.h"
#include "common/MessageBoxes.h"
#include "common/SettingsStore.h"
#include "launch/GameDirectory.h"
#include "pages/Controls.h"
#include "pages/LimitedLineEdit.h"
#include "setup/LauncherSettings.h"

#include <QButtonGroup>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>

SetupPage::SetupPage(Registry& registry, SettingsStore& settings, MessageBoxes& messages,
                     GameDir& gameDir, QWidget* parent)
    : QGroupBox(QStringLiteral("Setup"), parent)
    , m_settings(settings)
    , m_messages(messages)
    , m_gameDir(gameDir)
    , m_registryApi(registry)
{
    makeDirectoryRow();
    makeProfileFrame();
    makeSettingsButtons();
    setKeyboardOrder();
}

// The directory box and "Accept" across the top.
void SetupPage::makeDirectoryRow()
{
    TempBrixDir =
        makeControl<QLineEdit>(this, "TempBrixDir", 120, 240, 4095, 315, setuptexts::GameDirectory);
    TempBrixDir->setAccessibleName(setuptexts::GameDirectory);
    Command1 =
        makeControl<QPushButton>(this, "Command1", 4320, 240, 855, 315, QStringLiteral("Accept"));
    connect(Command1, &QPushButton::clicked, this, &SetupPage::Command1_Click);
}

// The "Registry Options" frame: a row for each profile value, each ending in its two buttons.
void SetupPage::makeProfileFrame()
{
    Frame1 = makeControl<QGroupBox>(this, "Frame1", 120, 660, 5055, 1860,
                                    QStringLiteral("Registry Options"));
    // Without a name of its own a frame inside the page would be announced by the page's title.
    Frame1->setAccessibleName(Frame1->title());
    Alias =
        makeControl<LimitedLineEdit>(Frame1, "Alias", 120, 300, 3255, 315, 14, setuptexts::Alias);
    Alias->setAccessibleName(QStringLiteral("Alias"));
    Command6 = makeControl<QPushButton>(Frame1, "Command6", 3480, 300, 735, 315,
                                        editionCaption(Edition::V123));
    Command7 = makeControl<QPushButton>(Frame1, "Command7", 4260, 300, 735, 315,
                                        editionCaption(Edition::Rkv));

    // The start text is longer than the limit of eight and is shown whole; only what is typed
    // and what Load puts in keep to the limit.
    FurColors = makeControl<LimitedLineEdit>(Frame1, "FurColors", 120, 780, 3255, 315, 8,
                                             setuptexts::FurColors);
    FurColors->setAccessibleName(QStringLiteral("Fur Colors (in hex)"));
    Command8 = makeControl<QPushButton>(Frame1, "Command8", 3480, 780, 735, 315,
                                        editionCaption(Edition::V123));
    Command9 = makeControl<QPushButton>(Frame1, "Command9", 4260, 780, 735, 315,
                                        editionCaption(Edition::Rkv));

    Brix = makeControl<QRadioButton>(Frame1, "Brix", 120, 1260, 1000, 315,
                                     characterCaption(Character::Brix));
    Vosk = makeControl<QRadioButton>(Frame1, "Vosk", 1200, 1260, 1000, 315,
                                     characterCaption(Character::Vosk));
    Nyla = makeControl<QRadioButton>(Frame1, "Nyla", 2280, 1260, 1000, 315,
                                     characterCaption(Character::Nyla));
    Command10 = makeControl<QPushButton>(Frame1, "Command10", 3480, 1260, 735, 315,
                                         editionCaption(Edition::V123));
    Command11 = makeControl<QPushButton>(Frame1, "Command11", 4260, 1260, 735, 315,
                                         editionCaption(Edition::Rkv));
    connect(Command6, &QPushButton::clicked, this, &SetupPage::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &SetupPage::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &SetupPage::Command8_Click);
    connect(Command9, &QPushButton::clicked, this, &SetupPage::Command9_Click);
    connect(Command10, &QPushButton::clicked, this, &SetupPage::Command10_Click);
    connect(Command11, &QPushButton::clicked, this, &SetupPage::Command11_Click);
}

// "Save" and "Load" under the frame.
void SetupPage::makeSettingsButtons()
{
    Command2 =
        makeControl<QPushButton>(this, "Command2", 3360, 2640, 855, 375, QStringLiteral("Save"));
    Command3 =
        makeControl<QPushButton>(this, "Command3", 4320, 2640, 855, 375, QStringLiteral("Load"));
    connect(Command2, &QPushButton::clicked, this, &SetupPage::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &SetupPage::Command3_Click);
}

void SetupPage::setKeyboardOrder()
{
    // The page's keyboard order: directory, Accept, the frame, Save, Load, then the profile rows.
    QWidget::setTabOrder(TempBrixDir, Command1);
    QWidget::setTabOrder(Command1, Command2);
    QWidget::setTabOrder(Command2, Command3);
    QWidget::setTabOrder(Command3, Alias);
    QWidget* previous = Alias;
    for (QWidget* next : {static_cast<QWidget*>(Command6), static_cast<QWidget*>(Command7),
                          static_cast<QWidget*>(FurColors), static_cast<QWidget*>(Command8),
                          static_cast<QWidget*>(Command9), static_cast<QWidget*>(Brix),
                          static_cast<QWidget*>(Vosk), static_cast<QWidget*>(Nyla),
                          static_cast<QWidget*>(Command10), static_cast<QWidget*>(Command11)}) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

// "Accept": the typed directory, ended by the separator, becomes the game directory.
void SetupPage::Command1_Click()
{
    if (m_writing)
        return;
    const QString typed = TempBrixDir->text();
    if (!typed.endsWith(directorySeparator()))
        TempBrixDir->setText(withTrailingSeparator(typed));
    m_gameDir.set(TempBrixDir->text());
}

// "Save": the game directory (as accepted, not as typed), the name, the fur colours and the
// character go to the settings store.
void SetupPage::Command2_Click()
{
    if (m_writing)
        return;
    const LauncherSettings settings{m_gameDir.text(), Alias->text(), FurColors->text(),
                                    characterCode(selectedCharacter())};
    if (!settings.save(m_settings))
        m_messages.warn(
            window(), MessageCaption,
            QStringLiteral("The settings could not be saved.\n\n%1").arg(m_settings.error()));
}

// "Load": the stored settings (or their defaults) come back into the page, and the file lists
// follow the loaded game directory.
void SetupPage::Command3_Click()
{
    if (m_writing)
        return;
    const std::optional<LauncherSettings> settings = LauncherSettings::load(m_settings);
    if (!settings) {
        // Nothing on the page changes when the store cannot be read.
        m_messages.warn(
            window(), MessageCaption,
            QStringLiteral("The settings could not be loaded.\n\n%1").arg(m_settings.error()));
        return;
    }
    TempBrixDir->setText(settings->path);
    Alias->putText(settings->alias);
    FurColors->putText(settings->fur);
    selectCharacter(characterFromCode(settings->character));
    m_gameDir.set(settings->path);
}

void SetupPage::Command6_Click()
{
    writeName(Edition::V123);
}
void SetupPage::Command7_Click()
{
    writeName(Edition::Rkv);
}
void SetupPage::Command8_Click()
{
    writeFurColors(Edition::V123);
}
void SetupPage::Command9_Click()
{
    writeFurColors(Edition::Rkv);
}
void SetupPage::Command10_Click()
{
    writeCharacter(Edition::V123);
}
void SetupPage::Command11_Click()
{
    writeCharacter(Edition::Rkv);
}

void SetupPage::writeName(Edition edition)
{
    writeProfileValue(edition, QStringLiteral("Name"), Registry::RegSz, Alias->text());
}

void SetupPage::writeFurColors(Edition edition)
{
    writeProfileValue(edition, QStringLiteral("Color"), Registry::RegBinary,
                      profile::furColorValueText(FurColors->text()));
}

void SetupPage::writeCharacter(Edition edition)
{
    Character character = selectedCharacter();
    // 1.23 has no Nyla: the user is told so whether or not the profile exists, and gets Brix.
    if (edition == Edition::V123 && character == Character::Nyla) {
        m_messages.inform(window(), MessageCaption,
                          QStringLiteral("Error, No Nyla in 1.23, You are now set to Brix"));
        selectCharacter(Character::Brix);
        character = Character::Brix;
    }
    writeProfileValue(edition, QStringLiteral("Char"), Registry::RegBinary,
                      profile::characterValueText(edition, character));
}

// Each profile button opens its edition's key afresh and writes its one value only when that
// worked; a profile the game has not created yet stays absent. Nothing to write (no character
// chosen) still opens the key, and writes nothing.
void SetupPage::writeProfileValue(Edition edition, const QString& name, quint32 type,
                                  const std::optional<QString>& value)
{
    if (m_writing)
        return;
    // Under Wine a write may have to wait for Wine's own registry command.
    m_writing = true;
    holdInput(true);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([this] {
        QGuiApplication::restoreOverrideCursor();
        holdInput(false);
        m_writing = false;
        Q_EMIT profileWriteFinished();
    });
    if (!m_registryApi.OpenKey(Registry::HkeyUsers, profile::subKey(edition),
                               Registry::KeyAllAccess))
        return;
    if (value)
        m_registryApi.SetValue(m_registryApi.KeyHandle, name, type, *value);
    m_registryApi.CloseKey();
}

void SetupPage::holdInput(bool hold)
{
    // Disabled controls take no click, key or screen reader's action; the focus comes back to
    // where it was.
    if (hold)
        m_focusBeforeWrite = focusWidget();
    for (QWidget* control : std::initializer_list<QWidget*>{
             TempBrixDir, Command1, Command2, Command3, Alias, Command6, Command7, FurColors,
             Command8, Command9, Brix, Vosk, Nyla, Command10, Command11})
        control->setEnabled(!hold);
    if (!hold && m_focusBeforeWrite)
        m_focusBeforeWrite->setFocus();
}

Character SetupPage::selectedCharacter() const
{
    Character character = Character::None;
    if (Brix->isChecked())
        character = Character::Brix;
    if (Vosk->isChecked())
        character = Character::Vosk;
    if (Nyla->isChecked())
        character = Character::Nyla;
    return character;
}

// Selecting one option clears the other two; no choice leaves the selection as it is.
void SetupPage::selectCharacter(Character character)
{
    switch (character) {
    case Character::Brix:
        Brix->setChecked(true);
        break;
    case Character::Vosk:
        Vosk->setChecked(true);
        break;
    case Character::Nyla:
        Nyla->setChecked(true);
        break;
    case Character::None:
        break;
    }
}
