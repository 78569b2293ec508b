#pragma once

#include "common/GameDirectoryWatcher.h"

#include <QString>

// The Wine prefix the game runs in and keeps its player profiles in, decided once for each game
// directory that takes effect. The program starter and the registry both ask it, so the game,
// the editor and the profile buttons always meet in the same prefix.
//
// A WINEPREFIX the launcher was started with wins: the user set it on purpose. Otherwise the
// prefix that holds the game directory is the game's, as Lutris, Bottles, Proton and
// `WINEPREFIX=... wine setup.exe` install games; otherwise ~/.wine, Wine's own default.
class WinePrefix : public GameDirectoryWatcher {
public:
    // environmentPrefix: the launcher's own WINEPREFIX (empty when unset).
    WinePrefix(QString environmentPrefix, QString homeDirectory);
    // From this process's environment and the user's home directory.
    static WinePrefix fromEnvironment();

    void gameDirectoryChosen(const QString& gameDir) override;
    const QString& path() const { return m_path; }

private:
    QString fallback() const;

    QString m_environmentPrefix;
    QString m_homeDirectory;
    QString m_path;
};

// Whether the folder is a Wine prefix: it holds the folder "drive_c" and the file "system.reg".
bool isWinePrefix(const QString& folder);

// The nearest folder that holds the directory (the directory itself included) and is a Wine
// prefix; empty when there is none. The path as written is looked at first, then, for a
// directory reached through a symbolic link, the folder it really lies in.
QString enclosingWinePrefix(const QString& directory);
