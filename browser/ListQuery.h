#pragma once

#include "browser/ReplyParser.h"
#include "common/ListServerHosts.h"
#include "common/ListServerSocket.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <memory>
#include <vector>

struct ListQueryTimings {
    // How long a list server may keep silent before it counts as gone.
    std::chrono::milliseconds answer{10000};
    // How long after its last bytes a list server that sent no row has an empty list.
    std::chrono::milliseconds quiet{3000};
};

// How much of one list is kept. A list server may send rows without end; what comes past
// these is left out and the connection closed, so that neither the memory nor the time a header
// click takes to sort grows with what a broken or hostile server sends. A real list is far
// below them.
struct ListQueryLimits {
    qint64 rows = 65536;
    qint64 bytes = 64 * 1024 * 1024; // of the rows' texts
};

// One Refresh: asks list servers in turn for the running game servers. The first one is the one
// the user chose; when it fails before sending a single byte (its host not found, the connection
// refused or closed empty, or silence), the next is asked, and so on. A list server that has
// sent anything has answered, if only with an empty list: it is never left for another, so two
// lists never mix. Nothing is ever written: a list server speaks of its own accord.
class ListQuery : public QObject {
    Q_OBJECT
public:
    using Timings = ListQueryTimings;
    using Limits = ListQueryLimits;
    struct Source {
        QString name; // how the user knows it
        ListServer server;
    };
    enum class Failure { NotFound, Refused, Silent, ClosedEmpty, Other };
    struct Attempt {
        QString name;
        Failure failure;
        QString detail; // the system's words, for Other
    };
    enum class State {
        Idle,      // nothing asked yet
        Asking,    // waiting for the first bytes of current()
        Receiving, // current() has sent bytes, but no row yet
        Listed,    // current() has sent rows
        Empty,     // current() has answered with no row
        Failed,    // every one failed: see failures()
    };

    // The socket, named socketName, is opened at the first ask: a launcher that never asks
    // never loads the network stack.
    ListQuery(ListServerSockets& sockets, QString socketName, Timings timings = {},
              QObject* parent = nullptr);

    // Forgets any list server asked before and asks the sources in their order.
    void ask(std::vector<Source> order);
    // Gives up on whatever is being asked, asking no other list server; back to Idle.
    void stop();

    State state() const { return m_state; }
    const Source& current() const { return m_order.at(m_index); }
    const std::vector<Attempt>& failures() const { return m_failures; }
    QDateTime answeredAt() const { return m_answeredAt; }
    const Timings& timings() const { return m_timings; }
    void setLimits(Limits limits) { m_limits = limits; }
    // The list that answered was longer than the limits: its rows past them were left out.
    bool cutOff() const { return m_cutOff; }

Q_SIGNALS:
    // The rows of the latest bytes, to be moved out; only ever from the list server that
    // answered.
    void rowsArrived(std::vector<ServerRow>& rows);
    void stateChanged();
    // The list server's connection has ended, whatever the state.
    void connectionClosed();

private:
    void connectToCurrent();
    void dataArrived(const QByteArray& bytes);
    void connectionEnded();
    void socketFailed(ListServerSocket::Error error, const QString& detail);
    void failed(Failure failure, const QString& detail = {});
    void setState(State state);
    // Leaves out the rows past the limits; true when there were any.
    bool keepWithinLimits(std::vector<ServerRow>& rows);

    ListServerSockets& m_sockets;
    QString m_socketName;
    Timings m_timings;
    std::unique_ptr<ListServerSocket> m_socket;
    QTimer m_answerTimer;
    QTimer m_quietTimer;
    ReplyParser m_reply;
    std::vector<Source> m_order;
    size_t m_index = 0;
    quint64 m_attempt = 0; // counts connections, so that a late event of an old one is dropped
    quint64 m_givenUp = 0; // the connection last given up on
    std::vector<Attempt> m_failures;
    State m_state = State::Idle;
    Limits m_limits;
    qint64 m_rows = 0;
    qint64 m_bytes = 0;
    bool m_cutOff = false;
    QDateTime m_answeredAt;
};
