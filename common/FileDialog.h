#pragma once

#include <QString>

#include <optional>

class QWidget;

// The open-file dialog, behind an interface so that tests choose or cancel.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    // The chosen file's full path, or nothing when the user cancelled.
    virtual std::optional<QString> openFileName(QWidget* parent, const QString& filter) = 0;
};
