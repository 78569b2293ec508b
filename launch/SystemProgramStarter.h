#pragma once

#include "launch/ProgramStarter.h"

#include <QString>

#include <functional>

// Starts programs on this machine, detached and without a shell: the launcher never waits for
// them, and every start is one more process.
//
// On Windows the program receives the command line as built, as its own text; only a program
// path with a blank is quoted, so that it stays one word. Elsewhere the argument text is split
// the way the Windows C runtime splits it, and a Windows program (a name ending in ".exe") is run
// through Wine, found on the PATH. Each system has its own file.
class SystemProgramStarter : public ProgramStarter {
public:
    SystemProgramStarter() = default;
    // winePrefix: the prefix a Windows program starts in (its WINEPREFIX), asked at each start.
    explicit SystemProgramStarter(std::function<QString()> winePrefix)
        : m_winePrefix(std::move(winePrefix))
    {
    }

    Result start(const CommandLine& commandLine) override;

private:
    std::function<QString()> m_winePrefix;
};

// Where a program name leads (Unix only) on a system whose files may differ from the typed name in
// case only: the file itself, or a file of the same directory whose name matches ignoring case. A
// bare name (no directory) is looked for in the working directory and then on the PATH.
// windowsProgram: the file is handed to Wine, so it need only exist, not be executable.
struct LocatedProgram {
    QString path;  // empty when not found
    QString error; // why it was not found
};
LocatedProgram locateProgram(const QString& program, bool windowsProgram);
