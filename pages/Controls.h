#pragma once

#include "pages/Twips.h"

#include <QLabel>
#include <QString>
#include <QWidget>

#include <type_traits>

// Creates a control the way the window was designed: a child of its page with its name and its
// place given in twips.
template <typename Widget, typename... Args>
Widget* makeControl(QWidget* parent, const char* objectName, int left, int top, int width,
                    int height, Args&&... args)
{
    auto* widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(QString::fromLatin1(objectName));
    widget->setGeometry(twips::rect(left, top, width, height));
    // Captions are shown as they are: a file name such as "<s>old.b2l" is not markup.
    if constexpr (std::is_base_of_v<QLabel, Widget>)
        widget->setTextFormat(Qt::PlainText);
    return widget;
}
