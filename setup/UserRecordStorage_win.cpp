#include "setup/UserRecordStorage.h"

#include <windows.h>

#include <string>

namespace {

// One binary value holds the whole store: a single RegSetValueExW replaces it at once.
class RegistryRecords : public RecordStorage {
public:
    Contents read() override
    {
        QByteArray data;
        const LSTATUS status = readValue(ValueName, data);
        if (status == ERROR_FILE_NOT_FOUND)
            return {};
        if (status != ERROR_SUCCESS)
            return {Contents::Unreadable, {}, message(status)};
        return {Contents::Read, std::move(data), {}};
    }

    bool write(const QByteArray& data, QString* error) override
    {
        return writeValue(ValueName, data, error);
    }

    bool keepAside(QString* error) override
    {
        QByteArray data;
        const LSTATUS status = readValue(ValueName, data);
        if (status == ERROR_FILE_NOT_FOUND)
            return true;
        if (status != ERROR_SUCCESS) {
            *error = message(status);
            return false;
        }
        return writeValue(AsideName, data, error);
    }

    QString location() const override
    {
        return QStringLiteral("HKEY_CURRENT_USER\\Software\\Korvane\\Servers");
    }

private:
    static constexpr const wchar_t* KeyName = L"Software\\Korvane";
    static constexpr const wchar_t* ValueName = L"Servers";
    static constexpr const wchar_t* AsideName = L"Servers.bad";

    static QString message(LSTATUS status)
    {
        return QStringLiteral("Windows error %1").arg(status);
    }

    static LSTATUS readValue(const wchar_t* name, QByteArray& data)
    {
        DWORD size = 0;
        LSTATUS status =
            RegGetValueW(HKEY_CURRENT_USER, KeyName, name, RRF_RT_REG_BINARY, nullptr, nullptr, &size);
        if (status != ERROR_SUCCESS)
            return status;
        data.resize(qsizetype(size));
        status = RegGetValueW(HKEY_CURRENT_USER, KeyName, name, RRF_RT_REG_BINARY, nullptr,
                              data.data(), &size);
        data.resize(qsizetype(size));
        return status;
    }

    static bool writeValue(const wchar_t* name, const QByteArray& data, QString* error)
    {
        HKEY key = nullptr;
        LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, KeyName, 0, nullptr, 0, KEY_SET_VALUE,
                                         nullptr, &key, nullptr);
        if (status == ERROR_SUCCESS) {
            status = RegSetValueExW(key, name, 0, REG_BINARY,
                                    reinterpret_cast<const BYTE*>(data.constData()),
                                    DWORD(data.size()));
            RegCloseKey(key);
        }
        if (status != ERROR_SUCCESS) {
            *error = message(status);
            return false;
        }
        return true;
    }
};

} // namespace

std::unique_ptr<RecordStorage> makeUserRecordStorage()
{
    return std::make_unique<RegistryRecords>();
}
