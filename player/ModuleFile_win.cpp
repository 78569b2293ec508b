#include "player/ModuleFile.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace modplug {

namespace {

std::wstring widePath(const char* utf8)
{
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, nullptr, 0);
    if (length <= 1)
        return {};
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, wide.data(), length);
    wide.resize(std::size_t(length - 1));
    return wide;
}

bool isSensibleSize(LONGLONG size)
{
    return size > 0 && size <= maxModuleFileBytes;
}

class FileHandle {
public:
    explicit FileHandle(HANDLE handle)
        : m_handle(handle)
    {
    }
    ~FileHandle()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

} // namespace

bool readModuleFile(const char* path, std::vector<char>& bytes)
{
    if (path == nullptr || *path == '\0')
        return false;
    const std::wstring wide = widePath(path);
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (wide.empty() || !GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &attributes) ||
        (attributes.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return false;

    // Devices (CON, NUL, COM1) and pipes are not disk files; the handle says so, whatever the
    // name looked like. The size is taken again from the handle in case the file changed.
    const FileHandle file(CreateFileW(wide.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (file.get() == INVALID_HANDLE_VALUE || GetFileType(file.get()) != FILE_TYPE_DISK ||
        !GetFileSizeEx(file.get(), &size) || !isSensibleSize(size.QuadPart))
        return false;

    bytes.resize(std::size_t(size.QuadPart));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const DWORD wanted = DWORD(std::min<std::size_t>(bytes.size() - got, 1u << 30));
        DWORD n = 0;
        if (!ReadFile(file.get(), bytes.data() + got, wanted, &n, nullptr))
            return false;
        if (n == 0)
            break; // the file shrank while we read it; take what is there
        got += n;
    }
    bytes.resize(got);
    return got > 0;
}

} // namespace modplug
