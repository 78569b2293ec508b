#include "browser/ReplyParser.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char SectionSign = char(167);

// What the words in a line's columns say. Of several type words (or version texts) in one
// line, the one tested last in the order battle, ctf, treasure (or 1.24, 1.21, 1.24 x, 1.21 x)
// decides, so each is ranked by that order and the highest found wins. The ranks are those of
// ServerRow's Type and Version.
struct ColumnWords {
    int type = 0;
    int version = 0;
    bool isPrivate = false;
    qsizetype open = -1; // the first "["
};

// Whether the word stands at position at of text; the word's length is known when compiling,
// so the comparison needs no call.
template <size_t N>
bool wordAt(const char* text, qsizetype size, qsizetype at, const char (&word)[N])
{
    constexpr qsizetype length = qsizetype(N - 1);
    return size - at >= length && std::memcmp(text + at, word, size_t(length)) == 0;
}

// One pass over the columns instead of a search per word: the columns are short, but there
// are many lines.
ColumnWords scanColumns(QByteArrayView columns)
{
    const char* const text = columns.data();
    const qsizetype size = columns.size();
    ColumnWords words;
    for (qsizetype at = 0; at < columns.size(); ++at) {
        switch (text[at]) {
        case '[':
            if (words.open < 0)
                words.open = at;
            break;
        case 'b':
            if (wordAt(text, size, at, "battle"))
                words.type = std::max(words.type, 1);
            break;
        case 'c':
            if (wordAt(text, size, at, "ctf"))
                words.type = std::max(words.type, 2);
            break;
        case 't':
            if (wordAt(text, size, at, "treasure"))
                words.type = std::max(words.type, 3);
            break;
        case 'p':
            if (wordAt(text, size, at, "private"))
                words.isPrivate = true;
            break;
        case '1':
            if (wordAt(text, size, at, "1.24   "))
                words.version = std::max(words.version, 1);
            else if (wordAt(text, size, at, "1.21   "))
                words.version = std::max(words.version, 2);
            else if (wordAt(text, size, at, "1.24 x "))
                words.version = std::max(words.version, 3);
            else if (wordAt(text, size, at, "1.21 x "))
                words.version = std::max(words.version, 4);
            break;
        }
    }
    return words;
}

// Removes the colour codes from the name at the end of text: every "|", then every "§1",
// "§2" ... "§9" and last "§0", each in a pass of its own from left to right, so that what one
// removal brings together is removed only by a later pass.
void removeColourCodes(QByteArray& text, qsizetype nameStart)
{
    char* const name = text.data() + nameStart;
    qsizetype size = std::remove(name, name + (text.size() - nameStart), '|') - name;
    for (char digit : {'1', '2', '3', '4', '5', '6', '7', '8', '9', '0'}) {
        // Most names hold few codes: find the first one of this pass before moving anything.
        qsizetype first = -1;
        for (const char* sign =
                 static_cast<const char*>(std::memchr(name, SectionSign, size_t(size)));
             sign; sign = static_cast<const char*>(
                       std::memchr(sign + 1, SectionSign, size_t(name + size - sign - 1)))) {
            if (sign + 1 < name + size && sign[1] == digit) {
                first = sign - name;
                break;
            }
        }
        if (first < 0)
            continue;
        qsizetype out = first;
        for (qsizetype in = first; in < size; ++in) {
            if (name[in] == SectionSign && in + 1 < size && name[in + 1] == digit) {
                ++in;
                continue;
            }
            name[out++] = name[in];
        }
        size = out;
    }
    text.truncate(nameStart + size);
}

} // namespace

std::optional<ServerRow> parseServerLine(QByteArrayView line)
{
    const qsizetype close = line.indexOf(']');
    // The "]", its separator and at least one character more, which the CR normally is.
    if (close < 0 || line.size() - close - 1 < 2)
        return std::nullopt;
    const QByteArrayView columns = line.first(close);
    const ColumnWords words = scanColumns(columns);
    if (words.open < 0 && line.sliced(close + 1).contains('['))
        return std::nullopt; // a "[" only after the "]" opens no players column

    QByteArrayView address;
    if (!words.isPrivate) {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            return std::nullopt;
        address = line.first(colon);
    }
    const QByteArrayView players = columns.sliced(words.open + 1);
    QByteArrayView name = line.sliced(close + 2);
    if (name.endsWith('\r'))
        name.chop(1);

    // One allocation for the row's texts.
    QByteArray text(players.size() + address.size() + name.size(), Qt::Uninitialized);
    char* out = text.data();
    for (QByteArrayView piece : {players, address, name}) {
        if (!piece.isEmpty())
            std::memcpy(out, piece.data(), size_t(piece.size()));
        out += piece.size();
    }
    const qsizetype nameStart = players.size() + address.size();
    if (name.contains('|') || name.contains(SectionSign))
        removeColourCodes(text, nameStart);
    return ServerRow(std::move(text), players.size(), nameStart, ServerRow::Type(words.type),
                     ServerRow::Version(words.version), words.isPrivate);
}

void ReplyParser::feed(QByteArrayView bytes, std::vector<ServerRow>& rows)
{
    const char* const data = bytes.data();
    const qsizetype size = bytes.size();
    qsizetype start = 0;
    while (start < size) {
        const void* found = std::memchr(data + start, '\n', size_t(size - start));
        if (!found) {
            // The rest waits for its LF in a later arrival.
            const qsizetype rest = size - start;
            if (m_skippingLongLine)
                return;
            if (m_pending.size() + rest > MaxLineLength) {
                m_pending.clear();
                m_skippingLongLine = true;
                return;
            }
            m_pending.append(data + start, rest);
            return;
        }
        const qsizetype end = static_cast<const char*>(found) - data;
        const QByteArrayView piece(data + start, end - start);
        if (m_skippingLongLine) {
            m_skippingLongLine = false;
        } else if (m_pending.isEmpty()) {
            lineComplete(piece, rows);
        } else {
            if (m_pending.size() + piece.size() <= MaxLineLength) {
                m_pending.append(piece);
                lineComplete(m_pending, rows);
            }
            m_pending.clear();
        }
        start = end + 1;
    }
}

std::vector<ServerRow> ReplyParser::feed(QByteArrayView bytes)
{
    std::vector<ServerRow> rows;
    feed(bytes, rows);
    return rows;
}

void ReplyParser::reset()
{
    m_pending.clear();
    m_skippingLongLine = false;
}

void ReplyParser::lineComplete(QByteArrayView line, std::vector<ServerRow>& rows)
{
    if (line.size() > MaxLineLength)
        return;
    if (std::optional<ServerRow> row = parseServerLine(line))
        rows.push_back(std::move(*row));
}
