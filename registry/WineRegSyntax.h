#pragma once

#include <QByteArray>
#include <QString>

// The text forms of a Wine registry file: escaped names and strings, and value data as the Wine
// server writes it.
namespace wineregsyntax {

bool isBlank(char c);
bool isHexDigit(char c);
int hexDigitValue(char c);
qsizetype skipBlanks(const QByteArray& s, qsizetype pos, qsizetype end);

// Reads an escaped name or string up to endChar the way the Wine server reads them: C escapes,
// "\x" with up to four hexadecimal digits, octal with up to three digits, any other escaped
// character as itself, and every other byte as the character of that number. Returns the
// position of endChar, or -1 when the line ends first.
qsizetype unescape(const QByteArray& s, qsizetype pos, qsizetype end, char endChar, QString* out);

// Reads comma-separated hexadecimal bytes, as the Wine server does; -1 on a number above 0xFF.
qsizetype skipHexBytes(const QByteArray& s, qsizetype pos, qsizetype end);

// A name or string in the file's escaped form; quote1 and quote2 are escaped as well.
QByteArray escape(const QString& text, char quote1, char quote2);

// The data text Wine writes for a value of the given registry type (strings in UTF-16 with
// their terminating zero) that starts at the given column of its line.
QByteArray formatData(quint32 type, const QByteArray& data, qsizetype column,
                      const QByteArray& newline);

} // namespace wineregsyntax
