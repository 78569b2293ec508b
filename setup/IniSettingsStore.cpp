#include "setup/IniSettingsStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

QString settingsText(const QVariant& value)
{
    // An INI file edited by hand may hold an unquoted list ("a, b"); it is one text to us.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

// Qt reads a file that begins with UTF-8's byte-order mark correctly but still reports a format
// error for it, and editors such as Notepad write that mark. Such a file counts as damaged only
// if it is without the mark.
bool damagedBeyondItsByteOrderMark(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    const QByteArray text = file.readAll();
    if (!text.startsWith("\xEF\xBB\xBF"))
        return true;
    QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("copy.ini"));
    QFile unmarked(copy);
    if (!scratch.isValid() || !unmarked.open(QIODevice::WriteOnly) ||
        unmarked.write(text.sliced(3)) != text.size() - 3 || !unmarked.flush())
        return true;
    unmarked.close();
    QSettings settings(copy, QSettings::IniFormat);
    settings.allKeys();
    return settings.status() != QSettings::NoError;
}

// Whether the settings file is damaged, so that writing it would lose what it holds. Qt keeps
// every settings file it has read for the rest of the program and does not read it again while
// it is unchanged on disk, so it reports the damage of a file only the first time; the damage
// is remembered here for as long as the file stays as it was.
bool damaged(QSettings& settings, const QString& path)
{
    static QHash<QString, std::pair<qint64, QDateTime>> knownDamaged;
    settings.allKeys(); // reads every section, so that damage anywhere shows
    const QFileInfo info(path);
    const std::pair<qint64, QDateTime> state{info.size(), info.lastModified()};
    if (settings.status() == QSettings::FormatError && damagedBeyondItsByteOrderMark(path)) {
        knownDamaged.insert(path, state);
        return true;
    }
    const auto known = knownDamaged.constFind(path);
    if (known == knownDamaged.constEnd())
        return false;
    if (*known == state)
        return true;
    knownDamaged.erase(known);
    return false;
}

} // namespace

IniSettingsStore::IniSettingsStore() = default;

IniSettingsStore::IniSettingsStore(const QString& directory)
    : m_directory(directory)
{
}

QString IniSettingsStore::location(const QString& app) const
{
    QString directory = m_directory;
    if (directory.isEmpty())
        directory = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(directory).filePath(app + QStringLiteral(".ini"));
}

QString IniSettingsStore::iniReadProblem(const QString& path) const
{
    const QFileInfo info(path);
    if (info.exists()) {
        QFile file(path);
        if (info.isDir() || !file.open(QIODevice::ReadOnly))
            return QStringLiteral("%1 cannot be read.").arg(QDir::toNativeSeparators(path));
        return {};
    }
    // Something other than a folder where the folder should be.
    for (QFileInfo up(info.absolutePath()); !up.isRoot(); up = QFileInfo(up.absolutePath())) {
        if (up.exists()) {
            if (!up.isDir())
                return QStringLiteral("%1 is in the way: it is not a folder.")
                    .arg(QDir::toNativeSeparators(up.absoluteFilePath()));
            break;
        }
    }
    return {};
}

bool IniSettingsStore::save(const QString& app, const QString& section, const QString& key,
                            const QString& value)
{
    m_error.clear();
    const QString where = location(app);
    if (!iniReadProblem(where).isEmpty()) {
        m_error = iniReadProblem(where);
        return false;
    }
    QSettings settings(where, QSettings::IniFormat);
    // A file that cannot be read correctly would lose its other settings when written again.
    if (damaged(settings, where)) {
        m_error = QStringLiteral("%1 is damaged and was left as it is.")
                      .arg(QDir::toNativeSeparators(where));
        return false;
    }
    settings.beginGroup(section);
    const bool existed = settings.contains(key);
    const QVariant previous = settings.value(key);
    settings.setValue(key, value);
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return true;

    m_error = QStringLiteral("%1 cannot be written.").arg(QDir::toNativeSeparators(where));
    // The settings of one file are shared by the whole program; take back the change that
    // could not be stored so that it neither shows up in later reads nor goes out with a
    // later write.
    if (existed)
        settings.setValue(key, previous);
    else
        settings.remove(key);
    return false;
}

std::optional<QString> IniSettingsStore::load(const QString& app, const QString& section,
                                              const QString& key)
{
    m_error.clear();
    const QString where = location(app);
    m_error = iniReadProblem(where);
    if (!m_error.isEmpty())
        return std::nullopt;
    QSettings settings(where, QSettings::IniFormat);
    if (damaged(settings, where)) {
        m_error = QStringLiteral("%1 is damaged.").arg(QDir::toNativeSeparators(where));
        return std::nullopt;
    }
    settings.beginGroup(section);
    if (!settings.contains(key))
        return std::nullopt;
    return settingsText(settings.value(key));
}
