#pragma once

// The current user's settings store, as each system keeps one.
#ifdef _WIN32
#include "setup/VbSettingsStore.h"
using UserSettingsStore = VbSettingsStore;
#else
#include "setup/IniSettingsStore.h"
using UserSettingsStore = IniSettingsStore;
#endif
