#pragma once

#include "player/ModulePlayer.h"

// The module player backed by the launcher's own player library (player/modplug.h).
class LibraryModulePlayer : public ModulePlayer {
public:
    Handle createEx(const QString& parameters) override;
    qint16 setWindow(Handle player, quintptr window) override;
    qint16 load(Handle player, const QString& path) override;
    qint16 play(Handle player) override;
    qint16 stop(Handle player) override;
    qint32 setVolume(Handle player, qint32 volume) override;
    qint32 getVolume(Handle player) override;
    qint32 getMaxPosition(Handle player) override;
    qint32 getCurrentPosition(Handle player) override;
    qint16 destroy(Handle player) override;
};
