#pragma once

#include "common/GameVocabulary.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace profile {

// The edition's profile key below HKEY_USERS.
QString subKey(Edition edition);

// The text handed to the value writer for the character: "&H" and eight hexadecimal digits.
// Nothing when no character is chosen or the edition has no such character (Nyla in 1.23).
std::optional<QString> characterValueText(Edition edition, Character character);

// The fur-colour box cut into four pairs of characters and put back in reverse order behind
// "&H", so that eight typed hexadecimal digits are stored as the four bytes in typed order.
QString furColorValueText(const QString& furColors);

} // namespace profile

namespace encoding {

// Reads the number of a text such as "&H0000003D": hexadecimal digits after "&H", either case,
// up to the first character that is not one, blanks skipped. No digits read as 0. The digits
// are taken as a plain 32-bit number (eight digits fill it; more keep the low 32 bits). A text
// without "&H" reads as 0.
quint32 readHexNumber(const QString& text);

// The four bytes of a number, least significant first.
QByteArray littleEndian32(quint32 value);

// The system's 8-bit texts: the ANSI code page on Windows. Under Wine, UTF-8: the prefix keeps
// its texts in Unicode and hands each program its own locale's code page when it reads them,
// so the game sees a name in the code page it runs under, whichever that is.
QByteArray toAnsi(const QString& text);
// Back from toAnsi; only Wine's registry, which stores Unicode, needs it.
QString fromAnsi(const QByteArray& bytes);

} // namespace encoding
