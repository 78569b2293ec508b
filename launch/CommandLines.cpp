#include "launch/CommandLines.h"

#include "launch/WindowsArguments.h"

namespace commandlines {

CommandLine join(const QString& gameDir, const QString& address)
{
    return {gameDir + GameExecutable, QStringLiteral("-connect ") + address};
}

CommandLine host(const QString& gameDir, const QString& pointsCount, const QString& maxPlayers,
                 const QString& gameType, const QString& level)
{
    return {gameDir + GameExecutable, QStringLiteral("-server -counts ") + pointsCount +
                                          QStringLiteral(" -maxplayers ") + maxPlayers +
                                          QStringLiteral(" -") + gameType + QLatin1Char(' ') +
                                          levelOperand(level)};
}

CommandLine openLevelInGame(const QString& gameDir, const QString& level)
{
    return {gameDir + GameExecutable, levelOperand(level)};
}

CommandLine openLevelInEditor(const QString& gameDir, const QString& level)
{
    return {gameDir + EditorExecutable, levelOperand(level)};
}

CommandLine newWindow(const QString& gameDir)
{
    return {gameDir + GameExecutable, QStringLiteral("-server battle1.b2l")};
}

QString levelOperand(const QString& level)
{
    return level.isEmpty() ? level : quoteWindowsArgument(level);
}

QString startFailureMessage(const CommandLine& commandLine, const QString& reason)
{
    // A reason that names the program already says which; the message names it once.
    if (!commandLine.program.isEmpty() && reason.contains(commandLine.program))
        return QStringLiteral("The program could not be started.\n\n%1").arg(reason);
    return QStringLiteral("Could not start %1.\n\n%2").arg(commandLine.program, reason);
}

} // namespace commandlines
