#include "browser/PlayerCount.h"

#include <limits>

namespace {

// The number at the front of text; nothing when there is no digit. Leaves text after it.
bool takeNumber(QStringView& text, quint64& number)
{
    qsizetype at = 0;
    number = 0;
    while (at < text.size() && text[at] >= u'0' && text[at] <= u'9') {
        number = std::min(number * 10 + quint64(text[at].unicode() - u'0'), PlayerCount::Largest);
        ++at;
    }
    text = text.sliced(at);
    return at > 0;
}

} // namespace

PlayerCount parsePlayerCount(QStringView text)
{
    text = text.trimmed();
    PlayerCount count;
    quint64 players = 0;
    quint64 limit = 0;
    if (!takeNumber(text, players) || !text.startsWith(u'/'))
        return count;
    text = text.sliced(1);
    if (!takeNumber(text, limit) || !text.isEmpty())
        return count;
    return {players, limit, true};
}

void ListTotals::add(QStringView playersText)
{
    constexpr quint64 Most = std::numeric_limits<quint64>::max();
    const quint64 more = parsePlayerCount(playersText).players;
    players = players > Most - more ? Most : players + more;
    if (servers < Most)
        ++servers;
}

QString searchText(QStringView text)
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar c = text[at];
        if (c == u'|')
            continue;
        if (c == u'\u00a7' && at + 1 < text.size() && text[at + 1] >= u'0' &&
            text[at + 1] <= u'9') {
            ++at;
            continue;
        }
        plain.append(c);
    }
    return plain.toCaseFolded();
}
