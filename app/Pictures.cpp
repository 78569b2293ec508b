#include "app/Pictures.h"

#include <QImageReader>

QPixmap pngPicture(const QString& path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}
