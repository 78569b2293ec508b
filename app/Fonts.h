#pragma once

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace fonts {

// The families of the list that are installed, in its order; the whole list when none is, so
// that the system's own substitutes still apply. Qt looks a family it cannot find up among the
// system's substitutes before it tries the next one: on Linux that search costs milliseconds of
// start-up for each missing family, and the next family of the list is the one it ends on.
inline QStringList installed(const QStringList& families)
{
    const QStringList all = QFontDatabase::families();
    QStringList found;
    for (const QString& family : families)
        if (all.contains(family, Qt::CaseInsensitive))
            found.append(family);
    return found.isEmpty() ? families : found;
}

// Arial Narrow where it exists. Windows without Office, and Wine, may lack it: there the metric
// twin Liberation Sans Narrow, then plain Arial, stand in rather than the system's serif default.
inline QFont window()
{
    QFont font;
    font.setFamilies(
        installed({QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow"),
                   QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}));
    font.setPointSizeF(8.25);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

inline QFont tabStrip()
{
    // Where MS Sans Serif is missing, a face of the same width keeps the six tabs in one row.
    QFont font;
    font.setFamilies(installed({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"),
                                QStringLiteral("Liberation Sans")}));
    font.setPointSizeF(8.25);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace fonts
