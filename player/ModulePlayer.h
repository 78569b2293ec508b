#pragma once

#include <QString>

// The ten calls the launcher makes into the module-player library, behind an interface so that
// the page can be tested against a recording fake.
class ModulePlayer {
public:
    using Handle = qint32;

    virtual ~ModulePlayer() = default;
    virtual Handle createEx(const QString& parameters) = 0;
    virtual qint16 setWindow(Handle player, quintptr window) = 0;
    virtual qint16 load(Handle player, const QString& path) = 0;
    virtual qint16 play(Handle player) = 0;
    virtual qint16 stop(Handle player) = 0;
    virtual qint32 setVolume(Handle player, qint32 volume) = 0;
    virtual qint32 getVolume(Handle player) = 0;
    virtual qint32 getMaxPosition(Handle player) = 0;
    virtual qint32 getCurrentPosition(Handle player) = 0;
    virtual qint16 destroy(Handle player) = 0;
};
