#pragma once

#include "common/SettingsStore.h"

// The registry branch that the classic SaveSetting and GetSetting use:
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>, one string
// value per key. Settings that earlier versions of the launcher saved there load unchanged.
// Built on Windows only.
class VbSettingsStore : public SettingsStore {
public:
    bool save(const QString& app, const QString& section, const QString& key,
              const QString& value) override;
    std::optional<QString> load(const QString& app, const QString& section,
                                const QString& key) override;
    QString error() const override { return m_error; }

    // The key that holds the application's settings.
    QString location(const QString& app) const;

private:
    QString m_error;
};
