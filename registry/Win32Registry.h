#pragma once

#include "registry/Registry.h"

#include <map>

// The Windows registry through RegOpenKeyExA and RegSetValueExA. Built on Windows only.
class Win32Registry : public Registry {
public:
    ~Win32Registry() override;
    std::optional<Key> openKey(Key root, const QByteArray& subKey, quint32 access) override;
    bool setValue(Key key, const QByteArray& valueName, quint32 type,
                  const QByteArray& data) override;
    void closeKey(Key key) override;

private:
    // Key handles are pointers on 64-bit Windows; callers get small numbers instead.
    std::map<Key, void*> m_open;
    Key m_nextKey = 1;
};
