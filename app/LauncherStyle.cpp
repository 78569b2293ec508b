#include "app/LauncherStyle.h"

#include "app/Pictures.h"

#include <QGroupBox>
#include <QStyleOption>
#include <qdrawutil.h>

LauncherStyle::LauncherStyle()
{
    if (baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0)
        m_groupBoxFrame = pngPicture(
            QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"));
}

void LauncherStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const
{
    if (element != PE_FrameGroupBox || m_groupBoxFrame.isNull()) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // Fusion's geometry: the frame begins below the title (as tall as the font or a radio
    // button, whichever is taller) and a margin of 3; a box with no title and no check box has
    // only the margin. The picture's 6-pixel edges stay whole; its middle stretches.
    constexpr int TopMargin = 3;
    const auto* box = qobject_cast<const QGroupBox*>(widget);
    int top = TopMargin;
    if (!box || box->isCheckable() || !box->title().isEmpty())
        top += qMax(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height());
    qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), QMargins(6, 6, 6, 6),
                      m_groupBoxFrame);
}
