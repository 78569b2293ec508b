#pragma once

#include <QPixmap>
#include <QProxyStyle>

// The desktop's own style with one change, under Fusion (Qt's style where the desktop names
// none): a group box's frame is drawn from Fusion's own picture, as Fusion draws it, but read as
// the PNG it is. Fusion has Qt guess the picture's format, which loads every image plugin and
// the JPEG library at the first paint, and every page is a group box. Under any other style, and
// if the picture cannot be read, the style draws the frame itself.
class LauncherStyle : public QProxyStyle {
public:
    LauncherStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;

private:
    QPixmap m_groupBoxFrame; // Fusion's picture; none under another style
};
