#include "registry/WineRegistry.h"

#include "registry/ValueEncoding.h"
#include "registry/WineRegFile.h"
#include "wine/WinePrefix.h"
#include "wine/WineRegCommand.h"
#include "wine/WineServer.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::optional<QByteArray> readWhole(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return content;
}

// Writes the content into a new file in the target's directory, with the target's permissions,
// and makes sure it is on disk. Its path, or the empty text when it could not be written.
QString writeBeside(const QString& target, const QByteArray& content)
{
    const QFileInfo info(target);
    QByteArray name =
        QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName()) +
        ".korvane-XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return {};
    bool ok = true;
    struct stat st {};
    if (::stat(QFile::encodeName(target).constData(), &st) == 0)
        ok = ::fchmod(fd, st.st_mode & 07777) == 0;
    const char* data = content.constData();
    qsizetype left = content.size();
    while (ok && left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            ok = false;
            break;
        }
        data += written;
        left -= written;
    }
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok) {
        ::unlink(name.constData());
        return {};
    }
    return QFile::decodeName(name);
}

// The value as the registry's 8-bit call hands it over, converted the way the call converts it
// before the server stores it: texts to UTF-16.
WineRegFile::Value wideValue(quint32 type, const QByteArray& data)
{
    if (type != Registry::RegSz)
        return {type, data};
    const QString text = encoding::fromAnsi(data);
    QByteArray wide;
    wide.reserve(text.size() * 2);
    for (const QChar c : text) {
        wide.append(char(c.unicode() & 0xFF));
        wide.append(char(c.unicode() >> 8));
    }
    return {type, wide};
}

} // namespace

WineRegistry::WineRegistry(QString prefix)
    : WineRegistry(prefix, std::make_unique<ProcessWineRunner>(prefix), Hooks{})
{
}

WineRegistry::WineRegistry(const WinePrefix& prefix)
    : m_prefix([&prefix] { return prefix.path(); })
    , m_runner(std::make_unique<ProcessWineRunner>(m_prefix))
{
}

WineRegistry::WineRegistry(QString prefix, std::unique_ptr<WineRunner> runner, Hooks hooks)
    : m_prefix([prefix = std::move(prefix)] { return prefix; })
    , m_runner(std::move(runner))
    , m_hooks(std::move(hooks))
{
}

WineRegistry::~WineRegistry() = default;

QString WineRegistry::userdefPath() const
{
    return prefix() + QStringLiteral("/userdef.reg");
}

bool WineRegistry::serverRunning() const
{
    return m_hooks.serverRunning ? m_hooks.serverRunning() : wineServerRunning(prefix());
}

std::optional<Registry::Key> WineRegistry::openKey(Key root, const QByteArray& subKey, quint32)
{
    if (root != HkeyUsers)
        return std::nullopt;
    // userdef.reg holds HKEY_USERS\.DEFAULT; the other users' branches are not the game's.
    const QString path = encoding::fromAnsi(subKey);
    const QStringList parts = path.split(QLatin1Char('\\'));
    if (parts.size() < 2 || parts.contains(QString()) ||
        parts.front().compare(QLatin1String(".DEFAULT"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    OpenKey key{QStringLiteral("HKEY_USERS\\") + path, parts.mid(1).join(QLatin1Char('\\'))};

    bool exists = false;
    if (!QFileInfo(prefix()).isDir()) {
        exists = false;
    } else if (serverRunning()) {
        exists = WineRegCommand(*m_runner).keyExists(key.fullPath);
    } else {
        const std::optional<QByteArray> content = readWhole(userdefPath());
        const std::optional<WineRegFile> file =
            content ? WineRegFile::parse(*content) : std::nullopt;
        exists = file && file->hasKey(key.relativePath);
    }
    if (!exists)
        return std::nullopt;
    const Key handle = m_nextKey++;
    m_open.emplace(handle, std::move(key));
    return handle;
}

bool WineRegistry::setValue(Key key, const QByteArray& valueName, quint32 type,
                            const QByteArray& data)
{
    const auto open = m_open.find(key);
    if (open == m_open.end() || (type != RegSz && type != RegBinary))
        return false;
    const QString name = encoding::fromAnsi(valueName);
    if (!serverRunning()) {
        bool serverStarted = false;
        if (setValueInFile(open->second, name, type, data, &serverStarted))
            return true;
        if (!serverStarted)
            return false;
    }
    return setValueByCommand(open->second, name, type, data);
}

bool WineRegistry::setValueInFile(const OpenKey& key, const QString& name, quint32 type,
                                  const QByteArray& data, bool* serverStarted)
{
    // Through a symbolic link the file it points to is replaced, not the link.
    const QString path = QFileInfo(userdefPath()).canonicalFilePath();
    if (path.isEmpty())
        return false;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::optional<QByteArray> before = readWhole(path);
        if (!before)
            return false;
        const std::optional<WineRegFile> file = WineRegFile::parse(*before);
        if (!file)
            return false;
        const std::optional<WineRegFile::Edit> edit = file->setValue(
            key.relativePath, name, wideValue(type, data), QDateTime::currentDateTimeUtc());
        if (!edit)
            return false;
        const QByteArray after = WineRegFile::apply(*before, *edit);
        if (after == *before)
            return true;

        const QString newFile = writeBeside(path, after);
        if (newFile.isEmpty())
            return false;
        // A server that started meanwhile has read the old file and will write it back; one
        // that was just saving may have changed the file under us.
        if (serverRunning()) {
            QFile::remove(newFile);
            *serverStarted = true;
            return false;
        }
        if (readWhole(path) != before) {
            QFile::remove(newFile);
            continue;
        }
        if (m_hooks.beforeReplace && !m_hooks.beforeReplace(newFile)) {
            QFile::remove(newFile);
            return false;
        }
        if (::rename(QFile::encodeName(newFile).constData(), QFile::encodeName(path).constData()) !=
            0) {
            QFile::remove(newFile);
            return false;
        }
        return true;
    }
    return false;
}

bool WineRegistry::setValueByCommand(const OpenKey& key, const QString& name, quint32 type,
                                     const QByteArray& data)
{
    // reg takes a text as text, up to its terminating zero byte, and binary data in hexadecimal.
    if (type == RegSz) {
        const qsizetype zero = data.indexOf('\0');
        return WineRegCommand(*m_runner).setValue(
            key.fullPath, name, QStringLiteral("REG_SZ"),
            encoding::fromAnsi(zero >= 0 ? data.left(zero) : data));
    }
    if (type == RegBinary)
        return WineRegCommand(*m_runner).setValue(key.fullPath, name, QStringLiteral("REG_BINARY"),
                                                  QString::fromLatin1(data.toHex().toUpper()));
    return false;
}

void WineRegistry::closeKey(Key key)
{
    m_open.erase(key);
}
