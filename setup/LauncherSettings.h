#pragma once

#include "common/GameVocabulary.h"

#include <QString>

#include <optional>

class SettingsStore;

// The launcher's own four settings, as texts, under application "Korvane 1.4", section
// "Settings".
struct LauncherSettings {
    QString path;      // "Path": the game directory
    QString alias;     // "Alias": the player name
    QString fur;       // "Fur": the fur colours
    QString character; // "Char": "brix", "vosk", "nyla" or empty

    // Stores all four; stops at the first that cannot be stored (store.error() says why).
    bool save(SettingsStore& store) const;
    // Reads all four, a missing key giving its default (the text the Setup page shows at start,
    // and "brix"). Nothing when the store cannot be read (store.error() says why).
    static std::optional<LauncherSettings> load(SettingsStore& store);
};
