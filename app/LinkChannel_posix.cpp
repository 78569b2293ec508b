#include "app/LinkHandover.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A directory of this user's that nobody else may enter, or list: the socket's name must not be
// taken or reached by another user first.
bool isPrivateDirectory(const QByteArray& path)
{
    struct stat status {};
    return ::lstat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::getuid() && (status.st_mode & 077) == 0;
}

} // namespace

QString linkChannelName()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    QByteArray directory;
    if (!runtime.isEmpty() && isPrivateDirectory(runtime)) {
        directory = runtime;
    } else {
        // Without a runtime directory, one of our own in the temporary folder.
        directory = QFile::encodeName(QDir::tempPath()) + "/korvane-" +
                    QByteArray::number(qulonglong(::getuid()));
        ::mkdir(directory.constData(), 0700);
        if (!isPrivateDirectory(directory))
            return {};
    }
    return QFile::decodeName(directory) + QStringLiteral("/korvane-links");
}
