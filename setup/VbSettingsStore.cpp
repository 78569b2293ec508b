#include "setup/VbSettingsStore.h"

#include <windows.h>

#include <string>

namespace {

const QString Branch = QStringLiteral("Software\\VB and VBA Program Settings\\");

// The key of one section of an application's settings, below HKEY_CURRENT_USER.
std::wstring sectionKey(const QString& app, const QString& section)
{
    return (Branch + app + QLatin1Char('\\') + section).toStdWString();
}

class OpenKey {
public:
    ~OpenKey()
    {
        if (handle != nullptr)
            RegCloseKey(handle);
    }
    HKEY handle = nullptr;
};

} // namespace

QString VbSettingsStore::location(const QString& app) const
{
    return QStringLiteral("HKEY_CURRENT_USER\\") + Branch + app;
}

bool VbSettingsStore::save(const QString& app, const QString& section, const QString& key,
                           const QString& value)
{
    m_error.clear();
    OpenKey open;
    const std::wstring subKey = sectionKey(app, section);
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, 0,
                                     KEY_SET_VALUE, nullptr, &open.handle, nullptr);
    if (status == ERROR_SUCCESS) {
        const std::wstring data = value.toStdWString();
        status = RegSetValueExW(open.handle, key.toStdWString().c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(data.c_str()),
                                DWORD((data.size() + 1) * sizeof(wchar_t)));
    }
    if (status == ERROR_SUCCESS)
        return true;
    m_error = QStringLiteral("%1\\%2 cannot be written.").arg(location(app), section);
    return false;
}

std::optional<QString> VbSettingsStore::load(const QString& app, const QString& section,
                                             const QString& key)
{
    m_error.clear();
    OpenKey open;
    const std::wstring subKey = sectionKey(app, section);
    LSTATUS status =
        RegOpenKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, KEY_QUERY_VALUE, &open.handle);
    if (status == ERROR_FILE_NOT_FOUND)
        return std::nullopt;
    const std::wstring name = key.toStdWString();
    DWORD type = 0;
    DWORD bytes = 0;
    if (status == ERROR_SUCCESS)
        status = RegQueryValueExW(open.handle, name.c_str(), nullptr, &type, nullptr, &bytes);
    if (status == ERROR_FILE_NOT_FOUND)
        return std::nullopt;
    // Only texts are settings; a value of another type is left alone, as if it were missing.
    if (status == ERROR_SUCCESS && type != REG_SZ && type != REG_EXPAND_SZ)
        return std::nullopt;
    std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
    if (status == ERROR_SUCCESS) {
        bytes = DWORD(data.size() * sizeof(wchar_t));
        status = RegQueryValueExW(open.handle, name.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(data.data()), &bytes);
    }
    if (status != ERROR_SUCCESS) {
        m_error = QStringLiteral("%1\\%2 cannot be read.").arg(location(app), section);
        return std::nullopt;
    }
    // The stored text may or may not end in its terminating zero; it ends at the first one.
    data.resize(bytes / sizeof(wchar_t));
    const std::size_t end = data.find(L'\0');
    if (end != std::wstring::npos)
        data.resize(end);
    return QString::fromStdWString(data);
}
