#include "app/LinkHandover.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace {
const QByteArray Accepted = QByteArrayLiteral("ok\n");
const QByteArray Refused = QByteArrayLiteral("refused\n");
// A peer that says nothing is not waited for longer than this.
constexpr int AnswerTimeoutMs = 2000;
} // namespace

bool handOverLink(const QString& name, const JoinLink& link, int timeoutMs)
{
    if (name.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(link.text().toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    QByteArray reply;
    while (!reply.endsWith('\n') && reply.size() < 64) {
        if (!socket.waitForReadyRead(timeoutMs))
            break;
        reply += socket.readAll();
    }
    return reply == Accepted;
}

LinkListener::LinkListener(QString name, QObject* parent)
    : QObject(parent)
    , m_name(std::move(name))
    , m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { answer(socket); });
            QTimer::singleShot(AnswerTimeoutMs, socket, [socket] { socket->abort(); });
            if (socket->bytesAvailable() > 0)
                answer(socket);
        }
    });
}

bool LinkListener::listen()
{
    if (m_name.isEmpty())
        return false;
    // Asked first, as a socket restricted to the user is made aside and moved into place,
    // over whatever lies there: another launcher's socket would be taken over unseen.
    QLocalSocket probe;
    probe.connectToServer(m_name);
    if (probe.waitForConnected(500))
        return false;
    // Nobody answers: nothing is there, or a launcher that died left its socket behind.
    QLocalServer::removeServer(m_name);
    return m_server->listen(m_name);
}

QString LinkListener::fullServerName() const
{
    return m_server->fullServerName();
}

void LinkListener::answer(QLocalSocket* socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > MaxMessageLength)
            socket->abort();
        return;
    }
    const QByteArray line = socket->readLine(MaxMessageLength).chopped(1);
    // The sender checked the link already; a sender that is not a launcher did not.
    const JoinLinkParse parsed = parseJoinLink(QString::fromUtf8(line));
    socket->write(parsed.link ? Accepted : Refused);
    socket->flush();
    socket->disconnectFromServer();
    if (parsed.link)
        Q_EMIT linkReceived(*parsed.link);
}
