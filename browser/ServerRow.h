#pragma once

#include <QString>

// One row of the server table, as the reply parser gives it.
struct ServerRow {
    QString name;
    QString type;
    QString version;
    QString players;
    QString address; // an IP address or host, or "Private"

    bool operator==(const ServerRow&) const = default;
};
