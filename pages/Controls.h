#pragma once

#include "pages/Twips.h"

#include <QString>
#include <QWidget>

// Creates a control the way the window was designed: a child of its page with its name and its
// place given in twips.
template <typename Widget, typename... Args>
Widget* makeControl(QWidget* parent, const char* objectName, int left, int top, int width,
                    int height, Args&&... args)
{
    auto* widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(QString::fromLatin1(objectName));
    widget->setGeometry(twips::rect(left, top, width, height));
    return widget;
}
