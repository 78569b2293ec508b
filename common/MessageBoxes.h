#pragma once

#include "common/ProgramName.h"

#include <QString>

class QWidget;

// Every message box of the launcher carries the application's title as its caption.
inline const QString MessageCaption = ProgramName;

// Modal message boxes, behind an interface so that tests answer them without a dialog.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A plain message: OK button only, no icon.
    virtual void inform(QWidget* parent, const QString& caption, const QString& text) = 0;
    // A failure the user should know about: OK button only, warning icon.
    virtual void warn(QWidget* parent, const QString& caption, const QString& text) = 0;
};
