#pragma once

#include <QPixmap>
#include <QString>

// A PNG picture (the program's own, or one of Qt's), read by Qt's own PNG reader. Asked to
// guess, Qt asks every image plugin first whether it can read the file, which loads them all,
// with the JPEG library and more, before the first paint.
QPixmap pngPicture(const QString& path);
