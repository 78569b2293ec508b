#pragma once

#include <QString>
#include <QStringList>

// A running Wine server keeps its prefix's registry in memory and writes it back to the
// prefix's .reg files when it exits, so the files must not be edited while it runs. The server
// holds an fcntl write lock on the file "lock" of its server directory, which is named after the
// device and inode of the prefix directory ("server-<dev>-<ino>", both in hexadecimal). Wine
// puts that directory in /tmp/.wine-<uid>; Debian's Wine puts it in a private directory of the
// temporary directory instead and keeps that directory's name in the prefix's "wineserver" file.

// The lock files a server of this prefix may hold; empty when the prefix does not exist.
QStringList wineServerLockFiles(const QString& prefix);

// True when another process holds the write lock of the file.
bool fileLockHeld(const QString& path);

// True when a Wine server runs for the prefix.
bool wineServerRunning(const QString& prefix);
