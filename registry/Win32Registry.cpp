#include "registry/Win32Registry.h"

#include <windows.h>

Win32Registry::~Win32Registry()
{
    for (const auto& [key, handle] : m_open)
        RegCloseKey(static_cast<HKEY>(handle));
}

std::optional<Registry::Key> Win32Registry::openKey(Key root, const QByteArray& subKey,
                                                    quint32 access)
{
    if (root != HkeyUsers)
        return std::nullopt;
    HKEY handle = nullptr;
    // RegOpenKeyExA opens existing keys only; a missing profile key is never created.
    if (RegOpenKeyExA(HKEY_USERS, subKey.constData(), 0, REGSAM(access), &handle) != ERROR_SUCCESS)
        return std::nullopt;
    const Key key = m_nextKey++;
    m_open.emplace(key, handle);
    return key;
}

bool Win32Registry::setValue(Key key, const QByteArray& valueName, quint32 type,
                             const QByteArray& data)
{
    const auto open = m_open.find(key);
    if (open == m_open.end())
        return false;
    return RegSetValueExA(static_cast<HKEY>(open->second), valueName.constData(), 0, DWORD(type),
                          reinterpret_cast<const BYTE*>(data.constData()),
                          DWORD(data.size())) == ERROR_SUCCESS;
}

void Win32Registry::closeKey(Key key)
{
    const auto open = m_open.find(key);
    if (open == m_open.end())
        return;
    RegCloseKey(static_cast<HKEY>(open->second));
    m_open.erase(open);
}
