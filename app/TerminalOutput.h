#pragma once

class QString;

// Writes what the command line asked for (help, version, a mistake) where the user who typed it
// reads it: the terminal the program was started from. Each system has its own file.
void writeToTerminal(const QString& output, const QString& error);
