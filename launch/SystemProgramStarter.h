#pragma once

#include "launch/ProgramStarter.h"

// Starts programs on this machine, detached and without a shell.
class SystemProgramStarter : public ProgramStarter {
public:
    Result start(const CommandLine& commandLine) override;
};
