#include "setup/RecordFile.h"
#include "setup/UserRecordStorage.h"

#include <QStandardPaths>

std::unique_ptr<RecordStorage> makeUserRecordStorage()
{
    // GenericDataLocation follows $XDG_DATA_HOME, ~/.local/share when it is not set.
    return std::make_unique<RecordFile>(
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
        QStringLiteral("/korvane/servers.json"));
}
