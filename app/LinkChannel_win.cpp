#include "app/LinkHandover.h"

#include <QCryptographicHash>

#include <windows.h>

QString linkChannelName()
{
    // Pipe names are seen by every user of the machine: the name holds this user's, and the
    // pipe itself admits only this user (the listener's UserAccessOption).
    wchar_t user[257] = {};
    DWORD length = DWORD(std::size(user));
    if (!GetUserNameW(user, &length))
        return {};
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    const QByteArray id =
        QCryptographicHash::hash(QString::fromWCharArray(user).toUtf8(), QCryptographicHash::Sha256)
            .toHex()
            .left(16);
    return QStringLiteral("korvane-links-%1-%2").arg(QString::fromLatin1(id)).arg(session);
}
