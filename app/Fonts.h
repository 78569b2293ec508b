#pragma once

#include <QFont>

namespace fonts {

// Arial Narrow where it exists; on Linux fontconfig maps it to Liberation Sans Narrow.
inline QFont window()
{
    QFont font(QStringLiteral("Arial Narrow"));
    font.setPointSizeF(8.25);
    return font;
}

inline QFont tabStrip()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace fonts
