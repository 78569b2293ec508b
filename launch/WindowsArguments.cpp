#include "launch/WindowsArguments.h"

namespace {

bool isSeparator(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

} // namespace

QStringList splitWindowsArguments(const QString& text)
{
    QStringList arguments;
    const qsizetype length = text.size();
    qsizetype i = 0;
    while (true) {
        while (i < length && isSeparator(text[i]))
            ++i;
        if (i >= length)
            break;

        QString argument;
        bool quoted = false;
        while (i < length && (quoted || !isSeparator(text[i]))) {
            const QChar c = text[i];
            if (c == QLatin1Char('\\')) {
                qsizetype backslashes = 0;
                while (i < length && text[i] == QLatin1Char('\\')) {
                    ++backslashes;
                    ++i;
                }
                if (i < length && text[i] == QLatin1Char('"')) {
                    argument.append(QString(backslashes / 2, QLatin1Char('\\')));
                    if (backslashes % 2 == 1) {
                        argument.append(QLatin1Char('"'));
                        ++i;
                    }
                    // With an even count the quote is read on the next turn of the loop.
                } else {
                    argument.append(QString(backslashes, QLatin1Char('\\')));
                }
            } else if (c == QLatin1Char('"')) {
                if (quoted && i + 1 < length && text[i + 1] == QLatin1Char('"')) {
                    argument.append(QLatin1Char('"'));
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                argument.append(c);
                ++i;
            }
        }
        arguments.append(argument);
    }
    return arguments;
}

QString quoteWindowsArgument(const QString& argument)
{
    const bool needsQuotes = argument.isEmpty() || argument.contains(QLatin1Char(' ')) ||
                             argument.contains(QLatin1Char('\t')) ||
                             argument.contains(QLatin1Char('"'));
    if (!needsQuotes)
        return argument;

    QString quoted = QStringLiteral("\"");
    qsizetype backslashes = 0;
    for (const QChar c : argument) {
        if (c == QLatin1Char('\\')) {
            ++backslashes;
            continue;
        }
        if (c == QLatin1Char('"')) {
            // Backslashes before a quote are doubled, and the quote itself escaped.
            quoted.append(QString(backslashes * 2 + 1, QLatin1Char('\\')));
            quoted.append(QLatin1Char('"'));
        } else {
            quoted.append(QString(backslashes, QLatin1Char('\\')));
            quoted.append(c);
        }
        backslashes = 0;
    }
    // Backslashes before the closing quote are doubled so that the quote still closes.
    quoted.append(QString(backslashes * 2, QLatin1Char('\\')));
    quoted.append(QLatin1Char('"'));
    return quoted;
}
