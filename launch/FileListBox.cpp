#include "launch/FileListBox.h"

FileListBox::FileListBox(const QString& patterns, QWidget* parent)
    : QListWidget(parent)
    , m_pattern(patterns)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

QString FileListBox::selectedFileName() const
{
    const QListWidgetItem* item = currentItem();
    return item && item->isSelected() ? item->text() : QString();
}
