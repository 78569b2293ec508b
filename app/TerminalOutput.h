#pragma once

class QString;

// Writes what the command line asked for (help, version, a mistake) where the user who typed it
// reads it: the terminal the program was started from. Each system has its own file. usage goes
// with an error where no terminal is there to ask for --help: a Windows program started from
// Explorer shows both in a message box.
void writeToTerminal(const QString& output, const QString& error, const QString& usage);
