#pragma once

#include <QString>

// Told of every game directory that takes effect, by "Accept" or by "Load", for what follows
// the game's place on this platform (on Linux, the Wine prefix the game is installed in).
class GameDirectoryWatcher {
public:
    virtual ~GameDirectoryWatcher() = default;
    virtual void gameDirectoryChosen(const QString& gameDir) = 0;
};
