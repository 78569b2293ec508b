#pragma once

#include "launch/CommandLine.h"

#include <QString>

// Starts a program detached: the launcher never waits for it and learns nothing of how it ends.
class ProgramStarter {
public:
    struct Result {
        bool started = false;
        QString error; // why the start failed, for the user; empty when started
    };

    virtual ~ProgramStarter() = default;
    virtual Result start(const CommandLine& commandLine) = 0;
};
