#pragma once

#include <QString>

#include <optional>

// The per-user settings store: texts addressed by application, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // False when the store could not be written; error() then says why.
    virtual bool save(const QString& app, const QString& section, const QString& key,
                      const QString& value) = 0;
    // Nothing when the key (or its section or application) does not exist.
    virtual std::optional<QString> load(const QString& app, const QString& section,
                                        const QString& key) = 0;
    virtual QString error() const = 0;
};
