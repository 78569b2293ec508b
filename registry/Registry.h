#pragma once

#include <QByteArray>

#include <optional>

// The platform's registry, reduced to the calls the player profiles need. Names and data
// arrive already converted to the Windows code page, as the Win32 "A" functions take them.
class Registry {
public:
    using Key = quint32;
    static constexpr Key HkeyUsers = 0x80000003u;
    static constexpr quint32 KeyAllAccess = 0xF003Fu;
    static constexpr quint32 RegSz = 1;
    static constexpr quint32 RegBinary = 3;

    virtual ~Registry() = default;
    // Opens an existing key below root; never creates one.
    virtual std::optional<Key> openKey(Key root, const QByteArray& subKey, quint32 access) = 0;
    // Writes one value of an open key: REG_SZ data is the text with its terminating zero byte,
    // REG_BINARY data the bytes as they are.
    virtual bool setValue(Key key, const QByteArray& valueName, quint32 type,
                          const QByteArray& data) = 0;
    // Gives back a key that openKey returned.
    virtual void closeKey(Key key) = 0;
};
