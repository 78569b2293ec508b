#pragma once

#include <QString>

// One list server: where the Join Game page connects to ask for the running game servers.
struct ListServer {
    static constexpr quint16 DefaultPort = 10057;

    QString host;
    quint16 port = DefaultPort;

    // HOST:PORT as a user types it; an IPv6 address goes in brackets, or its colons would run
    // into the port's.
    QString hostAndPort() const
    {
        const QString shown = host.contains(QLatin1Char(':'))
                                  ? QLatin1Char('[') + host + QLatin1Char(']')
                                  : host;
        return shown + QLatin1Char(':') + QString::number(port);
    }
};

// The three list servers the Join Game page can ask. Injected as one value so that tests can
// point all three at servers of their own on the loopback address, and so that a community that
// runs its own list server can put it in place of the main one.
struct ListServerHosts {
    ListServer primary;
    ListServer pellamMirror;
    ListServer corvinMirror;
    // The main one was named on the command line: it is called by its address, not by the name
    // of the community's own list server.
    bool primaryGiven = false;
};

// The list servers the launcher asks unless told otherwise.
inline ListServerHosts defaultListServerHosts()
{
    return {{QStringLiteral("list.brixquorrel.net")},
            {QStringLiteral("pellam.brixquorrel.net")},
            {QStringLiteral("corvin.brixquorrel.net")}};
}
