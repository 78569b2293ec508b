#pragma once

#include "common/ListServerHosts.h"

class Clipboard;
class DesktopAlerts;
class FileDialog;
class ListServerSockets;
class GameDirectoryWatcher;
class MessageBoxes;
class ModulePlayer;
class ProgramStarter;
class RecordStorage;
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
    Clipboard& clipboard;
    // The user's own records of servers: favourites, history, filters.
    RecordStorage& records;
    // Told of each game directory that takes effect; none where nothing follows it.
    GameDirectoryWatcher* gameDirectory = nullptr;
    // The tray icon and notifications of "someone is playing"; none where nothing shows them.
    DesktopAlerts* alerts = nullptr;
};
