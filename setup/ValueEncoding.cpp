#include "setup/ValueEncoding.h"

#ifdef _WIN32
#include <QStringEncoder>
#endif

#include <array>

namespace profile {

QString subKey(Edition edition)
{
    return edition == Edition::V123
               ? QStringLiteral(".DEFAULT\\Software\\Ventaloft\\Brix Quorrel 2\\1.23\\Player0")
               : QStringLiteral(".DEFAULT\\Software\\Ventaloft\\Brix Quorrel 2 Special "
                                "Edition\\1.24\\Player0");
}

std::optional<QString> characterValueText(Edition edition, Character character)
{
    int code = 0;
    switch (character) {
    case Character::None:
        return std::nullopt;
    case Character::Brix:
        code = edition == Edition::V123 ? 0x36 : 0x37;
        break;
    case Character::Vosk:
        code = edition == Edition::V123 ? 0x55 : 0x59;
        break;
    case Character::Nyla:
        if (edition == Edition::V123)
            return std::nullopt;
        code = 0x3D;
        break;
    }
    return QStringLiteral("&H") + QStringLiteral("%1").arg(code, 8, 16, QLatin1Char('0')).toUpper();
}

QString furColorValueText(const QString& furColors)
{
    // mid() past the end gives the empty text, so a short box gives short or empty pairs.
    return QStringLiteral("&H") + furColors.mid(6, 2) + furColors.mid(4, 2) + furColors.mid(2, 2) +
           furColors.mid(0, 2);
}

} // namespace profile

namespace encoding {

quint32 readHexNumber(const QString& text)
{
    if (!text.startsWith(QLatin1String("&H"), Qt::CaseInsensitive))
        return 0;
    quint32 value = 0;
    for (qsizetype i = 2; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char(' '))
            continue;
        int digit = -1;
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digit = c.unicode() - '0';
        else if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
            digit = c.unicode() - 'A' + 10;
        else if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
            digit = c.unicode() - 'a' + 10;
        if (digit < 0)
            break;
        value = (value << 4) | quint32(digit);
    }
    return value;
}

QByteArray littleEndian32(quint32 value)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char((value >> (8 * i)) & 0xFF);
    return bytes;
}

namespace {
// Unicode of the bytes 0x80 to 0x9F; the undefined ones keep their own number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
} // namespace

QByteArray toWindows1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            bytes.append(char(c));
            continue;
        }
        char byte = '?';
        for (size_t j = 0; j < kHighControls.size(); ++j) {
            if (kHighControls[j] == c) {
                byte = char(0x80 + j);
                break;
            }
        }
        // A character outside the basic plane is one character, so one '?'.
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        bytes.append(byte);
    }
    return bytes;
}

QString fromWindows1252(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        text.append(byte >= 0x80 && byte < 0xA0 ? QChar(kHighControls[byte - 0x80])
                                                : QChar(char16_t(byte)));
    }
    return text;
}

QByteArray toAnsi(const QString& text)
{
#ifdef _WIN32
    QStringEncoder encoder(QStringConverter::System);
    return encoder.encode(text);
#else
    return toWindows1252(text);
#endif
}

} // namespace encoding
