#include "registry/modRegistryAPI.h"

#include "registry/ValueEncoding.h"

modRegistryAPI::modRegistryAPI(Registry& registry)
    : m_registry(registry)
{
}

modRegistryAPI::~modRegistryAPI()
{
    CloseKey();
}

bool modRegistryAPI::OpenKey(Registry::Key root, const QString& subKey, quint32 access)
{
    const std::optional<Registry::Key> key =
        m_registry.openKey(root, encoding::toAnsi(subKey), access);
    if (!key)
        return false;
    CloseKey();
    KeyHandle = *key;
    m_open = true;
    return true;
}

bool modRegistryAPI::SetValue(Registry::Key key, const QString& valueName, quint32 valueType,
                              const QString& value)
{
    QByteArray data;
    switch (valueType) {
    case Registry::RegSz:
        data = encoding::toAnsi(value);
        data.append('\0');
        break;
    case Registry::RegBinary:
        data = encoding::littleEndian32(encoding::readHexNumber(value));
        break;
    default:
        return false;
    }
    return m_registry.setValue(key, encoding::toAnsi(valueName), valueType, data);
}

void modRegistryAPI::CloseKey()
{
    if (!m_open)
        return;
    m_open = false;
    m_registry.closeKey(KeyHandle);
}
