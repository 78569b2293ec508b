#include "wine/WineServer.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QStringList wineServerLockFiles(const QString& prefix)
{
    struct stat st {};
    if (::stat(QFile::encodeName(prefix).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return {};
    const QString serverDir = QStringLiteral("server-%1-%2")
                                  .arg(qulonglong(st.st_dev), 0, 16)
                                  .arg(qulonglong(st.st_ino), 0, 16);

    QStringList roots = {QStringLiteral("/tmp/.wine-%1").arg(::getuid())};
    QFile nameFile(prefix + QStringLiteral("/wineserver"));
    if (nameFile.open(QIODevice::ReadOnly)) {
        const QString name = QString::fromLocal8Bit(nameFile.read(256)).trimmed();
        // Only a plain directory name is taken, never a path that leads elsewhere.
        if (!name.isEmpty() && !name.contains(QLatin1Char('/')) && name != QLatin1String(".") &&
            name != QLatin1String("..")) {
            const QString tmpDir = qEnvironmentVariable("TMPDIR");
            if (tmpDir.startsWith(QLatin1Char('/')))
                roots.append(QDir::cleanPath(tmpDir) + QLatin1Char('/') + name);
            roots.append(QStringLiteral("/tmp/") + name);
        }
    }
    QStringList locks;
    for (const QString& root : std::as_const(roots)) {
        const QString lock = root + QLatin1Char('/') + serverDir + QStringLiteral("/lock");
        if (!locks.contains(lock))
            locks.append(lock);
    }
    return locks;
}

bool fileLockHeld(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    int fd = ::open(name.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    const bool held = ::fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    ::close(fd);
    return held;
}

bool wineServerRunning(const QString& prefix)
{
    const QStringList locks = wineServerLockFiles(prefix);
    for (const QString& lock : locks)
        if (fileLockHeld(lock))
            return true;
    return false;
}
