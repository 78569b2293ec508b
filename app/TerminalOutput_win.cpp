#include "app/TerminalOutput.h"

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

void write(FILE* stream, DWORD which, const QString& text)
{
    if (text.isEmpty())
        return;
    if (hasStandardHandle(which)) {
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

void writeToTerminal(const QString& output, const QString& error)
{
    if (!hasStandardHandle(STD_OUTPUT_HANDLE) || !hasStandardHandle(STD_ERROR_HANDLE))
        AttachConsole(ATTACH_PARENT_PROCESS);
    write(stdout, STD_OUTPUT_HANDLE, output);
    write(stderr, STD_ERROR_HANDLE, error);
}
