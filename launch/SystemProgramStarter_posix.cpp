#include "launch/SystemProgramStarter.h"

#include "launch/WindowsArguments.h"
#include "wine/WineProcess.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {

bool isWindowsProgram(const QString& program)
{
    return program.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive);
}

bool usable(const QFileInfo& file, bool windowsProgram)
{
    return file.isFile() && (windowsProgram || file.isExecutable());
}

// The file in directory whose name is fileName, or failing that one whose name differs only in
// case.
QString findInDirectory(const QDir& directory, const QString& fileName, bool windowsProgram)
{
    const QFileInfo exact(directory, fileName);
    if (usable(exact, windowsProgram))
        return exact.absoluteFilePath();
    if (!directory.exists())
        return QString();
    const QStringList entries = directory.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0) {
            const QFileInfo candidate(directory, entry);
            if (usable(candidate, windowsProgram))
                return candidate.absoluteFilePath();
        }
    }
    return QString();
}

} // namespace

LocatedProgram locateProgram(const QString& program, bool windowsProgram)
{
    if (program.isEmpty())
        return {QString(), QStringLiteral("No program was named.")};

    const qsizetype slash = program.lastIndexOf(QLatin1Char('/'));
    if (slash >= 0) {
        const QString directory = slash == 0 ? QStringLiteral("/") : program.left(slash);
        const QString fileName = program.mid(slash + 1);
        const QFileInfo given(program);
        if (given.isDir())
            return {QString(), QStringLiteral("It is a directory, not a program.")};
        if (given.isFile() && !usable(given, windowsProgram))
            return {QString(), QStringLiteral("The file is not executable.")};
        const QString found = fileName.isEmpty()
                                  ? QString()
                                  : findInDirectory(QDir(directory), fileName, windowsProgram);
        if (found.isEmpty())
            return {QString(), QStringLiteral("There is no such file.")};
        return {found, QString()};
    }

    // A bare name: the working directory first, then the PATH.
    QString found = findInDirectory(QDir::current(), program, windowsProgram);
    if (!found.isEmpty())
        return {found, QString()};
    const QStringList path =
        qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    for (const QString& entry : path) {
        found = findInDirectory(QDir(entry), program, windowsProgram);
        if (!found.isEmpty())
            return {found, QString()};
    }
    return {QString(),
            QStringLiteral("No file of that name is in the working directory or on the PATH.")};
}

ProgramStarter::Result SystemProgramStarter::start(const CommandLine& commandLine)
{
    QProcess process;
    const bool windowsProgram = isWindowsProgram(commandLine.program);
    const LocatedProgram located = locateProgram(commandLine.program, windowsProgram);
    if (located.path.isEmpty())
        return {false, located.error};

    const QStringList arguments = splitWindowsArguments(commandLine.arguments);
    if (windowsProgram) {
        if (!prepareWineProcess(process, located.path, arguments,
                                m_winePrefix ? m_winePrefix() : QString()))
            return {false, QStringLiteral("%1 is a Windows program, and Wine is needed to run it, "
                                          "but no \"wine\" was found on the PATH.")
                               .arg(QFileInfo(located.path).fileName())};
    } else {
        process.setProgram(located.path);
        process.setArguments(arguments);
    }
    // No working directory is set: the program inherits the launcher's own.
    if (!process.startDetached())
        return {false, process.errorString()};
    return {true, QString()};
}
