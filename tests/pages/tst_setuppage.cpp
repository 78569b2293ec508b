#include "FakeServices.h"
#include "WindowTestHelpers.h"
#include "registry/ValueEncoding.h"

#include "launch/GameDirectory.h"
#include "pages/SetupPage.h"
#include "registry/ValueEncoding.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QString kApp = QStringLiteral("Korvane 1.4/Settings/");
const QByteArray kKey123 = ".DEFAULT\\Software\\Ventaloft\\Brix Quorrel 2\\1.23\\Player0";
const QByteArray kKey124 =
    ".DEFAULT\\Software\\Ventaloft\\Brix Quorrel 2 Special Edition\\1.24\\Player0";

// The Setup page on its own, with fake services and a count of the game directories it set.
struct Page {
    Page()
    {
        QObject::connect(&gameDir, &GameDir::changed, &gameDir, [this](const QString& dir) {
            ++refreshes;
            refreshedWith.append(dir);
        });
    }
    FakeServices fakes;
    GameDir gameDir;
    int refreshes = 0;
    QStringList refreshedWith;
    SetupPage page{fakes.registry, fakes.settings, fakes.messages, gameDir};

    QLineEdit* edit(const char* name) { return control<QLineEdit>(page, name); }
    QRadioButton* option(const char* name) { return control<QRadioButton>(page, name); }
    void press(const char* name)
    {
        QTest::mouseClick(control<QPushButton>(page, name), Qt::LeftButton);
    }
    QString selected()
    {
        QString names;
        for (const char* name : {"Brix", "Vosk", "Nyla"})
            if (option(name)->isChecked())
                names += QLatin1String(name);
        return names;
    }
    QString stored(const char* key)
    {
        return fakes.settings.values.value(kApp + QLatin1String(key), QStringLiteral("<missing>"));
    }
};

} // namespace

