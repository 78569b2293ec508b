#include "wine/WinePrefix.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString nearestPrefixAbove(QString path)
{
    while (!path.isEmpty()) {
        if (isWinePrefix(path))
            return path;
        const QString parent = QFileInfo(path).path();
        if (parent == path)
            break;
        path = parent;
    }
    return {};
}

} // namespace

bool isWinePrefix(const QString& folder)
{
    const QDir dir(folder);
    return QFileInfo(dir.filePath(QStringLiteral("drive_c"))).isDir() &&
           QFileInfo(dir.filePath(QStringLiteral("system.reg"))).isFile();
}

QString enclosingWinePrefix(const QString& directory)
{
    if (directory.isEmpty())
        return {};
    // A game folder linked into the home folder may lie in a prefix elsewhere; a folder linked
    // into a prefix is run from that prefix. The path as written decides first.
    const QString written = QDir::cleanPath(QFileInfo(directory).absoluteFilePath());
    QString prefix = nearestPrefixAbove(written);
    if (prefix.isEmpty()) {
        const QString real = QFileInfo(written).canonicalFilePath();
        if (!real.isEmpty() && real != written)
            prefix = nearestPrefixAbove(real);
    }
    return prefix;
}

WinePrefix::WinePrefix(QString environmentPrefix, QString homeDirectory)
    : m_environmentPrefix(std::move(environmentPrefix))
    , m_homeDirectory(std::move(homeDirectory))
    , m_path(fallback())
{
}

WinePrefix WinePrefix::fromEnvironment()
{
    return WinePrefix(qEnvironmentVariable("WINEPREFIX"), QDir::homePath());
}

QString WinePrefix::fallback() const
{
    if (!m_environmentPrefix.isEmpty())
        return m_environmentPrefix;
    return m_homeDirectory + QStringLiteral("/.wine");
}

void WinePrefix::gameDirectoryChosen(const QString& gameDir)
{
    const QString enclosing =
        m_environmentPrefix.isEmpty() ? enclosingWinePrefix(gameDir) : QString();
    m_path = enclosing.isEmpty() ? fallback() : enclosing;
}
