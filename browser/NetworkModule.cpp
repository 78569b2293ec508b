#include "browser/NetworkModule.h"

#include "browser/TcpListServerSocket.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT ListServerSockets* korvane_list_server_sockets()
{
    static TcpListServerSockets sockets;
    return &sockets;
}

// The entry's type and name are checked here, where both are known.
static_assert(std::is_same_v<decltype(&korvane_list_server_sockets), NetworkModuleEntry>);
