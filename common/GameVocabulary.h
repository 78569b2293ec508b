#pragma once

#include <QString>

// The game's own words, as the pages show them, the launcher's settings store them and the
// player profiles encode them: typed here once.

// The two editions of the game; each keeps its player profile under its own registry key.
enum class Edition { V123, Rkv };

// The caption of an edition's profile buttons on the Setup page: "1.23" or "Rkv".
QString editionCaption(Edition edition);

// The character choice of the Setup page. Nyla exists only in 1.24.
enum class Character { None, Brix, Vosk, Nyla };

// The option button's caption: "Brix", "Vosk", "Nyla" (empty for None).
QString characterCaption(Character character);
// The text the launcher's settings store: "brix", "vosk", "nyla" (empty for None).
QString characterCode(Character character);
// Back from characterCode; a text that is not exactly one of the three codes chooses nothing.
Character characterFromCode(const QString& code);

// The game's files as the file lists show them: ";"-separated wildcard patterns.
namespace filekinds {
inline const QString Levels = QStringLiteral("*.b2l");
inline const QString Tilesets = QStringLiteral("*.b2t");
inline const QString Music = QStringLiteral("*.b2b;*.mod;*.xm;*.it;*.mtm;*.s3m;*.669");
} // namespace filekinds

// What the Setup page's boxes hold at start, which is also what Load gives a missing key.
namespace setuptexts {
inline const QString GameDirectory = QStringLiteral("Brix Quorrel 2 Directory");
inline const QString Alias = QStringLiteral("Enter Alias...");
inline const QString FurColors = QStringLiteral("Enter Fur Colors (in hex)...");
// Load's choice when no character is stored; the page itself starts with none chosen.
inline constexpr Character LoadedCharacter = Character::Brix;
} // namespace setuptexts
