#include "browser/SystemListServerSockets.h"

#include "browser/TcpListServerSocket.h"

// Windows loads the network stack with the program: the zip holds exactly the DLLs that start-up
// loads.
QStringList SystemListServerSockets::moduleFolders()
{
    return {};
}

SystemListServerSockets::SystemListServerSockets(QStringList folders)
    : m_folders(std::move(folders))
{
    static TcpListServerSockets sockets;
    m_sockets = &sockets;
}

SystemListServerSockets::~SystemListServerSockets() = default;

std::unique_ptr<ListServerSocket> SystemListServerSockets::open(QObject* parent,
                                                                const QString& name,
                                                                ListServerSocket::Events events,
                                                                QString* reason)
{
    return m_sockets->open(parent, name, std::move(events), reason);
}
