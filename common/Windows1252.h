#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The Western 8-bit code page the list servers' replies arrive in. Every byte becomes exactly one
// 16-bit character, so positions in the bytes and in the text agree. Bytes 0x80-0x9F are not
// Latin-1 there (0x80 is the euro sign); the five bytes the code page leaves undefined keep their
// own code point, as Windows itself converts them.
namespace windows1252 {

char16_t toUnicode(unsigned char byte);
QString decode(QByteArrayView bytes);

} // namespace windows1252
