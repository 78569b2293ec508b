#pragma once

#include <QString>
#include <QStringList>

// The game and its editor are Windows programs, which take their arguments as one text and split
// it with the C runtime's rules. These helpers apply the same rules wherever the launcher runs,
// so that a command line means the same arguments on every platform.

// Splits an argument text the way the Windows C runtime does: arguments are separated by blanks
// and tabs; a double-quoted run stays within one argument; backslashes are literal unless they
// precede a double quote, where 2n of them give n and let the quote act, and 2n+1 give n and a
// literal quote; inside a quoted run, two double quotes in a row give one literal quote.
QStringList splitWindowsArguments(const QString& text);

// The text that splitWindowsArguments reads back as the one argument given. A text without
// blanks, tabs and double quotes is returned unchanged.
QString quoteWindowsArgument(const QString& argument);