class TestSetupPage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each game directory that takes effect is announced, and only those.
    void everyDirectoryThatTakesEffectIsAnnounced()
    {
        Page p;
        p.edit("TempBrixDir")->setText(QStringLiteral("/games/brix"));
        p.press("Command1");
        p.fakes.settings.values[kApp + QStringLiteral("Path")] = QStringLiteral("/saved/brix");
        p.press("Command3");
        p.fakes.settings.failReads = true;
        p.press("Command3");
        QCOMPARE(p.refreshedWith, (QStringList{QStringLiteral("/games/brix") + directorySeparator(),
                                               QStringLiteral("/saved/brix")}));
    }

    void saveStoresTheAcceptedDirectoryAndTheBoxes()
    {
        Page p;
        // Before any Accept the directory is empty, and no character is chosen.
        p.press("Command2");
        QCOMPARE(p.stored("Path"), QString());
        QCOMPARE(p.stored("Alias"), QStringLiteral("Enter Alias..."));
        QCOMPARE(p.stored("Fur"), QStringLiteral("Enter Fur Colors (in hex)..."));
        QCOMPARE(p.stored("Char"), QString());

        p.edit("TempBrixDir")->setText(QStringLiteral("C:\\Games"));
        p.press("Command1");
        const QString accepted = p.gameDir.text();
        QVERIFY(accepted.startsWith(QLatin1String("C:\\Games")));
        p.edit("TempBrixDir")->setText(QStringLiteral("typed but not accepted"));
        p.edit("Alias")->setText(QStringLiteral("Zo\u00eb"));
        p.edit("FurColors")->setText(QStringLiteral("0A1B2C3D"));
        p.option("Vosk")->setChecked(true);
        p.press("Command2");
        QCOMPARE(p.stored("Path"), accepted);
        QCOMPARE(p.stored("Alias"), QStringLiteral("Zo\u00eb"));
        QCOMPARE(p.stored("Fur"), QStringLiteral("0A1B2C3D"));
        QCOMPARE(p.stored("Char"), QStringLiteral("vosk"));
        QVERIFY(p.fakes.messages.shown.empty());

        // Load brings back the accepted directory with its separator.
        Page other;
        other.fakes.settings.values = p.fakes.settings.values;
        other.press("Command3");
        QCOMPARE(other.gameDir.text(), accepted);
        QCOMPARE(other.edit("TempBrixDir")->text(), accepted);
        QCOMPARE(other.edit("Alias")->text(), QStringLiteral("Zo\u00eb"));
        QCOMPARE(other.edit("FurColors")->text(), QStringLiteral("0A1B2C3D"));
        QCOMPARE(other.selected(), QStringLiteral("Vosk"));
        QCOMPARE(other.refreshedWith, QStringList{accepted});
    }

    void loadWithNothingSavedGivesTheDefaults()
    {
        Page p;
        p.press("Command3");
        QCOMPARE(p.gameDir.text(), QStringLiteral("Brix Quorrel 2 Directory"));
        QCOMPARE(p.edit("TempBrixDir")->text(), QStringLiteral("Brix Quorrel 2 Directory"));
        QCOMPARE(p.edit("Alias")->text(), QStringLiteral("Enter Alias..."));
        QCOMPARE(p.edit("FurColors")->text(), QStringLiteral("Enter Fu"));
        QCOMPARE(p.selected(), QStringLiteral("Brix"));
        QCOMPARE(p.refreshedWith, QStringList{QStringLiteral("Brix Quorrel 2 Directory")});
        QVERIFY(p.fakes.settings.values.isEmpty()); // Load writes nothing
    }

    void loadCutsToTheLimitsAndKeepsTheSelectionForUnknownCodes()
    {
        Page p;
        p.fakes.settings.values[kApp + QLatin1String("Path")] = QString();
        p.fakes.settings.values[kApp + QLatin1String("Alias")] =
            QStringLiteral("ABCDEFGHIJKLMNOPQRST");
        p.fakes.settings.values[kApp + QLatin1String("Fur")] = QStringLiteral("0A1B2C3D4E");
        p.fakes.settings.values[kApp + QLatin1String("Char")] = QString();
        p.option("Nyla")->setChecked(true);
        p.press("Command3");
        QCOMPARE(p.gameDir.text(), QString());
        QCOMPARE(p.edit("TempBrixDir")->text(), QString());
        QCOMPARE(p.edit("Alias")->text(), QStringLiteral("ABCDEFGHIJKLMN"));
        QCOMPARE(p.edit("FurColors")->text(), QStringLiteral("0A1B2C3D"));
        // An empty stored code is not a missing key: the selection stays.
        QCOMPARE(p.selected(), QStringLiteral("Nyla"));
        QCOMPARE(p.refreshes, 1);

        for (const QString& code :
             {QStringLiteral("Brix"), QStringLiteral("brix "), QStringLiteral("nyl")}) {
            p.fakes.settings.values[kApp + QLatin1String("Char")] = code;
            p.press("Command3");
            QCOMPARE(p.selected(), QStringLiteral("Nyla"));
        }
        p.fakes.settings.values[kApp + QLatin1String("Char")] = QStringLiteral("vosk");
        p.press("Command3");
        QCOMPARE(p.selected(), QStringLiteral("Vosk"));
    }

    void aStoreThatFailsIsReportedAndChangesNothing()
    {
        Page p;
        p.fakes.settings.values[kApp + QLatin1String("Alias")] = QStringLiteral("Kept");
        p.fakes.settings.failWrites = true;
        p.edit("Alias")->setText(QStringLiteral("New"));
        p.press("Command2");
        QCOMPARE(p.fakes.messages.shown.size(), size_t(1));
        QCOMPARE(p.fakes.messages.shown[0].caption, QStringLiteral("Korvane 1.4"));
        QVERIFY(p.fakes.messages.shown[0].warning);
        QVERIFY(p.fakes.messages.shown[0].text.contains(QStringLiteral("could not be saved")));
        QVERIFY(p.fakes.messages.shown[0].text.contains(QStringLiteral("disk full")));
        QCOMPARE(p.stored("Alias"), QStringLiteral("Kept"));

        p.fakes.settings.failWrites = false;
        p.fakes.settings.failReads = true;
        p.press("Command3");
        QCOMPARE(p.fakes.messages.shown.size(), size_t(2));
        QVERIFY(p.fakes.messages.shown[1].text.contains(QStringLiteral("could not be loaded")));
        QCOMPARE(p.edit("Alias")->text(), QStringLiteral("New"));
        QCOMPARE(p.edit("TempBrixDir")->text(), QStringLiteral("Brix Quorrel 2 Directory"));
        QCOMPARE(p.gameDir.text(), QString());
        QCOMPARE(p.selected(), QString());
        QCOMPARE(p.refreshes, 0);
    }

    void typingStopsAtTheLimit()
    {
        Page p;
        p.page.show();
        QLineEdit* fur = p.edit("FurColors");
        // The long start text is shown whole, and typing cannot make it longer.
        QCOMPARE(fur->text(), QStringLiteral("Enter Fur Colors (in hex)..."));
        fur->setFocus();
        fur->end(false);
        QTest::keyClicks(fur, QStringLiteral("x"));
        QCOMPARE(fur->text(), QStringLiteral("Enter Fur Colors (in hex)..."));
        // Deleting works; typing over a selection deletes it but adds nothing while the rest is
        // still longer than the limit.
        QTest::keyClick(fur, Qt::Key_Backspace);
        QCOMPARE(fur->text(), QStringLiteral("Enter Fur Colors (in hex).."));
        fur->setSelection(0, 6);
        QTest::keyClicks(fur, QStringLiteral("Z"));
        QCOMPARE(fur->text(), QStringLiteral("Fur Colors (in hex).."));

        fur->selectAll();
        QTest::keyClicks(fur, QStringLiteral("0A1B2C3D4E"));
        QCOMPARE(fur->text(), QStringLiteral("0A1B2C3D"));

        // Pasting over a selection keeps only what fits.
        fur->setSelection(2, 4);
        QApplication::clipboard()->setText(QStringLiteral("xyz123"));
        fur->paste();
        QCOMPARE(fur->text(), QStringLiteral("0Axyz13D"));
        fur->setCursorPosition(3);
        fur->paste();
        QCOMPARE(fur->text(), QStringLiteral("0Axyz13D"));
        fur->setText(QStringLiteral("0A"));
        fur->setCursorPosition(1);
        fur->paste();
        QCOMPARE(fur->text(), QStringLiteral("0xyz123A"));

        QLineEdit* alias = p.edit("Alias");
        alias->selectAll();
        QTest::keyClicks(alias, QStringLiteral("ABCDEFGHIJKLMNOPQ"));
        QCOMPARE(alias->text(), QStringLiteral("ABCDEFGHIJKLMN"));
        // Text the program puts in is not cut by the box itself.
        alias->setText(QStringLiteral("A name longer than fourteen"));
        QCOMPARE(alias->text(), QStringLiteral("A name longer than fourteen"));
    }

    void eachProfileButtonWritesOneValue()
    {
        Page p;
        p.fakes.registry.existingKeys = {kKey123, kKey124};
        p.edit("Alias")->setText(QStringLiteral("Zo\u00eb"));
        p.edit("FurColors")->setText(QStringLiteral("0A1B2C3D"));
        p.option("Vosk")->setChecked(true);
        struct Press {
            const char* button;
            QByteArray key, name;
            quint32 type;
            QByteArray data;
        };
        // The name in the system's 8-bit texts, with its terminating zero.
        const QByteArray name = encoding::toAnsi(QStringLiteral("Zo\u00eb")) + '\0';
        const Press presses[] = {
            {"Command6", kKey123, "Name", 1, name},
            {"Command7", kKey124, "Name", 1, name},
            {"Command8", kKey123, "Color", 3, QByteArray::fromHex("0a1b2c3d")},
            {"Command9", kKey124, "Color", 3, QByteArray::fromHex("0a1b2c3d")},
            {"Command10", kKey123, "Char", 3, QByteArray::fromHex("55000000")},
            {"Command11", kKey124, "Char", 3, QByteArray::fromHex("59000000")},
        };
        for (const Press& press : presses) {
            p.fakes.registry.written.clear();
            p.fakes.registry.opened.clear();
            p.press(press.button);
            QCOMPARE(p.fakes.registry.opened, QList<QByteArray>{press.key});
            QCOMPARE(p.fakes.registry.written.size(), size_t(1));
            const FakeRegistry::Write& w = p.fakes.registry.written[0];
            QCOMPARE(w.key, press.key);
            QCOMPARE(w.name, press.name);
            QCOMPARE(w.type, press.type);
            QCOMPARE(w.data, press.data);
        }
        // Every opened key was given back.
        QCOMPARE(p.fakes.registry.closed.size(), 6);

        p.option("Brix")->setChecked(true);
        p.fakes.registry.written.clear();
        p.press("Command10");
        p.press("Command11");
        QCOMPARE(p.fakes.registry.written.size(), size_t(2));
        QCOMPARE(p.fakes.registry.written[0].data, QByteArray::fromHex("36000000"));
        QCOMPARE(p.fakes.registry.written[1].data, QByteArray::fromHex("37000000"));
        QVERIFY(p.fakes.messages.shown.empty());
    }

    void startTextsAndEmptyBoxesAreWrittenToo()
    {
        Page p;
        p.fakes.registry.existingKeys = {kKey123};
        p.press("Command6");
        p.press("Command8");
        p.edit("Alias")->setText(QString());
        p.edit("FurColors")->setText(QString());
        p.press("Command6");
        p.press("Command8");
        QCOMPARE(p.fakes.registry.written.size(), size_t(4));
        QCOMPARE(p.fakes.registry.written[0].data, QByteArray("Enter Alias...\0", 15));
        QCOMPARE(p.fakes.registry.written[1].data, QByteArray::fromHex("0f000000"));
        QCOMPARE(p.fakes.registry.written[2].data, QByteArray(1, '\0'));
        QCOMPARE(p.fakes.registry.written[3].data, QByteArray::fromHex("00000000"));
    }

    void nothingIsWrittenWithoutTheKeyOrACharacter()
    {
        Page p;
        p.fakes.registry.existingKeys = {kKey123}; // only 1.23 is installed
        for (const char* button : {"Command7", "Command9", "Command11"})
            p.press(button);
        QCOMPARE(p.fakes.registry.opened.size(), 3);
        QVERIFY(p.fakes.registry.written.empty());
        QVERIFY(p.fakes.registry.closed.isEmpty());

        // No character chosen: both character buttons write nothing and say nothing.
        p.press("Command10");
        p.press("Command11");
        QVERIFY(p.fakes.registry.written.empty());
        QVERIFY(p.fakes.messages.shown.empty());
    }

    void nylaIsRefusedFor123()
    {
        for (const bool installed : {true, false}) {
            Page p;
            if (installed)
                p.fakes.registry.existingKeys = {kKey123, kKey124};
            p.option("Nyla")->setChecked(true);
            p.press("Command10");
            QCOMPARE(p.fakes.messages.shown.size(), size_t(1));
            QCOMPARE(p.fakes.messages.shown[0].caption, QStringLiteral("Korvane 1.4"));
            QCOMPARE(p.fakes.messages.shown[0].text,
                     QStringLiteral("Error, No Nyla in 1.23, You are now set to Brix"));
            QVERIFY(!p.fakes.messages.shown[0].warning); // OK only, no icon
            QCOMPARE(p.selected(), QStringLiteral("Brix"));
            if (installed) {
                QCOMPARE(p.fakes.registry.written.size(), size_t(1));
                QCOMPARE(p.fakes.registry.written[0].data, QByteArray::fromHex("36000000"));
            } else {
                QVERIFY(p.fakes.registry.written.empty());
            }
            // Saving now stores Brix.
            p.press("Command2");
            QCOMPARE(p.stored("Char"), QStringLiteral("brix"));
        }

        Page rkv;
        rkv.fakes.registry.existingKeys = {kKey124};
        rkv.option("Nyla")->setChecked(true);
        rkv.press("Command11");
        QVERIFY(rkv.fakes.messages.shown.empty());
        QCOMPARE(rkv.fakes.registry.written.size(), size_t(1));
        QCOMPARE(rkv.fakes.registry.written[0].data, QByteArray::fromHex("3d000000"));
        QCOMPARE(rkv.selected(), QStringLiteral("Nyla"));
    }
};

QTEST_MAIN(TestSetupPage)
#include "tst_setuppage.moc"
