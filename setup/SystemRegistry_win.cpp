#include "setup/SystemRegistry.h"

#include "setup/ValueEncoding.h"
#include "setup/Win32Registry.h"

#include <QStringEncoder>

std::unique_ptr<Registry> makeSystemRegistry()
{
    return std::make_unique<Win32Registry>();
}

namespace encoding {

QByteArray toAnsi(const QString& text)
{
    QStringEncoder encoder(QStringConverter::System);
    return encoder.encode(text);
}

} // namespace encoding
