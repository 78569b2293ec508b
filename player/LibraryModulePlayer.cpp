#include "player/LibraryModulePlayer.h"

#include "player/modplug.h"

#include <QString>

// Parameters are plain ASCII; paths go out as UTF-8, which the library reads with the system's
// wide-character calls where there are such, so that any file the dialog offers can be opened.
ModulePlayer::Handle LibraryModulePlayer::createEx(const QString& parameters)
{
    return ModPlug_CreateEx(parameters.toUtf8().constData());
}

qint16 LibraryModulePlayer::setWindow(Handle player, quintptr window)
{
    return ModPlug_SetWindow(player, window);
}

qint16 LibraryModulePlayer::load(Handle player, const QString& path)
{
    return ModPlug_Load(player, path.toUtf8().constData());
}

qint16 LibraryModulePlayer::play(Handle player)
{
    return ModPlug_Play(player);
}
qint16 LibraryModulePlayer::stop(Handle player)
{
    return ModPlug_Stop(player);
}

qint32 LibraryModulePlayer::setVolume(Handle player, qint32 volume)
{
    return ModPlug_SetVolume(player, volume);
}

qint32 LibraryModulePlayer::getVolume(Handle player)
{
    return ModPlug_GetVolume(player);
}
qint32 LibraryModulePlayer::getMaxPosition(Handle player)
{
    return ModPlug_GetMaxPosition(player);
}

qint32 LibraryModulePlayer::getCurrentPosition(Handle player)
{
    return ModPlug_GetCurrentPosition(player);
}

qint16 LibraryModulePlayer::destroy(Handle player)
{
    return ModPlug_Destroy(player);
}
