#pragma once

#include "setup/Registry.h"

#include <memory>

// The registry the game reads its player profiles from on this platform.
std::unique_ptr<Registry> makeSystemRegistry();
