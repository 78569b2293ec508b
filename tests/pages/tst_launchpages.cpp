#include "FakeServices.h"
#include "WindowTestHelpers.h"

#include "launch/GameDirectory.h"
#include "pages/FileListBox.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

const QString Sep = directorySeparator();

void touch(const QString& dir, const QStringList& names)
{
    for (const QString& name : names) {
        QFile file(QDir(dir).filePath(name));
        QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(name));
    }
}

QString labelText(QWidget& window, const char* name)
{
    return control<QLabel>(window, name)->text();
}

void click(QWidget& window, const char* button)
{
    QTest::mouseClick(control<QPushButton>(window, button), Qt::LeftButton);
}

// Types a directory on the Setup page and presses "Accept".
void accept(QWidget& window, const QString& typed)
{
    chooseTab(window, 4);
    control<QLineEdit>(window, "TempBrixDir")->setText(typed);
    click(window, "Command1");
}

void clickItem(QWidget& window, const char* listName, const QString& text)
{
    auto* list = control<QListWidget>(window, listName);
    const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!items.isEmpty(), qPrintable(text));
    list->scrollToItem(items.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(items.first()).center());
}

QStringList startedTexts(const FakeServices& fakes)
{
    QStringList texts;
    for (const CommandLine& line : fakes.programs.started)
        texts.append(line.text());
    return texts;
}

} // namespace

