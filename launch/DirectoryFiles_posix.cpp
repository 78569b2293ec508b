#include "launch/DirectoryFiles.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>

bool forEachPlainFile(const QString& directory, const std::function<void(const QString&)>& take)
{
    // Reading the entries directly spares a metadata lookup per file, which is most of the time
    // a large game directory takes; the entry's own type says whether it is a plain file.
    const QByteArray encoded = QFile::encodeName(directory);
    DIR* dir = ::opendir(encoded.constData());
    if (dir == nullptr)
        return false;
    for (;;) {
        errno = 0; // readdir tells its end from a failure only by errno
        const dirent* entry = ::readdir(dir);
        if (entry == nullptr)
            break;
        if (entry->d_name[0] == '.')
            continue; // hidden, or the directory itself and its parent
        bool isFile = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info;
            const QByteArray path = encoded + '/' + entry->d_name;
            isFile = ::stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode);
        }
        if (isFile)
            take(QFile::decodeName(entry->d_name));
    }
    const bool complete = errno == 0;
    ::closedir(dir);
    return complete;
}

bool mayListDirectory(const QFileInfo& directory)
{
    // A directory must be searchable as well as readable.
    return directory.isReadable() && directory.isExecutable();
}
