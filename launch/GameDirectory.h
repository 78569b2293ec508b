#pragma once

#include <QChar>
#include <QString>

// The platform's directory separator as users type it: "/" on Linux, "\" on Windows.
QChar directorySeparator();

// The directory text as "Accept" leaves it: the typed text followed by the separator unless it
// already ends in one. Only the one rightmost character is looked at; blanks are kept.
QString withTrailingSeparator(const QString& typed);
