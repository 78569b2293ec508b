#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class QObject;

// The Join Game page's connection to a list server. It only ever receives: the list server
// speaks of its own accord.
class ListServerSocket {
public:
    struct Events {
        std::function<void(const QByteArray&)> received; // the bytes of one arrival
        std::function<void()> closed;                    // the connection has ended
    };

    virtual ~ListServerSocket() = default;

    // Drops the connection there is, with whatever it had not yet handed over, and connects
    // anew. A connection that fails ends without a word: nothing arrives.
    virtual void connectTo(const QString& host, quint16 port) = 0;
};

// Opens list-server sockets. The network stack behind them is the opener's affair: the
// launcher's own loads it at the first Refresh, so a launcher that never asks for the list
// never loads it.
class ListServerSockets {
public:
    virtual ~ListServerSockets() = default;

    // A socket whose system object hangs below parent, named "Winsock1"; null, with the reason
    // in *reason, when the network stack cannot be had.
    virtual std::unique_ptr<ListServerSocket> open(QObject* parent, ListServerSocket::Events events,
                                                   QString* reason) = 0;
};
