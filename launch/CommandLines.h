#pragma once

#include "launch/CommandLine.h"

#include <QString>

// Every command line the launcher starts the game or its level editor with. Each is the game
// directory glued to the executable's name, then the arguments; the text form is exactly the
// pieces joined with nothing added. Typed values and the server address go in as they are; a
// level file name is the one operand that gets quoted, and only when it holds a blank (or a
// double quote), so that the game receives it as one argument.
namespace commandlines {

inline const QString GameExecutable = QStringLiteral("brix2.exe");
inline const QString EditorExecutable = QStringLiteral("qle.exe");

// Joins a listed server: GameDir "brix2.exe -connect " address.
CommandLine join(const QString& gameDir, const QString& address);

// Hosts an unlisted server:
// GameDir "brix2.exe -server -counts " points " -maxplayers " players " -" type " " level.
CommandLine host(const QString& gameDir, const QString& pointsCount, const QString& maxPlayers,
                 const QString& gameType, const QString& level);

// Opens a level in the game: GameDir "brix2.exe " level.
CommandLine openLevelInGame(const QString& gameDir, const QString& level);

// Opens a level in the editor: GameDir "qle.exe " level.
CommandLine openLevelInEditor(const QString& gameDir, const QString& level);

// Another game window: GameDir "brix2.exe -server battle1.b2l".
CommandLine newWindow(const QString& gameDir);

// A level file name as it goes on a command line: unchanged unless it holds a blank, a tab or a
// double quote, then quoted so that it stays one argument. An empty name stays empty.
QString levelOperand(const QString& level);

// The message shown when a command line could not be started.
QString startFailureMessage(const CommandLine& commandLine, const QString& reason);

} // namespace commandlines
