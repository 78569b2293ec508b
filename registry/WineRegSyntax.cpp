#include "registry/WineRegSyntax.h"

#include <utility>

namespace wineregsyntax {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c - 'A' + 10;
}

qsizetype skipBlanks(const QByteArray& s, qsizetype pos, qsizetype end)
{
    while (pos < end && isBlank(s[pos]))
        ++pos;
    return pos;
}

// The one-letter escapes of control characters, as the C language has them.
char16_t controlEscape(char letter)
{
    static constexpr std::pair<char, char16_t> table[] = {
        {'a', 7}, {'b', 8}, {'e', 27}, {'f', 12}, {'n', 10}, {'r', 13}, {'t', 9}, {'v', 11}};
    for (const auto& [escape, character] : table)
        if (escape == letter)
            return character;
    return 0;
}

// Reads up to `digits` digits of the given base from pos on, as long as they are digits.
unsigned readNumber(const QByteArray& s, qsizetype& pos, qsizetype end, int digits, bool hex)
{
    unsigned value = 0;
    for (int n = 0; n < digits && pos < end; ++n, ++pos) {
        const char c = s[pos];
        if (hex ? !isHexDigit(c) : (c < '0' || c > '7'))
            break;
        value = hex ? value * 16 + unsigned(hexDigitValue(c)) : value * 8 + unsigned(c - '0');
    }
    return value;
}

qsizetype unescape(const QByteArray& s, qsizetype pos, qsizetype end, char endChar, QString* out)
{
    while (pos < end && s[pos] != endChar) {
        const char c = s[pos++];
        if (c != '\\') {
            out->append(QChar(char16_t(static_cast<unsigned char>(c))));
            continue;
        }
        if (pos >= end)
            return -1;
        const char e = s[pos];
        if (const char16_t control = controlEscape(e)) {
            out->append(QChar(control));
            ++pos;
        } else if (e == 'x') {
            // "\x" without a hex digit after it stands for the letter x.
            ++pos;
            const bool digits = pos < end && isHexDigit(s[pos]);
            out->append(digits ? QChar(char16_t(readNumber(s, pos, end, 4, true)))
                               : QLatin1Char('x'));
        } else if (e >= '0' && e <= '7') {
            out->append(QChar(char16_t(readNumber(s, pos, end, 3, false))));
        } else {
            out->append(QChar(char16_t(static_cast<unsigned char>(e))));
            ++pos;
        }
    }
    return pos < end ? pos : -1;
}

qsizetype skipHexBytes(const QByteArray& s, qsizetype pos, qsizetype end)
{
    while (pos < end && isHexDigit(s[pos])) {
        unsigned value = 0;
        while (pos < end && isHexDigit(s[pos])) {
            value = value * 16 + unsigned(hexDigitValue(s[pos]));
            if (value > 0xFF)
                return -1;
            ++pos;
        }
        pos = skipBlanks(s, pos, end);
        if (pos < end && s[pos] == ',')
            ++pos;
        pos = skipBlanks(s, pos, end);
    }
    return pos;
}

QByteArray formatData(quint32 type, const QByteArray& data, qsizetype column,
                      const QByteArray& newline)
{
    const bool stringType = type == 1 || type == 2 || type == 7;
    // Only strings that end in their terminating zero are written as text.
    if (stringType && data.size() >= 2 && data.size() % 2 == 0 && data.at(data.size() - 1) == 0 &&
        data.at(data.size() - 2) == 0) {
        QString text(data.size() / 2 - 1, Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = QChar(char16_t(static_cast<unsigned char>(data[2 * i]) |
                                     static_cast<unsigned char>(data[2 * i + 1]) << 8));
        QByteArray out = type == 1 ? QByteArray() : "str(" + QByteArray::number(type, 16) + "):";
        return out + '"' + escape(text, '"', '"') + '"';
    }
    if (type == 4 && data.size() == 4) {
        quint32 number = 0;
        for (int i = 3; i >= 0; --i)
            number = number << 8 | static_cast<unsigned char>(data[i]);
        return "dword:" + QByteArray::number(number, 16).rightJustified(8, '0');
    }
    QByteArray out =
        type == 3 ? QByteArrayLiteral("hex:") : "hex(" + QByteArray::number(type, 16) + "):";
    qsizetype count = column + out.size();
    for (qsizetype i = 0; i < data.size(); ++i) {
        out += QByteArray::number(static_cast<unsigned char>(data[i]), 16).rightJustified(2, '0');
        count += 2;
        if (i < data.size() - 1) {
            out += ',';
            if (++count > 76) {
                out += '\\' + newline + "  ";
                count = 2;
            }
        }
    }
    return out;
}

QByteArray escape(const QString& text, char quote1, char quote2)
{
    static const char cEscapes[] = ".......abtnvfr.............e....";
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c > 127) {
            out += "\\x" + QByteArray::number(c, 16).rightJustified(4, '0');
        } else if (c < 32) {
            if (cEscapes[c] != '.') {
                out += '\\';
                out += cEscapes[c];
            } else {
                const bool octalFollows = i + 1 < text.size() &&
                                          text.at(i + 1) >= QLatin1Char('0') &&
                                          text.at(i + 1) <= QLatin1Char('7');
                out += '\\' + QByteArray::number(c, 8).rightJustified(octalFollows ? 3 : 1, '0');
            }
        } else {
            const char a = char(c);
            if (a == '\\' || a == quote1 || a == quote2)
                out += '\\';
            out += a;
        }
    }
    return out;
}

} // namespace wineregsyntax
