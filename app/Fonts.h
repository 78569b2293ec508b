#pragma once

#include <QFont>
#include <QStringList>

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
    // Where MS Sans Serif is missing, a face of the same width keeps the six tabs in one row.
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"),
                      QStringLiteral("Liberation Sans")});
    font.setPointSizeF(8.25);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace fonts
