#include "launch/GameDirectory.h"

#include <QDir>

QChar directorySeparator()
{
    return QDir::separator();
}

QString withTrailingSeparator(const QString& typed)
{
    if (typed.endsWith(directorySeparator()))
        return typed;
    return typed + directorySeparator();
}
