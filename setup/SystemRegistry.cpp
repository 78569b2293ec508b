#include "setup/SystemRegistry.h"

#ifdef _WIN32
#include "setup/Win32Registry.h"
#else
#include "setup/WinePrefix.h"
#include "setup/WineRegistry.h"
#endif

SystemGameServices makeSystemGameServices()
{
    SystemGameServices services;
#ifdef _WIN32
    services.registry = std::make_unique<Win32Registry>();
#else
    // The game runs under Wine here: its programs and its registry are those of one prefix,
    // chosen again with each game directory.
    auto prefix = std::make_unique<WinePrefix>(WinePrefix::fromEnvironment());
    const WinePrefix& chosen = *prefix;
    services.registry = std::make_unique<WineRegistry>(chosen);
    services.winePrefix = [&chosen] { return chosen.path(); };
    services.gameDirectory = std::move(prefix);
#endif
    return services;
}
