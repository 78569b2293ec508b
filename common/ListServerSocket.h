#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class QObject;

// A connection to a list server. It only ever receives: the list server speaks of its own accord.
class ListServerSocket {
public:
    enum class Error { HostNotFound, Refused, RemoteClosed, Other };
    struct Events {
        std::function<void(const QByteArray&)> received; // the bytes of one arrival
        std::function<void()> closed;                    // the connection has ended
        // The connection failed or broke; detail is the system's words.
        std::function<void(Error error, const QString& detail)> failed;
    };

    virtual ~ListServerSocket() = default;

    // Drops the connection there is, with whatever it had not yet handed over, and connects anew.
    virtual void connectTo(const QString& host, quint16 port) = 0;
    // Drops the connection there is without a word: no event of it follows.
    virtual void abort() = 0;
};

// Opens list-server sockets. The network stack behind them is the opener's affair: the
// launcher's own loads it at the first Refresh, so a launcher that never asks for the list
// never loads it.
class ListServerSockets {
public:
    virtual ~ListServerSockets() = default;

    // A socket whose system object hangs below parent under name; null, with the reason in
    // *reason, when the network stack cannot be had.
    virtual std::unique_ptr<ListServerSocket> open(QObject* parent, const QString& name,
                                                   ListServerSocket::Events events,
                                                   QString* reason) = 0;
};
