#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The files of one directory that match a file list's patterns, the way the game's file lists
// show them: bare names, sorted by name.

// A set of ";"-separated wildcard patterns such as "*.b2b;*.mod". The game's files come from a
// world where case does not matter, so a pattern matches regardless of case on every platform.
class FilePatterns {
public:
    explicit FilePatterns(const QString& patterns);

    bool matches(const QString& fileName) const;

private:
    struct Pattern {
        QString suffix;   // for the usual "*.ext": the ".ext" a name must end in
        QString wildcard; // any other pattern, matched with "*" and "?"
    };
    std::vector<Pattern> m_patterns;
};

struct FileListing {
    bool ok = false;
    QString error;     // why the directory cannot be listed; empty when ok
    QString directory; // the absolute path of the directory listed
    QStringList names; // the matching files' bare names, sorted by name
};

// Lists the directory that a file list's FileName text names. A text ending in the directory
// separator names that directory; a text without one is read as a directory as well, and an
// empty text as the working directory. Subdirectories and hidden files are never listed.
FileListing listMatchingFiles(const QString& fileName, const FilePatterns& patterns);

// Whether a wildcard pattern ("*" any run, "?" any one character) matches a name, ignoring case.
bool wildcardMatches(QStringView pattern, QStringView name);

// The message shown when the game directory cannot be listed.
QString listingFailureMessage(const QString& directory, const QString& reason);
