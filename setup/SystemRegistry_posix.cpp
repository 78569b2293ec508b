#include "setup/SystemRegistry.h"

#include "setup/ValueEncoding.h"
#include "setup/WineRegistry.h"

std::unique_ptr<Registry> makeSystemRegistry()
{
    // The game runs under Wine here; its registry is that of the Wine prefix.
    return std::make_unique<WineRegistry>(defaultWinePrefix());
}

namespace encoding {

// The code page of the Wine prefix the game runs in.
QByteArray toAnsi(const QString& text)
{
    return toWindows1252(text);
}

} // namespace encoding
