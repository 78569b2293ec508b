#include "setup/RecordFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

RecordFile::RecordFile(QString path)
    : m_path(std::move(path))
{
}

RecordStorage::Contents RecordFile::read()
{
    QFile file(m_path);
    if (!file.exists())
        return {};
    // Far more than the launcher ever writes; a larger file is read only as far as that.
    constexpr qint64 MostBytes = 8 * 1024 * 1024;
    if (!file.open(QIODevice::ReadOnly))
        return {Contents::Unreadable, {}, file.errorString()};
    QByteArray data = file.read(MostBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return {Contents::Unreadable, {}, file.errorString()};
    return {Contents::Read, std::move(data), {}};
}

bool RecordFile::write(const QByteArray& data, QString* error)
{
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("the folder %1 could not be made").arg(folder);
        return false;
    }
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

bool RecordFile::keepAside(QString* error)
{
    if (!QFile::exists(m_path))
        return true;
    const QString aside = m_path + QStringLiteral(".bad");
    QFile::remove(aside);
    QFile file(m_path);
    if (!file.rename(aside)) {
        *error = file.errorString();
        return false;
    }
    return true;
}
