#include "app/SessionBus.h"

SessionBusConnector::SessionBusConnector() = default;
