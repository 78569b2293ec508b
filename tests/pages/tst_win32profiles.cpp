// The Setup page's profile buttons writing into the Windows registry through the Win32 API, read
// back through the API and with the system's own "reg query".
#include "FakeServices.h"
#include "WindowTestHelpers.h"

#include "launch/GameDirectory.h"
#include "pages/SetupPage.h"
#include "registry/Win32Registry.h"

#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>

#include <windows.h>

namespace {

const char kKey123[] = ".DEFAULT\\Software\\Ventaloft\\Brix Quorrel 2\\1.23\\Player0";
const char kGame124[] = ".DEFAULT\\Software\\Ventaloft\\Brix Quorrel 2 Special Edition";

struct Value {
    DWORD type = 0;
    QByteArray data;
    bool operator==(const Value&) const = default;
};

char* toString(const Value& value)
{
    return QTest::toString(QStringLiteral("type %1, bytes %2")
                               .arg(value.type)
                               .arg(QString::fromLatin1(value.data.toHex(' '))));
}

Value readValue(const char* key, const char* name)
{
    Value value;
    QByteArray data(256, '\0');
    DWORD bytes = DWORD(data.size());
    if (RegGetValueA(HKEY_USERS, key, name, RRF_RT_ANY | RRF_NOEXPAND, &value.type, data.data(),
                     &bytes) != ERROR_SUCCESS)
        return {};
    value.data = data.left(int(bytes));
    return value;
}

bool writeValue(const char* key, const char* name, DWORD type, const QByteArray& data)
{
    return RegSetKeyValueA(HKEY_USERS, key, name, type, data.constData(), DWORD(data.size())) ==
           ERROR_SUCCESS;
}

bool keyExists(const char* key)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_USERS, key, 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

// Console programs such as reg write in the OEM code page, not the ANSI one.
QString fromOem(const QByteArray& bytes)
{
    std::wstring text(std::size_t(bytes.size()), L'\0');
    const int length = MultiByteToWideChar(GetOEMCP(), 0, bytes.constData(), int(bytes.size()),
                                           text.data(), int(text.size()));
    return QString::fromWCharArray(text.data(), length);
}

// The line "reg query" prints for one value: name, type and data.
QString regQueryLine(const char* key, const QString& name)
{
    QProcess reg;
    reg.start(QStringLiteral("reg"),
              {QStringLiteral("query"), QStringLiteral("HKU\\") + QString::fromLatin1(key),
               QStringLiteral("/v"), name});
    if (!reg.waitForFinished(30000))
        return QStringLiteral("<reg did not finish>");
    for (const QString& line :
         fromOem(reg.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList fields = line.trimmed().split(QRegularExpression(QStringLiteral("\\s+")));
        if (fields.value(0) == name)
            return fields.join(QLatin1Char(' '));
    }
    return QStringLiteral("<no %1 in reg's output>").arg(name);
}

} // namespace

class TestWin32Profiles : public QObject {
    Q_OBJECT

    FakeServices m_fakes;
    GameDir m_gameDir;
    Win32Registry m_registry;
    std::unique_ptr<SetupPage> m_page;

    void type(const char* box, const QString& text)
    {
        control<QLineEdit>(*m_page, box)->setText(text);
    }
    void choose(const char* option) { control<QRadioButton>(*m_page, option)->setChecked(true); }
    void press(const char* button)
    {
        QTest::mouseClick(control<QPushButton>(*m_page, button), Qt::LeftButton);
    }

private Q_SLOTS:
    void init()
    {
        // The 1.23 edition is installed, with a profile the game made; the 1.24 one is not.
        RegDeleteTreeA(HKEY_USERS, ".DEFAULT\\Software\\Ventaloft");
        m_fakes.messages.shown.clear();
        QVERIFY(writeValue(kKey123, "Name", REG_SZ, QByteArray("Player", 7)));
        QVERIFY(writeValue(kKey123, "Color", REG_BINARY, QByteArray::fromHex("01020304")));
        QVERIFY(writeValue(kKey123, "Char", REG_BINARY, QByteArray::fromHex("36000000")));
        QVERIFY(writeValue(kKey123, "Score", REG_DWORD, QByteArray::fromHex("10000000")));
        m_page =
            std::make_unique<SetupPage>(m_registry, m_fakes.settings, m_fakes.messages, m_gameDir);
    }
    void cleanupTestCase() { RegDeleteTreeA(HKEY_USERS, ".DEFAULT\\Software\\Ventaloft"); }

    void eachButtonWritesOneValueAsOnEverySystem()
    {
        type("Alias", QStringLiteral("Zo\u00eb \"Q\""));
        press("Command6");
        type("FurColors", QStringLiteral("0A1B2C3D"));
        press("Command8");
        choose("Vosk");
        press("Command10");

        // The same types and bytes that the Wine prefix's file gets on Linux.
        QCOMPARE(readValue(kKey123, "Name"), (Value{REG_SZ, QByteArray("Zo\xeb \"Q\"", 8)}));
        QCOMPARE(readValue(kKey123, "Color"), (Value{REG_BINARY, QByteArray::fromHex("0a1b2c3d")}));
        QCOMPARE(readValue(kKey123, "Char"), (Value{REG_BINARY, QByteArray::fromHex("55000000")}));
        QCOMPARE(readValue(kKey123, "Score"), (Value{REG_DWORD, QByteArray::fromHex("10000000")}));
        QCOMPARE(regQueryLine(kKey123, QStringLiteral("Color")),
                 QStringLiteral("Color REG_BINARY 0A1B2C3D"));
        QCOMPARE(regQueryLine(kKey123, QStringLiteral("Char")),
                 QStringLiteral("Char REG_BINARY 55000000"));
        QCOMPARE(regQueryLine(kKey123, QStringLiteral("Name")),
                 QStringLiteral("Name REG_SZ Zo\u00eb \"Q\""));

        // Nyla is refused for 1.23: Brix is chosen and written instead.
        choose("Nyla");
        press("Command10");
        QCOMPARE(m_fakes.messages.shown.size(), size_t(1));
        QCOMPARE(readValue(kKey123, "Char"), (Value{REG_BINARY, QByteArray::fromHex("36000000")}));
    }

    void theMissingEditionStaysMissing()
    {
        choose("Nyla");
        for (const char* button : {"Command7", "Command9", "Command11"})
            press(button);
        QVERIFY(!keyExists(kGame124));
        QVERIFY(m_fakes.messages.shown.empty());
        QCOMPARE(readValue(kKey123, "Name"), (Value{REG_SZ, QByteArray("Player", 7)}));
    }
};

QTEST_MAIN(TestWin32Profiles)
#include "tst_win32profiles.moc"
