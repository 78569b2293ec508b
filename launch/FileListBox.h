#pragma once

#include <QListWidget>
#include <QString>

// A list of the files of one directory that match the list's own patterns.
class FileListBox : public QListWidget {
    Q_OBJECT
public:
    // patterns: ";"-separated, such as "*.b2b;*.mod".
    explicit FileListBox(const QString& patterns, QWidget* parent = nullptr);

    QString pattern() const { return m_pattern; }
    int listCount() const { return count(); }
    // The selected entry's bare file name; empty when nothing is selected.
    QString selectedFileName() const;

private:
    QString m_pattern;
};
