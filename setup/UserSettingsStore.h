#pragma once

#include "setup/SettingsStore.h"

// The current user's settings store. On Windows it is the registry branch the classic
// SaveSetting uses (HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>), so
// settings saved there before load unchanged; elsewhere it is one INI file per application in
// the user's configuration directory ($XDG_CONFIG_HOME, else ~/.config).
class UserSettingsStore : public SettingsStore {
public:
    UserSettingsStore();
    // An INI store in the given directory instead of the platform's place (empty: the
    // platform's place).
    explicit UserSettingsStore(const QString& directory);

    bool save(const QString& app, const QString& section, const QString& key,
              const QString& value) override;
    std::optional<QString> load(const QString& app, const QString& section,
                                const QString& key) override;
    QString error() const override { return m_error; }

    // Where the application's settings live: a file path, or a registry path on Windows.
    QString location(const QString& app) const;

private:
    bool native() const;
    // Why the INI file cannot be read, or the empty text.
    QString iniReadProblem(const QString& path) const;

    QString m_directory; // empty: the platform's own place
    QString m_error;
};
