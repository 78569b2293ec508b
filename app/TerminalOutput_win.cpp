#include "app/TerminalOutput.h"

#include "common/ProgramName.h"

#include <QString>

#include <windows.h>

#include <cstdio>

namespace {

// A window program has no console of its own. Its output still reaches a pipe or file it was
// given; typed in a console, it borrows that console, so that --help shows there.
bool hasStandardHandle(DWORD which)
{
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

// A handle the program was started with is behind the C runtime's stream. One that attaching
// to a console has brought since is not: the runtime set up its streams without it, so the
// text goes to the console directly.
void write(FILE* stream, bool givenAtStart, const QString& text)
{
    if (text.isEmpty())
        return;
    if (givenAtStart) {
        std::fputs(text.toLocal8Bit().constData(), stream);
        std::fflush(stream);
        return;
    }
    const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    const QString lines = QString(text).replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    WriteConsoleW(console, reinterpret_cast<const wchar_t*>(lines.utf16()), DWORD(lines.size()),
                  &written, nullptr);
    CloseHandle(console);
}

} // namespace

void writeToTerminal(const QString& output, const QString& error, const QString& usage)
{
    const bool outputGiven = hasStandardHandle(STD_OUTPUT_HANDLE);
    const bool errorGiven = hasStandardHandle(STD_ERROR_HANDLE);
    const bool attached =
        (!outputGiven || !errorGiven) && AttachConsole(ATTACH_PARENT_PROCESS) != FALSE;
    if (!outputGiven && !errorGiven && !attached) {
        // Started from Explorer, a shortcut or a dropped file: nobody would read a console, so
        // the answer is a message box, the mistake with the options under it.
        const QString text = error.isEmpty() ? output.trimmed()
                             : usage.isEmpty()
                                 ? error.trimmed()
                                 : error.trimmed() + QStringLiteral("\n\n") + usage.trimmed();
        MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(text.utf16()),
                    reinterpret_cast<const wchar_t*>(ProgramName.utf16()),
                    MB_OK | MB_SETFOREGROUND |
                        (error.isEmpty() ? MB_ICONINFORMATION : MB_ICONERROR));
        return;
    }
    write(stdout, outputGiven, output);
    write(stderr, errorGiven, error);
}
