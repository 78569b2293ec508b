#pragma once

#include <QString>
#include <QStringView>

// How many play on a server, from the "a/b" players text of its row. Numbers come from the
// network and may be of any length: each is held at most at Largest, and totals stop at the
// largest value they can hold instead of wrapping round.
struct PlayerCount {
    static constexpr quint64 Largest = 1'000'000'000'000'000ull;

    quint64 players = 0;
    quint64 limit = 0;
    bool parsed = false; // a text that is not "a/b" counts as 0 players and no limit

    bool isEmpty() const { return players == 0; }
    bool isFull() const { return parsed && limit > 0 && players >= limit; }
};

// "a/b" with digits on both sides of the slash, blanks around allowed.
PlayerCount parsePlayerCount(QStringView text);

// The servers of a list and how many play on them all, counted as rows arrive. Every row counts,
// private ones too.
struct ListTotals {
    quint64 servers = 0;
    quint64 players = 0;

    void add(QStringView playersText);
};

// What a search for text looks at: the colour codes that names may carry ("|" and "§" with a
// digit) left out, and case folded.
QString searchText(QStringView text);
