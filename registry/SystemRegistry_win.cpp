#include "registry/SystemRegistry.h"

#include "registry/ValueEncoding.h"
#include "registry/Win32Registry.h"

#include <QStringEncoder>

SystemGameServices makeSystemGameServices()
{
    // The game runs natively: no prefix to follow, the registry is the system's own.
    SystemGameServices services;
    services.registry = std::make_unique<Win32Registry>();
    return services;
}

namespace encoding {

QByteArray toAnsi(const QString& text)
{
    QStringEncoder encoder(QStringConverter::System);
    return encoder.encode(text);
}

} // namespace encoding
