#include "setup/SystemRegistry.h"

#ifdef _WIN32
#include "setup/Win32Registry.h"
#else
#include "setup/WineRegistry.h"
#endif

std::unique_ptr<Registry> makeSystemRegistry()
{
#ifdef _WIN32
    return std::make_unique<Win32Registry>();
#else
    // The game runs under Wine here; its registry is that of the Wine prefix.
    return std::make_unique<WineRegistry>(defaultWinePrefix());
#endif
}
