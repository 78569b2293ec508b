#pragma once

#include "common/ListServerSocket.h"

// The one entry of the network module (Linux): the list-server sockets it holds.
using NetworkModuleEntry = ListServerSockets* (*)();
inline constexpr char NetworkModuleEntryName[] = "korvane_list_server_sockets";
