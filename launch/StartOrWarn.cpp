#include "launch/StartOrWarn.h"

#include "common/MessageBoxes.h"
#include "launch/CommandLines.h"
#include "launch/ProgramStarter.h"

bool startOrWarn(ProgramStarter& programs, MessageBoxes& messages, QWidget* parent,
                 const CommandLine& commandLine)
{
    const ProgramStarter::Result result = programs.start(commandLine);
    if (!result.started)
        messages.warn(parent, MessageCaption,
                      commandlines::startFailureMessage(commandLine, result.error));
    return result.started;
}
