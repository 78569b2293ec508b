#pragma once

#include "common/RecordStorage.h"

#include <memory>

// The current user's store of server records, where each system keeps such things: on Linux one
// file under $XDG_DATA_HOME/korvane/, on Windows a value under HKEY_CURRENT_USER\Software\Korvane.
std::unique_ptr<RecordStorage> makeUserRecordStorage();
