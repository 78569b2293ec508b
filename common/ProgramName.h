#pragma once

#include <QString>

// The launcher's name and version as every caption, message box, help text and settings store
// spells it.
inline const QString ProgramName = QStringLiteral("Korvane 1.4");
