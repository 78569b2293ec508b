#pragma once

#include "common/SettingsStore.h"

// The settings store of Unix desktops: one INI file per application in the user's configuration
// directory ($XDG_CONFIG_HOME, else ~/.config), a section per section.
class IniSettingsStore : public SettingsStore {
public:
    IniSettingsStore();
    // A store in the given directory instead of the user's configuration directory (empty: the
    // user's).
    explicit IniSettingsStore(const QString& directory);

    bool save(const QString& app, const QString& section, const QString& key,
              const QString& value) override;
    std::optional<QString> load(const QString& app, const QString& section,
                                const QString& key) override;
    QString error() const override { return m_error; }

    // The file that holds the application's settings.
    QString location(const QString& app) const;

private:
    // Why the INI file cannot be read, or the empty text.
    QString iniReadProblem(const QString& path) const;

    QString m_directory; // empty: the user's configuration directory
    QString m_error;
};
