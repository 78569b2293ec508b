#pragma once

#include "common/GameDirectoryWatcher.h"
#include "registry/Registry.h"

#include <QString>

#include <functional>
#include <memory>

// Where the game lives on this platform, for the services that must agree on it. Each system
// has its own file, which also says what the system's 8-bit code page is (encoding::toAnsi).
struct SystemGameServices {
    // Told of each game directory that takes effect; null where nothing follows it.
    std::unique_ptr<GameDirectoryWatcher> gameDirectory;
    // The Wine prefix the game's programs start in, asked at each start; empty where they do not
    // run through Wine.
    std::function<QString()> winePrefix;
    // The registry the game reads its player profiles from.
    std::unique_ptr<Registry> registry;
};

SystemGameServices makeSystemGameServices();
