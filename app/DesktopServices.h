#pragma once

#include "common/Clipboard.h"
#include "common/FileDialog.h"
#include "common/MessageBoxes.h"
#include "common/UrlOpener.h"

// The real message boxes, open dialog and address opener of the desktop.
class QtMessageBoxes : public MessageBoxes {
public:
    void inform(QWidget* parent, const QString& caption, const QString& text) override;
    void warn(QWidget* parent, const QString& caption, const QString& text) override;
};

// The launcher states dialog filters the classic way, "Name|pattern; pattern|Name2|pattern";
// Qt wants "Name (pattern pattern);;Name2 (pattern)".
QString toQtFileFilter(const QString& filter);

class QtFileDialog : public FileDialog {
public:
    std::optional<QString> openFileName(QWidget* parent, const QString& filter) override;
};

class DesktopUrlOpener : public UrlOpener {
public:
    bool open(const QUrl& url) override;
};

class DesktopClipboard : public Clipboard {
public:
    void setText(const QString& text) override;
};
