// Stands in for the game under Windows: writes the command line it was started with, then the
// arguments the system's rules make of it, one per line, as UTF-16 to "<its own path>.received",
// and ends. The file appears whole or not at all.
#include <windows.h>

#include <shellapi.h>

namespace {

void put(HANDLE file, const wchar_t* text)
{
    DWORD written = 0;
    WriteFile(file, text, DWORD(lstrlenW(text) * sizeof(wchar_t)), &written, nullptr);
}

} // namespace

int main()
{
    wchar_t received[MAX_PATH + 16];
    wchar_t partial[MAX_PATH + 16];
    if (GetModuleFileNameW(nullptr, received, MAX_PATH) == 0)
        return 1;
    lstrcpyW(partial, received);
    lstrcatW(received, L".received");
    lstrcatW(partial, L".partial");

    const HANDLE file = CreateFileW(partial, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    const wchar_t* line = GetCommandLineW();
    put(file, line);
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(line, &count);
    for (int i = 0; arguments != nullptr && i < count; ++i) {
        put(file, L"\n");
        put(file, arguments[i]);
    }
    LocalFree(arguments);
    CloseHandle(file);
    return MoveFileExW(partial, received, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
