#include "launch/DirectoryFiles.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>

namespace {

bool isPlainFile(const QString& directory, const WIN32_FIND_DATAW& entry)
{
    const DWORD attributes = entry.dwFileAttributes;
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN)) != 0)
        return false;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return true;
    // A link counts as what it leads to.
    return QFileInfo(directory, QString::fromWCharArray(entry.cFileName)).isFile();
}

} // namespace

bool forEachPlainFile(const QString& directory, const std::function<void(const QString&)>& take)
{
    // One call lists names with their attributes, so no file needs a lookup of its own.
    const QString pattern = QDir::toNativeSeparators(QDir(directory).filePath(QStringLiteral("*")));
    WIN32_FIND_DATAW entry;
    const HANDLE find =
        FindFirstFileExW(reinterpret_cast<const wchar_t*>(pattern.utf16()), FindExInfoBasic, &entry,
                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    // The root of an empty drive has not even "." and "..". Qt does not ask for the rights on
    // a directory, so a refusal shows only here.
    if (find == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        if (isPlainFile(directory, entry))
            take(QString::fromWCharArray(entry.cFileName));
    } while (FindNextFileW(find, &entry));
    const bool complete = GetLastError() == ERROR_NO_MORE_FILES;
    FindClose(find);
    return complete;
}

bool mayListDirectory(const QFileInfo& directory)
{
    return directory.isReadable();
}
