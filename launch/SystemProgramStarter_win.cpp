#include "launch/SystemProgramStarter.h"

#include "launch/WindowsArguments.h"

#include <QDir>

#include <windows.h>

#include <string>

namespace {

// The system's text for an error. Some texts leave the file to the caller ("%1 is not a valid
// Win32 application."): the program's path goes there.
QString systemMessage(DWORD error, const QString& program)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    QString message = length > 0 ? QString::fromWCharArray(text, int(length)).trimmed()
                                 : QStringLiteral("Windows error %1.").arg(error);
    LocalFree(text);
    message.replace(QStringLiteral("%1"), program);
    return message;
}

} // namespace

ProgramStarter::Result SystemProgramStarter::start(const CommandLine& commandLine)
{
    if (commandLine.program.isEmpty())
        return {false, QStringLiteral("No program was named.")};
    // The system finds the program from the command line's first word, the way the classic
    // Shell call did; a path with a blank (C:\Program Files\...) is quoted so that it stays one
    // word for the system and for the program's own argument parsing.
    const QString program = quoteWindowsArgument(QDir::toNativeSeparators(commandLine.program));
    std::wstring line = (program + QLatin1Char(' ') + commandLine.arguments).toStdWString();

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL; // a normal window, given the focus
    PROCESS_INFORMATION process{};
    // No working directory is given: the program inherits the launcher's own.
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return {false, systemMessage(GetLastError(), commandLine.program)};
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return {true, QString()};
}
