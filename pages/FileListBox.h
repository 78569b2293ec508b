#pragma once

#include "launch/FileListing.h"

#include <QListWidget>
#include <QString>

// A list of the files of one directory that match the list's own patterns.
class FileListBox : public QListWidget {
    Q_OBJECT
public:
    // patterns: ";"-separated, such as "*.b2b;*.mod"; directory: what the list shows until it
    // is pointed elsewhere.
    FileListBox(const QString& patterns, const QString& directory, QWidget* parent = nullptr);
    // Shows the working directory.
    explicit FileListBox(const QString& patterns, QWidget* parent = nullptr);

    QString pattern() const { return m_pattern; }
    // The directory the list shows.
    QString path() const { return m_path; }

    // Points the list at the directory a text names (a text ending in the directory separator
    // names that directory). A directory that cannot be listed leaves the list as it was;
    // the reason is then put in *error.
    bool setFileName(const QString& fileName, QString* error = nullptr);

    int listCount() const { return count(); }
    // The selected entry's bare file name; empty when nothing is selected.
    QString selectedFileName() const;

Q_SIGNALS:
    // The user changed the selection, by mouse or keys. Refilling the list raises nothing.
    void selectionChangedByUser();

private:
    QString m_pattern;
    FilePatterns m_patterns;
    QString m_path;
    bool m_refilling = false;
};
