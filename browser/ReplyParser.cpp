#include "browser/ReplyParser.h"

#include "browser/Windows1252.h"

#include <cstring>

namespace {

constexpr char SectionSign = char(167);

// The labels are few and fixed: every row shares one copy of each.
struct Labels {
    QString none;
    QString battle = QStringLiteral("Battle");
    QString ctf = QStringLiteral("Ctf");
    QString treasure = QStringLiteral("Treasure");
    QString rkv = QStringLiteral("RKV");
    QString v121 = QStringLiteral("1.21");
    QString v124x = QStringLiteral("1.24 x");
    QString v121x = QStringLiteral("1.21 x");
    QString privateAddress = QStringLiteral("Private");
};

const Labels& labels()
{
    static const Labels shared;
    return shared;
}

// Of several words that a line may hold, the one tested last wins; so look from the end.
const QString& versionLabel(QByteArrayView columns)
{
    if (columns.contains("1.21 x "))
        return labels().v121x;
    if (columns.contains("1.24 x "))
        return labels().v124x;
    if (columns.contains("1.21   "))
        return labels().v121;
    if (columns.contains("1.24   "))
        return labels().rkv;
    return labels().none;
}

const QString& typeLabel(QByteArrayView columns)
{
    if (columns.contains("treasure"))
        return labels().treasure;
    if (columns.contains("ctf"))
        return labels().ctf;
    if (columns.contains("battle"))
        return labels().battle;
    return labels().none;
}

// One left-to-right pass that drops every non-overlapping occurrence of the two bytes.
void removePair(QByteArray& text, char first, char second)
{
    char* data = text.data();
    const qsizetype size = text.size();
    qsizetype out = 0;
    for (qsizetype in = 0; in < size; ++in) {
        if (data[in] == first && in + 1 < size && data[in + 1] == second) {
            ++in;
            continue;
        }
        data[out++] = data[in];
    }
    text.truncate(out);
}

} // namespace

QByteArray removeColourCodes(QByteArrayView name)
{
    QByteArray text = name.toByteArray();
    text.removeIf([](char c) { return c == '|'; });
    for (char digit : {'1', '2', '3', '4', '5', '6', '7', '8', '9', '0'})
        removePair(text, SectionSign, digit);
    return text;
}

std::optional<ServerRow> parseServerLine(QByteArrayView line)
{
    const qsizetype close = line.indexOf(']');
    // The "]", its separator and at least one character more, which the CR normally is.
    if (close < 0 || line.size() - close - 1 < 2)
        return std::nullopt;
    const QByteArrayView columns = line.first(close);

    qsizetype open = columns.indexOf('[');
    if (open < 0 && line.sliced(close + 1).contains('['))
        return std::nullopt; // a "[" only after the "]" opens no players column
    const QByteArrayView players = columns.sliced(open + 1);

    QByteArrayView name = line.sliced(close + 2);
    if (name.endsWith('\r'))
        name.chop(1);

    ServerRow row;
    if (columns.contains("private")) {
        row.address = labels().privateAddress;
    } else {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            return std::nullopt;
        row.address = windows1252::decode(line.first(colon));
    }
    if (name.contains('|') || name.contains(SectionSign))
        row.name = windows1252::decode(removeColourCodes(name));
    else
        row.name = windows1252::decode(name);
    row.type = typeLabel(columns);
    row.version = versionLabel(columns);
    row.players = windows1252::decode(players);
    return row;
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
                m_pending.squeeze();
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
    m_pending.squeeze();
    m_skippingLongLine = false;
}

void ReplyParser::lineComplete(QByteArrayView line, std::vector<ServerRow>& rows)
{
    if (line.size() > MaxLineLength)
        return;
    if (std::optional<ServerRow> row = parseServerLine(line))
        rows.push_back(std::move(*row));
}
