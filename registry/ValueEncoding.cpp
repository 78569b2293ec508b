#include "registry/ValueEncoding.h"

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

} // namespace encoding
