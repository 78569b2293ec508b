#pragma once

#include "launch/CommandLine.h"

class MessageBoxes;
class ProgramStarter;
class QWidget;

// Starts a command line for a user's action. A start that fails is shown in a message box that
// names the program and the reason; the window stays as it was. Returns whether it started.
bool startOrWarn(ProgramStarter& programs, MessageBoxes& messages, QWidget* parent,
                 const CommandLine& commandLine);
