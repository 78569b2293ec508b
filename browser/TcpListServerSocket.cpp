#include "browser/TcpListServerSocket.h"

#include <QPointer>
#include <QTcpSocket>

namespace {

class TcpListServerSocket : public ListServerSocket {
public:
    TcpListServerSocket(QObject* parent, Events events)
        : m_socket(new QTcpSocket(parent))
    {
        m_socket->setObjectName(QStringLiteral("Winsock1"));
        QTcpSocket* socket = m_socket;
        QObject::connect(socket, &QTcpSocket::readyRead, socket,
                         [socket, received = std::move(events.received)] {
                             received(socket->readAll());
                         });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, std::move(events.closed));
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
        m_socket->abort();
        m_socket->connectToHost(host, port, QIODevice::ReadOnly);
    }

private:
    QPointer<QTcpSocket> m_socket; // its parent may delete it first
};

} // namespace

std::unique_ptr<ListServerSocket> TcpListServerSockets::open(QObject* parent,
                                                             ListServerSocket::Events events,
                                                             QString*)
{
    return std::make_unique<TcpListServerSocket>(parent, std::move(events));
}
