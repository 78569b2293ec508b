#include "pages/FileListBox.h"

#include <QDir>

FileListBox::FileListBox(const QString& patterns, const QString& directory, QWidget* parent)
    : QListWidget(parent)
    , m_pattern(patterns)
    , m_patterns(patterns)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true); // keeps long directories quick to fill and scroll
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_refilling)
            Q_EMIT selectionChangedByUser();
    });
    setFileName(directory);
}

FileListBox::FileListBox(const QString& patterns, QWidget* parent)
    : FileListBox(patterns, QDir::currentPath(), parent)
{
}

bool FileListBox::setFileName(const QString& fileName, QString* error)
{
    const FileListing listing = listMatchingFiles(fileName, m_patterns);
    if (!listing.ok) {
        if (error)
            *error = listing.error;
        return false;
    }
    m_refilling = true;
    clear();
    addItems(listing.names);
    m_refilling = false;
    m_path = listing.directory;
    return true;
}

QString FileListBox::selectedFileName() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}
