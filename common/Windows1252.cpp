#include "common/Windows1252.h"

#include <array>

namespace windows1252 {

namespace {

// 0x80-0x9F; the rest of the code page agrees with Latin-1.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

constexpr std::array<char16_t, 256> makeTable()
{
    std::array<char16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i)
        table[i] = char16_t(i);
    for (unsigned i = 0; i < HighControls.size(); ++i)
        table[0x80 + i] = HighControls[i];
    return table;
}

constexpr std::array<char16_t, 256> Table = makeTable();

} // namespace

char16_t toUnicode(unsigned char byte)
{
    return Table[byte];
}

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = Table[in[i]];
    return text;
}

} // namespace windows1252
