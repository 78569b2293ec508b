#pragma once

#include <QString>

// One command line as the launcher builds it: the program (the game directory glued to the
// executable's name) and the rest. Its text form is the two joined by one blank, which is the
// exact string the user would have typed.
struct CommandLine {
    QString program;
    QString arguments;

    QString text() const { return program + QLatin1Char(' ') + arguments; }
    bool operator==(const CommandLine&) const = default;
};
