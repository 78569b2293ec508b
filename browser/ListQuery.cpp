#include "browser/ListQuery.h"

ListQuery::ListQuery(ListServerSockets& sockets, QString socketName, Timings timings,
                     QObject* parent)
    : QObject(parent)
    , m_sockets(sockets)
    , m_socketName(std::move(socketName))
    , m_timings(timings)
{
    m_answerTimer.setSingleShot(true);
    m_quietTimer.setSingleShot(true);
    connect(&m_answerTimer, &QTimer::timeout, this, [this] { failed(Failure::Silent); });
    connect(&m_quietTimer, &QTimer::timeout, this, [this] {
        if (m_state == State::Receiving)
            setState(State::Empty);
    });
}

void ListQuery::socketFailed(ListServerSocket::Error error, const QString& detail)
{
    using Error = ListServerSocket::Error;
    if (m_state != State::Asking) {
        if (error != Error::RemoteClosed)
            connectionEnded();
        return;
    }
    switch (error) {
    case Error::HostNotFound:
        failed(Failure::NotFound);
        break;
    case Error::Refused:
        failed(Failure::Refused);
        break;
    case Error::RemoteClosed:
        failed(Failure::ClosedEmpty);
        break;
    case Error::Other:
        failed(Failure::Other, detail);
        break;
    }
}

void ListQuery::ask(std::vector<Source> order)
{
    m_order = std::move(order);
    m_index = 0;
    m_failures.clear();
    if (m_order.empty()) {
        if (m_socket)
            m_socket->abort();
        setState(State::Failed);
        return;
    }
    if (!m_socket) {
        QString reason;
        m_socket = m_sockets.open(this, m_socketName,
                                  {[this](const QByteArray& bytes) { dataArrived(bytes); },
                                   [this] { connectionEnded(); },
                                   [this](ListServerSocket::Error error, const QString& detail) {
                                       socketFailed(error, detail);
                                   }},
                                  &reason);
        if (!m_socket) {
            // Without the network stack no list server can be asked; the next Refresh tries
            // to load it again.
            ++m_attempt;
            m_failures.push_back(
                {current().name, Failure::Other,
                 QStringLiteral("the network library could not be loaded: ") + reason});
            setState(State::Failed);
            return;
        }
    }
    connectToCurrent();
}

void ListQuery::stop()
{
    ++m_attempt; // what the old connection still says, or a fallback queued for it, is dropped
    m_answerTimer.stop();
    m_quietTimer.stop();
    if (m_socket)
        m_socket->abort();
    m_reply.reset();
    if (m_state != State::Idle)
        setState(State::Idle);
}

void ListQuery::connectToCurrent()
{
    ++m_attempt;
    m_answerTimer.stop();
    m_quietTimer.stop();
    // Drops whatever the old connection still had waiting, so none of it reaches the new list;
    // its signals from here on are of a connection given up.
    m_socket->abort();
    m_reply.reset();
    m_rows = 0;
    m_bytes = 0;
    m_cutOff = false;
    m_answeredAt = {};
    setState(State::Asking);
    m_answerTimer.start(m_timings.answer);
    const ListServer& server = current().server;
    m_socket->connectTo(server.host, server.port);
}

void ListQuery::dataArrived(const QByteArray& bytes)
{
    // Bytes of a list server already given up on are dropped.
    if (bytes.isEmpty() || m_state == State::Idle || m_state == State::Failed ||
        m_givenUp == m_attempt)
        return;
    if (m_state == State::Asking) {
        m_answerTimer.stop();
        m_answeredAt = QDateTime::currentDateTime();
        setState(State::Receiving);
    }
    std::vector<ServerRow> rows;
    m_reply.feed(bytes, rows);
    if (keepWithinLimits(rows)) {
        // The list ends here: nothing more of it is read.
        m_cutOff = true;
        m_givenUp = m_attempt;
        m_quietTimer.stop();
        m_socket->abort();
        m_reply.reset();
    }
    if (!rows.empty()) {
        m_quietTimer.stop();
        m_state = State::Listed; // told below, with the rows in place
        Q_EMIT rowsArrived(rows);
        Q_EMIT stateChanged();
    } else if (m_cutOff) {
        setState(m_rows > 0 ? State::Listed : State::Empty);
    } else if (m_state == State::Receiving || m_state == State::Empty) {
        m_quietTimer.start(m_timings.quiet);
    }
}

bool ListQuery::keepWithinLimits(std::vector<ServerRow>& rows)
{
    size_t kept = 0;
    for (; kept < rows.size(); ++kept) {
        const qint64 size = rows[kept].byteSize();
        if (m_rows >= m_limits.rows || m_bytes + size > m_limits.bytes)
            break;
        ++m_rows;
        m_bytes += size;
    }
    if (kept == rows.size())
        return false;
    rows.erase(rows.begin() + qsizetype(kept), rows.end());
    return true;
}

void ListQuery::connectionEnded()
{
    Q_EMIT connectionClosed();
    // The unfinished last line of a closed connection never becomes a row.
    if (m_givenUp == m_attempt)
        return;
    m_reply.reset();
    m_quietTimer.stop();
    if (m_state == State::Asking)
        failed(Failure::ClosedEmpty);
    else if (m_state == State::Receiving)
        setState(State::Empty);
}

void ListQuery::failed(Failure failure, const QString& detail)
{
    if (m_state != State::Asking || m_givenUp == m_attempt)
        return;
    m_givenUp = m_attempt;
    m_answerTimer.stop();
    m_failures.push_back({current().name, failure, detail});
    // Handlers of the socket's own signals must not connect it again; the next one is asked
    // from the event loop, unless a Refresh came first.
    const quint64 attempt = m_attempt;
    QMetaObject::invokeMethod(
        this,
        [this, attempt] {
            if (attempt != m_attempt)
                return;
            if (m_index + 1 < m_order.size()) {
                ++m_index;
                connectToCurrent();
            } else {
                m_socket->abort();
                setState(State::Failed);
            }
        },
        Qt::QueuedConnection);
}

void ListQuery::setState(State state)
{
    m_state = state;
    Q_EMIT stateChanged();
}
