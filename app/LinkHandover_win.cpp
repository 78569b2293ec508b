#include "app/LinkHandover.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

struct LinkListener::Channel {
    QLocalServer* server;
};

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
    return reply == LinkListener::Accepted;
}

LinkListener::LinkListener(QString name, QObject* parent)
    : QObject(parent)
    , m_name(std::move(name))
    , m_channel(new Channel{new QLocalServer(this)})
{
    QLocalServer* server = m_channel->server;
    server->setSocketOptions(QLocalServer::UserAccessOption);
    const auto read = [this](QLocalSocket* socket) {
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() > MaxMessageLength)
                socket->abort();
            return;
        }
        answer(socket->readLine(MaxMessageLength).chopped(1), [socket](const QByteArray& reply) {
            socket->write(reply);
            socket->flush();
            socket->disconnectFromServer();
        });
    };
    connect(server, &QLocalServer::newConnection, this, [server, read, this] {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [read, socket] { read(socket); });
            QTimer::singleShot(AnswerTimeoutMs, socket, [socket] { socket->abort(); });
            if (socket->bytesAvailable() > 0)
                read(socket);
        }
    });
}

LinkListener::~LinkListener() = default;

bool LinkListener::listen()
{
    if (m_name.isEmpty())
        return false;
    // Asked first: another launcher's pipe must not be taken over unseen.
    QLocalSocket probe;
    probe.connectToServer(m_name);
    if (probe.waitForConnected(500))
        return false;
    QLocalServer::removeServer(m_name);
    return m_channel->server->listen(m_name);
}

QString LinkListener::fullServerName() const
{
    return m_channel->server->fullServerName();
}
