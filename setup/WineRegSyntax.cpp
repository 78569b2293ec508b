#include "setup/WineRegSyntax.h"

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

qsizetype unescape(const QByteArray& s, qsizetype pos, qsizetype end, char endChar, QString* out)
{
    while (pos < end && s[pos] != endChar) {
        const char c = s[pos];
        if (c != '\\') {
            out->append(QChar(char16_t(static_cast<unsigned char>(c))));
            ++pos;
            continue;
        }
        if (++pos >= end)
            return -1;
        const char e = s[pos];
        switch (e) {
        case 'a':
            out->append(QChar(char16_t(7)));
            ++pos;
            break;
        case 'b':
            out->append(QChar(char16_t(8)));
            ++pos;
            break;
        case 'e':
            out->append(QChar(char16_t(27)));
            ++pos;
            break;
        case 'f':
            out->append(QChar(char16_t(12)));
            ++pos;
            break;
        case 'n':
            out->append(QChar(char16_t(10)));
            ++pos;
            break;
        case 'r':
            out->append(QChar(char16_t(13)));
            ++pos;
            break;
        case 't':
            out->append(QChar(char16_t(9)));
            ++pos;
            break;
        case 'v':
            out->append(QChar(char16_t(11)));
            ++pos;
            break;
        case 'x': {
            ++pos;
            if (pos >= end || !isHexDigit(s[pos])) {
                out->append(QLatin1Char('x'));
                break;
            }
            unsigned value = 0;
            for (int n = 0; n < 4 && pos < end && isHexDigit(s[pos]); ++n, ++pos)
                value = value * 16 + unsigned(hexDigitValue(s[pos]));
            out->append(QChar(char16_t(value)));
            break;
        }
        default:
            if (e >= '0' && e <= '7') {
                unsigned value = 0;
                for (int n = 0; n < 3 && pos < end && s[pos] >= '0' && s[pos] <= '7'; ++n, ++pos)
                    value = value * 8 + unsigned(s[pos] - '0');
                out->append(QChar(char16_t(value)));
            } else {
                out->append(QChar(char16_t(static_cast<unsigned char>(e))));
                ++pos;
            }
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
