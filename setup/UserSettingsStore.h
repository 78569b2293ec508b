#pragma once

#include "setup/SettingsStore.h"

// The current user's settings store of the platform.
class UserSettingsStore : public SettingsStore {
public:
    bool save(const QString& app, const QString& section, const QString& key,
              const QString& value) override;
    std::optional<QString> load(const QString& app, const QString& section,
                                const QString& key) override;
    QString error() const override { return m_error; }

private:
    QString m_error;
};
