// The launcher's settings in the Windows registry, where the classic SaveSetting kept them.
#include "setup/LauncherSettings.h"
#include "setup/UserSettingsStore.h"

#include <QTest>

#include <windows.h>

namespace {

const QString kApp = QStringLiteral("Korvane 1.4");
const wchar_t kSettingsKey[] = L"Software\\VB and VBA Program Settings\\Korvane 1.4\\Settings";

void clearSettings()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Korvane 1.4");
}

// Writes a value the way another program would, bypassing the store.
bool putValue(const wchar_t* name, DWORD type, const void* data, DWORD bytes)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    const bool ok =
        RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

// A value as another program reads it: its type and its bytes.
std::pair<DWORD, QByteArray> rawValue(const wchar_t* name)
{
    DWORD type = 0;
    QByteArray data(1024, '\0');
    DWORD bytes = DWORD(data.size());
    if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_ANY | RRF_NOEXPAND, &type,
                     data.data(), &bytes) != ERROR_SUCCESS)
        return {0, {}};
    data.resize(bytes);
    return {type, data};
}

QByteArray utf16z(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), (text.size() + 1) * 2);
}

} // namespace

class TestVbSettingsStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { clearSettings(); }
    void cleanupTestCase() { clearSettings(); }

    void saveWritesStringValuesWhereTheClassicProgramKeptThem()
    {
        UserSettingsStore store;
        const LauncherSettings saved{QStringLiteral("C:\\Games\\Brix\\"),
                                     QStringLiteral("Zo\u00eb"), QStringLiteral("0A1B2C3D"),
                                     QStringLiteral("nyla")};
        QVERIFY2(saved.save(store), qPrintable(store.error()));
        QCOMPARE(store.location(kApp),
                 QStringLiteral(
                     "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Korvane 1.4"));
        QCOMPARE(rawValue(L"Path"), std::make_pair(DWORD(REG_SZ), utf16z(saved.path)));
        QCOMPARE(rawValue(L"Alias"), std::make_pair(DWORD(REG_SZ), utf16z(saved.alias)));
        QCOMPARE(rawValue(L"Fur"), std::make_pair(DWORD(REG_SZ), utf16z(saved.fur)));
        QCOMPARE(rawValue(L"Char"), std::make_pair(DWORD(REG_SZ), utf16z(saved.character)));

        const std::optional<LauncherSettings> loaded = LauncherSettings::load(store);
        QVERIFY(loaded);
        QCOMPARE(loaded->path, saved.path);
        QCOMPARE(loaded->alias, saved.alias);
        QCOMPARE(loaded->fur, saved.fur);
        QCOMPARE(loaded->character, saved.character);
    }

    void existingSettingsLoadUnchangedAndMissingOnesGiveDefaults()
    {
        // As an earlier version left them: an ANSI string, an empty value, one without its
        // terminating zero, and no "Char" at all.
        const char path[] = "D:\\Brix Quorrel 2\\";
        QVERIFY(RegSetKeyValueA(HKEY_CURRENT_USER,
                                "Software\\VB and VBA Program Settings\\Korvane 1.4\\Settings",
                                "Path", REG_SZ, path, sizeof path) == ERROR_SUCCESS);
        QVERIFY(putValue(L"Alias", REG_SZ, L"", sizeof(wchar_t)));
        QVERIFY(putValue(L"Fur", REG_SZ, L"1234", 4 * sizeof(wchar_t)));

        UserSettingsStore store;
        const std::optional<LauncherSettings> loaded = LauncherSettings::load(store);
        QVERIFY2(loaded, qPrintable(store.error()));
        QCOMPARE(loaded->path, QStringLiteral("D:\\Brix Quorrel 2\\"));
        QCOMPARE(loaded->alias, QString());
        QCOMPARE(loaded->fur, QStringLiteral("1234"));
        QCOMPARE(loaded->character, QStringLiteral("brix"));

        clearSettings();
        const std::optional<LauncherSettings> defaults = LauncherSettings::load(store);
        QVERIFY(defaults);
        QCOMPARE(defaults->path, QStringLiteral("Brix Quorrel 2 Directory"));
        QCOMPARE(defaults->alias, QStringLiteral("Enter Alias..."));
        QCOMPARE(defaults->fur, QStringLiteral("Enter Fur Colors (in hex)..."));
        QCOMPARE(defaults->character, QStringLiteral("brix"));
        QVERIFY(store.error().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestVbSettingsStore)
#include "tst_vbsettingsstore.moc"
