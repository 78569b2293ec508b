#include "launch/DirectoryFiles.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <dirent.h>
#include <sys/stat.h>

void forEachPlainFile(const QString& directory, const std::function<void(const QString&)>& take)
{
    // Reading the entries directly spares a metadata lookup per file, which is most of the time
    // a large game directory takes; the entry's own type says whether it is a plain file.
    const QByteArray encoded = QFile::encodeName(directory);
    if (DIR* dir = ::opendir(encoded.constData())) {
        while (const dirent* entry = ::readdir(dir)) {
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
        ::closedir(dir);
        return;
    }
    QDirIterator it(directory, QDir::Files);
    while (it.hasNext()) {
        it.next();
        take(it.fileName());
    }
}

bool mayListDirectory(const QFileInfo& directory)
{
    // A directory must be searchable as well as readable.
    return directory.isReadable() && directory.isExecutable();
}
