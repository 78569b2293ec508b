#pragma once

#include "setup/Registry.h"

#include <memory>

// The registry the game reads its player profiles from on this platform; each system has its
// own file, which also says what the system's 8-bit code page is (encoding::toAnsi).
std::unique_ptr<Registry> makeSystemRegistry();
