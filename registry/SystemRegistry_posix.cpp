#include "registry/SystemRegistry.h"

#include "registry/ValueEncoding.h"
#include "wine/WinePrefix.h"
#include "registry/WineRegistry.h"

SystemGameServices makeSystemGameServices()
{
    // The game runs under Wine here: its programs and its registry are those of one prefix,
    // chosen again with each game directory.
    SystemGameServices services;
    auto prefix = std::make_unique<WinePrefix>(WinePrefix::fromEnvironment());
    const WinePrefix& chosen = *prefix;
    services.registry = std::make_unique<WineRegistry>(chosen);
    services.winePrefix = [&chosen] { return chosen.path(); };
    services.gameDirectory = std::move(prefix);
    return services;
}

namespace encoding {

QByteArray toAnsi(const QString& text)
{
    return text.toUtf8();
}

QString fromAnsi(const QByteArray& bytes)
{
    return QString::fromUtf8(bytes);
}

} // namespace encoding
