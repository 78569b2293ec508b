#pragma once

#include <QString>

#include <optional>

// The per-user settings store: texts addressed by application, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // False when the store could not be written; error() then says why. A failed write leaves
    // what was stored before as it was.
    virtual bool save(const QString& app, const QString& section, const QString& key,
                      const QString& value) = 0;
    // Nothing when the key (or its section or application) does not exist, and nothing when the
    // store could not be read; error() tells the two apart: it is empty after a read that worked.
    virtual std::optional<QString> load(const QString& app, const QString& section,
                                        const QString& key) = 0;
    // Why the last save or load failed; empty when it worked.
    virtual QString error() const = 0;
};
