#include "app/SessionBus.h"

#include <QDBusConnection>

SessionBusConnector::SessionBusConnector()
    : m_thread([] { QDBusConnection::sessionBus(); })
{
}