class TestLaunchPages : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_games; // two game directories, "one" and "two"
    QString m_one;         // with the separator at the end
    QString m_two;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_games.isValid());
        QDir root(m_games.path());
        QVERIFY(root.mkdir(QStringLiteral("one")) && root.mkdir(QStringLiteral("two")));
        m_one = root.filePath(QStringLiteral("one")) + Sep;
        m_two = root.filePath(QStringLiteral("two")) + Sep;
        touch(m_one, {QStringLiteral("battle1.b2l"), QStringLiteral("CTF Arena.B2L"),
                      QStringLiteral("race.b2l"), QStringLiteral("castle.b2t"),
                      QStringLiteral("theme.b2b"), QStringLiteral("song.mod"),
                      QStringLiteral("loop.XM"), QStringLiteral("brix2.exe")});
        touch(m_two, {QStringLiteral("notes.txt")});
    }

    void acceptEndsTheDirectoryAndFillsTheLists()
    {
        FakeServices fakes;
        Form1 window(fakes.services());
        window.show();
        auto* box = control<QLineEdit>(window, "TempBrixDir");

        accept(window, m_one.chopped(1));
        QCOMPARE(box->text(), m_one);
        QCOMPARE(control<FileListBox>(window, "File1")->listCount(), 3);
        QCOMPARE(control<FileListBox>(window, "LevList")->item(0)->text(),
                 QStringLiteral("battle1.b2l"));
        QCOMPARE(labelText(window, "LCount"), QStringLiteral("3"));
        QCOMPARE(labelText(window, "TCount"), QStringLiteral("1"));
        QCOMPARE(labelText(window, "MCount"), QStringLiteral("3"));

        // Pressed again, the separator is not doubled; the command lines begin with the box's text.
        click(window, "Command1");
        QCOMPARE(box->text(), m_one);
        clickPanel(window, "StatusBar1", QStringLiteral("New Window"));
        QCOMPARE(startedTexts(fakes),
                 QStringList{m_one + QStringLiteral("brix2.exe -server battle1.b2l")});

        // Typing without "Accept" changes nothing.
        box->setText(m_two);
        clickPanel(window, "StatusBar1", QStringLiteral("New Window"));
        QCOMPARE(fakes.programs.started.back().program, m_one + QStringLiteral("brix2.exe"));
        QCOMPARE(labelText(window, "LCount"), QStringLiteral("3"));

        // A directory without any level gives empty lists and zero counts.
        click(window, "Command1");
        QCOMPARE(labelText(window, "LCount"), QStringLiteral("0"));
        QCOMPARE(labelText(window, "MCount"), QStringLiteral("0"));
        QCOMPARE(control<FileListBox>(window, "File1")->listCount(), 0);
        QVERIFY(fakes.messages.shown.empty());
        // What follows the game directory heard of each one that took effect.
        QCOMPARE(fakes.gameDirectory.chosen, (QStringList{m_one, m_one, m_two}));
    }

    void acceptKeepsWhatWasTypedBeforeTheSeparator()
    {
        FakeServices fakes;
        Form1 window(fakes.services());
        window.show();
        auto* box = control<QLineEdit>(window, "TempBrixDir");
        accept(window, box->text()); // the untouched start text
        QCOMPARE(box->text(), QStringLiteral("Brix Quorrel 2 Directory") + Sep);
        accept(window, m_one + QStringLiteral("nothing "));
        QCOMPARE(box->text(), m_one + QStringLiteral("nothing ") + Sep);
        accept(window, QString());
        QCOMPARE(box->text(), Sep);
    }

    void countsReadZeroUntilTheFirstAccept()
    {
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_one));
        FakeServices fakes;
        Form1 window(fakes.services());
        QDir::setCurrent(previous);
        QCOMPARE(control<FileListBox>(window, "LevList")->listCount(), 3); // the working directory
        QCOMPARE(control<FileListBox>(window, "File1")->listCount(), 3);
        for (const char* count : {"LCount", "TCount", "MCount"})
            QCOMPARE(labelText(window, count), QStringLiteral("0"));
    }

    void aDirectoryThatCannotBeListedIsReported()
    {
        FakeServices fakes;
        Form1 window(fakes.services());
        window.show();
        accept(window, m_one);
        const QString missing = m_games.path() + QStringLiteral("/gone");
        accept(window, missing);

        QCOMPARE(fakes.messages.shown.size(), size_t(1));
        QCOMPARE(fakes.messages.shown[0].caption, QStringLiteral("Korvane 1.4"));
        QVERIFY2(fakes.messages.shown[0].text.contains(missing),
                 qPrintable(fakes.messages.shown[0].text));
        QVERIFY(fakes.messages.shown[0].text.contains(QStringLiteral("does not exist")));
        // The box and the game directory already hold the new text; the lists and counts do not.
        QCOMPARE(control<QLineEdit>(window, "TempBrixDir")->text(), missing + Sep);
        clickPanel(window, "StatusBar1", QStringLiteral("New Window"));
        QCOMPARE(fakes.programs.started.back().program,
                 missing + Sep + QStringLiteral("brix2.exe"));
        QCOMPARE(control<FileListBox>(window, "MusicList")->listCount(), 3);
        QCOMPARE(control<FileListBox>(window, "File1")->path(), QDir(m_one).absolutePath());
        QCOMPARE(labelText(window, "LCount"), QStringLiteral("3"));
        QVERIFY(window.isVisible());
    }

    void hostingRightAfterStartUpLeavesEveryChoiceEmpty()
    {
        FakeServices fakes;
        Form1 window(fakes.services());
        window.show();
        chooseTab(window, 2);
        // The boxes show numbers, but none is accepted until its "Okay".
        QCOMPARE(control<QLineEdit>(window, "Text1")->text(), QStringLiteral("32"));
        click(window, "Command18");
        QCOMPARE(startedTexts(fakes),
                 QStringList{QStringLiteral("brix2.exe -server -counts  -maxplayers  - ")});
    }

    void hostingUsesTheAcceptedChoices()
    {
        FakeServices fakes;
        Form1 window(fakes.services());
        window.show();
        accept(window, m_one);
        chooseTab(window, 2);
        clickItem(window, "File1", QStringLiteral("CTF Arena.B2L"));
        QCOMPARE(labelText(window, "CurLev"), QStringLiteral("CTF Arena.B2L"));
        clickItem(window, "List2", QStringLiteral("Capture"));
        QCOMPARE(labelText(window, "CurType"), QStringLiteral("Capture"));
        click(window, "Command17");
        click(window, "Command16");
        // Edited after "Okay", a box no longer counts until "Okay" again.
        control<QLineEdit>(window, "Text1")->setText(QStringLiteral("8"));
        click(window, "Command18");
        QCOMPARE(startedTexts(fakes).value(0),
                 m_one + QStringLiteral("brix2.exe -server -counts 10 -maxplayers 32 -Capture "
                                        "\"CTF Arena.B2L\""));

        // A typed blank stays; an empty box is accepted as empty.
        control<QLineEdit>(window, "Text2")->setText(QStringLiteral("1 0"));
        click(window, "Command16");
        control<QLineEdit>(window, "Text1")->clear();
        click(window, "Command17");
        // The level chosen before stays when the lists move to another directory.
        accept(window, m_two);
        chooseTab(window, 2);
        QCOMPARE(labelText(window, "CurLev"), QStringLiteral("CTF Arena.B2L"));
        click(window, "Command18");
        QCOMPARE(startedTexts(fakes).value(1),
                 m_two + QStringLiteral("brix2.exe -server -counts 1 0 -maxplayers  -Capture "
                                        "\"CTF Arena.B2L\""));
    }

    void keyboardSelectionUpdatesTheCaptions()
    {
        FakeServices fakes;
        Form1 window(fakes.services());
        window.show();
        accept(window, m_one);
        chooseTab(window, 2);
        auto* levels = control<FileListBox>(window, "File1");
        levels->setFocus();
        QTest::keyClick(levels, Qt::Key_Down);
        QCOMPARE(labelText(window, "CurLev"), QStringLiteral("battle1.b2l"));
        QTest::keyClick(levels, Qt::Key_End);
        QCOMPARE(labelText(window, "CurLev"), QStringLiteral("race.b2l"));
        QTest::keyClick(levels, Qt::Key_Up);
        QCOMPARE(labelText(window, "CurLev"), QStringLiteral("CTF Arena.B2L"));
        auto* types = control<QListWidget>(window, "List2");
        types->setFocus();
        QTest::keyClick(types, Qt::Key_Down);
        QCOMPARE(labelText(window, "CurType"), QStringLiteral("Battle"));
        QTest::keyClick(types, Qt::Key_End);
        QCOMPARE(labelText(window, "CurType"), QStringLiteral("Treasure"));

        chooseTab(window, 3);
        auto* levList = control<FileListBox>(window, "LevList");
        QCOMPARE(labelText(window, "Label10"), QStringLiteral("b2l"));
        levList->setFocus();
        QTest::keyClick(levList, Qt::Key_Down);
        QTest::keyClick(levList, Qt::Key_Down);
        QCOMPARE(labelText(window, "Label10"), QStringLiteral("CTF Arena.B2L"));
    }

    void theFileManagerOpensTheSelectedLevel()
    {
        FakeServices fakes;
        Form1 window(fakes.services());
        window.show();
        accept(window, m_one);
        chooseTab(window, 3);
        // Nothing selected: the level piece is empty.
        click(window, "Command19");
        click(window, "Command20");
        clickItem(window, "LevList", QStringLiteral("CTF Arena.B2L"));
        QCOMPARE(labelText(window, "Label10"), QStringLiteral("CTF Arena.B2L"));
        click(window, "Command19");
        click(window, "Command20");
        // Another directory: the caption keeps the old level, the buttons use the new selection.
        accept(window, m_two);
        chooseTab(window, 3);
        QCOMPARE(labelText(window, "Label10"), QStringLiteral("CTF Arena.B2L"));
        click(window, "Command20");
        QCOMPARE(
            startedTexts(fakes),
            (QStringList{m_one + QStringLiteral("brix2.exe "), m_one + QStringLiteral("qle.exe "),
                         m_one + QStringLiteral("brix2.exe \"CTF Arena.B2L\""),
                         m_one + QStringLiteral("qle.exe \"CTF Arena.B2L\""),
                         m_two + QStringLiteral("qle.exe ")}));
        QVERIFY(fakes.messages.shown.empty());
    }

    void aFailedStartIsReportedAndChangesNothing()
    {
        FakeServices fakes;
        fakes.programs.nextResult = {false, QStringLiteral("There is no such file.")};
        Form1 window(fakes.services());
        window.show();
        accept(window, QStringLiteral("Brix Quorrel 2 Directory"));
        const size_t listingMessages =
            fakes.messages.shown.size(); // the placeholder is no directory
        QCOMPARE(listingMessages, size_t(1));
        chooseTab(window, 3);
        for (const char* button : {"Command19", "Command20"})
            click(window, button);
        chooseTab(window, 2);
        click(window, "Command18");
        QCOMPARE(fakes.messages.shown.size(), listingMessages + 3);
        const auto& editor = fakes.messages.shown[listingMessages + 1];
        QCOMPARE(editor.caption, QStringLiteral("Korvane 1.4"));
        QVERIFY2(editor.text.contains(QStringLiteral("Brix Quorrel 2 Directory") + Sep +
                                      QStringLiteral("qle.exe")),
                 qPrintable(editor.text));
        QVERIFY(editor.text.contains(QStringLiteral("There is no such file.")));
        QVERIFY(editor.warning);
        QVERIFY(window.isVisible());
        QCOMPARE(window.windowTitle(), QStringLiteral("Korvane 1.4 -> Host Game"));

        // "New Window" stays silent about the same failure.
        clickPanel(window, "StatusBar1", QStringLiteral("New Window"));
        QCOMPARE(fakes.messages.shown.size(), listingMessages + 3);
        QCOMPARE(fakes.programs.started.size(), size_t(4));
    }
};

QTEST_MAIN(TestLaunchPages)
#include "tst_launchpages.moc"
