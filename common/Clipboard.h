#pragma once

#include <QString>

// The system's clipboard, as far as the launcher puts text on it.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void setText(const QString& text) = 0;
};
