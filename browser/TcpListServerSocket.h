#pragma once

#include "common/ListServerSocket.h"

// List-server sockets on Qt Network's TCP socket, in this process.
class TcpListServerSockets : public ListServerSockets {
public:
    std::unique_ptr<ListServerSocket> open(QObject* parent, const QString& name,
                                           ListServerSocket::Events events,
                                           QString* reason) override;
};
