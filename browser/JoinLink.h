#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// A join link as chat rooms post it: brix2://ADDRESS or brix2://ADDRESS:PORT, where ADDRESS is an
// IPv4 address, an IPv6 address in brackets or a host name. A link only ever names a server; it
// never starts anything by itself, and the game is joined by address alone (the port is kept to
// be shown).
struct JoinLink {
    static inline const QString Scheme = QStringLiteral("brix2");
    // Longer links are refused unread: no server address needs more.
    static constexpr qsizetype MaxLength = 255;

    QString address; // as typed, an IPv6 address without its brackets
    std::optional<quint16> port;

    // brix2://ADDRESS[:PORT], an IPv6 address in brackets again.
    QString text() const;
    // ADDRESS[:PORT] the same way, as --connect takes it.
    QString hostAndPort() const;

    bool operator==(const JoinLink&) const = default;
};

struct JoinLinkParse {
    std::optional<JoinLink> link;
    QString error; // why the text was refused, for the user; empty when link is set
};

// The one place that decides whether a text is a join link. Everything a link can carry beyond
// an address and a port (user info, a path, a query, a fragment, percent-encoded or control
// characters, an address that would read as a switch) is refused, not cleaned up: a link that
// needs cleaning was not made by a community's chat room.
JoinLinkParse parseJoinLink(QStringView text);

// ADDRESS or ADDRESS:PORT alone, as --connect takes it; the same rules as the link's.
JoinLinkParse parseJoinAddress(QStringView text);
