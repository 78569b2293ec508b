#pragma once

#include <thread>

// Connects to the desktop's session bus on a thread of its own while the main window is built.
// Qt's accessibility bridge connects to that bus on the window's thread, at the first control it
// is told of, and would wait there for the bus daemon's answers; begun here, the connection is
// made beside the building and is ready by then. The later users (the bridge, the desktop's
// notifications) share it. Windows has no session bus, so nothing runs there. The thread ends
// before this object does.
class SessionBusConnector {
public:
    SessionBusConnector();
    ~SessionBusConnector()
    {
        if (m_thread.joinable())
            m_thread.join();
    }
    SessionBusConnector(const SessionBusConnector&) = delete;
    SessionBusConnector& operator=(const SessionBusConnector&) = delete;

private:
    std::thread m_thread;
};
