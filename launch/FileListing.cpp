#include "launch/FileListing.h"

#include "launch/DirectoryFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

bool isPlainSuffixPattern(QStringView pattern)
{
    // "*.ext" with no further wildcard in "ext".
    return pattern.size() >= 2 && pattern[0] == QLatin1Char('*') &&
           pattern[1] == QLatin1Char('.') && !pattern.mid(1).contains(QLatin1Char('*')) &&
           !pattern.contains(QLatin1Char('?'));
}

bool nameLessThan(const QString& a, const QString& b)
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

} // namespace

FilePatterns::FilePatterns(const QString& patterns)
{
    for (const QString& piece : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString pattern = piece.trimmed();
        if (pattern.isEmpty())
            continue;
        if (isPlainSuffixPattern(pattern))
            m_patterns.push_back({pattern.mid(1), QString()});
        else
            m_patterns.push_back({QString(), pattern});
    }
}

bool FilePatterns::matches(const QString& fileName) const
{
    for (const Pattern& pattern : m_patterns) {
        if (!pattern.suffix.isEmpty()) {
            if (fileName.endsWith(pattern.suffix, Qt::CaseInsensitive))
                return true;
        } else if (wildcardMatches(pattern.wildcard, fileName)) {
            return true;
        }
    }
    return false;
}

bool wildcardMatches(QStringView pattern, QStringView name)
{
    // Iterative matching with one backtrack point for the last "*": linear for the patterns
    // file lists use, and never recursive.
    qsizetype p = 0, n = 0;
    qsizetype starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == QLatin1Char('?') ||
                    pattern.mid(p, 1).compare(name.mid(n, 1), Qt::CaseInsensitive) == 0)) {
            ++p;
            ++n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

FileListing listMatchingFiles(const QString& fileName, const FilePatterns& patterns)
{
    FileListing listing;
    const QDir dir(fileName.isEmpty() ? QDir::currentPath() : fileName);
    listing.directory = dir.absolutePath();

    const QFileInfo info(listing.directory);
    if (!info.exists()) {
        listing.error = QStringLiteral("The directory does not exist.");
        return listing;
    }
    if (!info.isDir()) {
        listing.error = QStringLiteral("It is not a directory.");
        return listing;
    }
    if (!mayListDirectory(info)) {
        listing.error = QStringLiteral("Permission to read the directory was denied.");
        return listing;
    }

    const bool read = forEachPlainFile(listing.directory, [&](const QString& name) {
        if (patterns.matches(name))
            listing.names.append(name);
    });
    if (!read) {
        listing.names.clear();
        listing.error = QStringLiteral("The directory could not be read.");
        return listing;
    }
    std::sort(listing.names.begin(), listing.names.end(), nameLessThan);
    listing.ok = true;
    return listing;
}

QString listingFailureMessage(const QString& directory, const QString& reason)
{
    return QStringLiteral("The game directory \"%1\" cannot be listed.\n\n%2")
        .arg(directory, reason);
}
