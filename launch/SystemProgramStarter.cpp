#include "launch/SystemProgramStarter.h"

// Placeholder until program start lands: reports every start as failed.
ProgramStarter::Result SystemProgramStarter::start(const CommandLine& commandLine)
{
    return {false, QStringLiteral("Starting programs is not available yet.")};
}
