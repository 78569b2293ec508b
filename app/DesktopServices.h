#pragma once

#include "app/FileDialog.h"
#include "app/MessageBoxes.h"
#include "app/UrlOpener.h"

// The real message boxes, open dialog and address opener of the desktop.
class QtMessageBoxes : public MessageBoxes {
public:
    void inform(QWidget* parent, const QString& caption, const QString& text) override;
    void warn(QWidget* parent, const QString& caption, const QString& text) override;
};

class QtFileDialog : public FileDialog {
public:
    std::optional<QString> openFileName(QWidget* parent, const QString& filter) override;
};

class DesktopUrlOpener : public UrlOpener {
public:
    bool open(const QUrl& url) override;
};
