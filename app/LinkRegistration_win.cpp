#include "app/LinkRegistration.h"

#include <QString>

#include <windows.h>

#include <vector>

namespace {

// Under the user's own classes: no administrator is needed, and no other user is touched.
const wchar_t* const ClassKey = L"Software\\Classes\\brix2";
const wchar_t* const CommandKey = L"Software\\Classes\\brix2\\shell\\open\\command";

// Wine's shell finds URL handlers only among the machine's classes, which it does not merge with
// the user's; a Wine prefix belongs to one user, so there the handler goes into both.
bool runningUnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

std::vector<HKEY> roots()
{
    if (runningUnderWine())
        return {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};
    return {HKEY_CURRENT_USER};
}

bool setString(HKEY key, const wchar_t* name, const QString& value)
{
    const std::wstring text = value.toStdWString();
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          DWORD((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool createKey(HKEY root, const wchar_t* path, HKEY& key)
{
    return RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
           ERROR_SUCCESS;
}

QString thisProgram()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0)
            return {};
        if (length < path.size())
            return QString::fromWCharArray(path.data(), int(length));
        path.resize(path.size() * 2);
    }
}

} // namespace

bool registerLinkHandler(QString& message)
{
    const QString program = thisProgram();
    // The program path is quoted (it may hold blanks), and so is the link: the shell puts it in
    // place of %1 as one argument.
    const QString command = QLatin1Char('"') + program + QStringLiteral("\" \"%1\"");
    bool done = !program.isEmpty();
    for (HKEY root : roots()) {
        HKEY scheme = nullptr;
        HKEY open = nullptr;
        done = done && createKey(root, ClassKey, scheme) &&
               setString(scheme, nullptr, QStringLiteral("URL:Brix Quorrel 2 join link")) &&
               setString(scheme, L"URL Protocol", QString()) && createKey(root, CommandKey, open) &&
               setString(open, nullptr, command);
        if (open)
            RegCloseKey(open);
        if (scheme)
            RegCloseKey(scheme);
    }
    if (!done) {
        unregisterLinkHandler(message);
        message = QStringLiteral("korvane: brix2:// links could not be registered in "
                                 "HKEY_CURRENT_USER\\Software\\Classes\\brix2.\n");
        return false;
    }
    message = QStringLiteral("brix2:// links now open %1\n").arg(program);
    return true;
}

bool unregisterLinkHandler(QString& message)
{
    bool done = true;
    for (HKEY root : roots()) {
        const LSTATUS status = RegDeleteTreeW(root, ClassKey);
        done = done && (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND);
    }
    if (!done) {
        message = QStringLiteral("korvane: HKEY_CURRENT_USER\\Software\\Classes\\brix2 could not "
                                 "be removed.\n");
        return false;
    }
    message = QStringLiteral("brix2:// links are no longer opened by this program.\n");
    return true;
}
