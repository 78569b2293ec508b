#pragma once

#include "registry/Registry.h"

#include <QString>

// The registry module of the Setup page: opens a profile key and writes one value into it,
// converting texts to the system's 8-bit code page and numbers to their four bytes.
class modRegistryAPI {
public:
    explicit modRegistryAPI(Registry& registry);
    ~modRegistryAPI();
    modRegistryAPI(const modRegistryAPI&) = delete;
    modRegistryAPI& operator=(const modRegistryAPI&) = delete;

    // Opens an existing key; on success KeyHandle holds it (and a key this module opened
    // before is closed). Never creates a key.
    bool OpenKey(Registry::Key root, const QString& subKey, quint32 access);

    // ValueType 1 writes the text as REG_SZ with its terminating zero byte; ValueType 3 reads the
    // text as an "&H" number and writes its four bytes, least significant first, as REG_BINARY.
    // Any other type writes nothing. True when the value was written.
    bool SetValue(Registry::Key key, const QString& valueName, quint32 valueType,
                  const QString& value);

    // Closes the key last opened, if it is still open.
    void CloseKey();

    // The key last opened; 0 until a key is first opened.
    Registry::Key KeyHandle = 0;

private:
    Registry& m_registry;
    bool m_open = false;
};
