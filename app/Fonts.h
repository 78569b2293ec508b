#pragma once

#include <QFont>
#include <QStringList>

namespace fonts {

// Arial Narrow where it exists. Windows without Office, and Wine, may lack it: there the metric
// twin Liberation Sans Narrow, then plain Arial, stand in rather than the system's serif default.
inline QFont window()
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow"),
                      QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPointSizeF(8.25);
    font.setStyleHint(QFont::SansSerif);
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
