#include "player/LibraryModulePlayer.h"

// Placeholder until the player library lands: a player that holds no song.
ModulePlayer::Handle LibraryModulePlayer::createEx(const QString&) { return 1; }
qint16 LibraryModulePlayer::setWindow(Handle, quintptr) { return 1; }
qint16 LibraryModulePlayer::load(Handle, const QString&) { return 0; }
qint16 LibraryModulePlayer::play(Handle) { return 0; }
qint16 LibraryModulePlayer::stop(Handle) { return 0; }
qint32 LibraryModulePlayer::setVolume(Handle, qint32 volume) { return volume; }
qint32 LibraryModulePlayer::getVolume(Handle) { return 100; }
qint32 LibraryModulePlayer::getMaxPosition(Handle) { return 0; }
qint32 LibraryModulePlayer::getCurrentPosition(Handle) { return 0; }
qint16 LibraryModulePlayer::destroy(Handle) { return 1; }
