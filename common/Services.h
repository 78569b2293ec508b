#pragma once

#include "common/ListServerHosts.h"

class FileDialog;
class ListServerSockets;
class GameDirectoryWatcher;
class MessageBoxes;
class ModulePlayer;
class ProgramStarter;
class Registry;
class SettingsStore;
class UrlOpener;

// Everything the main window needs from the world outside it. main() wires the real ones;
// tests pass fakes. The services must outlive the window.
struct Services {
    ProgramStarter& programs;
    UrlOpener& urls;
    MessageBoxes& messages;
    FileDialog& files;
    ListServerHosts listServers;
    ListServerSockets& sockets;
    Registry& registry;
    SettingsStore& settings;
    ModulePlayer& player;
    // Told of each game directory that takes effect; none where nothing follows it.
    GameDirectoryWatcher* gameDirectory = nullptr;
};
