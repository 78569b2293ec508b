#include "browser/TcpListServerSocket.h"

#include <QPointer>
#include <QTcpSocket>

namespace {

class TcpListServerSocket : public ListServerSocket {
public:
    TcpListServerSocket(QObject* parent, const QString& name, Events events)
        : m_socket(new QTcpSocket(parent))
    {
        m_socket->setObjectName(name);
        QTcpSocket* socket = m_socket;
        QObject::connect(
            socket, &QTcpSocket::readyRead, socket,
            [socket, received = std::move(events.received)] { received(socket->readAll()); });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, std::move(events.closed));
        QObject::connect(
            socket, &QTcpSocket::errorOccurred, socket,
            [socket, failed = std::move(events.failed)](QAbstractSocket::SocketError error) {
                failed(errorOf(error), socket->errorString());
            });
    }

    ~TcpListServerSocket() override
    {
        // Its end must not reach the handlers: their owner is going too.
        if (m_socket)
            m_socket->disconnect();
        delete m_socket;
    }

    void connectTo(const QString& host, quint16 port) override
    {
        if (!m_socket)
            return;
        abort();
        m_socket->connectToHost(host, port, QIODevice::ReadOnly);
    }

    void abort() override
    {
        if (!m_socket)
            return;
        const QSignalBlocker quiet(m_socket.data());
        m_socket->abort();
    }

private:
    static Error errorOf(QAbstractSocket::SocketError error)
    {
        switch (error) {
        case QAbstractSocket::HostNotFoundError:
            return Error::HostNotFound;
        case QAbstractSocket::ConnectionRefusedError:
            return Error::Refused;
        case QAbstractSocket::RemoteHostClosedError:
            return Error::RemoteClosed;
        default:
            return Error::Other;
        }
    }

    QPointer<QTcpSocket> m_socket; // its parent may delete it first
};

} // namespace

std::unique_ptr<ListServerSocket> TcpListServerSockets::open(QObject* parent, const QString& name,
                                                             ListServerSocket::Events events,
                                                             QString*)
{
    return std::make_unique<TcpListServerSocket>(parent, name, std::move(events));
}
