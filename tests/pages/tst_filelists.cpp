#include "launch/DirectoryFiles.h"
#include "launch/FileListing.h"
#include "pages/FileListBox.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#else
#include <windows.h>
#endif

namespace {

void touch(const QDir& dir, const QStringList& names)
{
    for (const QString& name : names) {
        QFile file(dir.filePath(name));
        QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(name));
    }
}

QStringList entries(const FileListBox& list)
{
    QStringList names;
    for (int row = 0; row < list.count(); ++row)
        names.append(list.item(row)->text());
    return names;
}

// Whether a folder without read rights can still be listed: by the superuser on Unix, and by
// anyone on Windows, where a read-only attribute does not stop listing.
bool permissionsHoldUsBack()
{
#ifdef Q_OS_UNIX
    return ::geteuid() != 0;
#else
    return false;
#endif
}

const QString Music = QStringLiteral("*.b2b;*.mod;*.xm;*.it;*.mtm;*.s3m;*.669");

} // namespace

class TestFileLists : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsMatchingFilesSortedByNameWhateverTheirCase()
    {
        QTemporaryDir temp;
        QDir dir(temp.path());
        touch(dir, {QStringLiteral("battle2.b2l"), QStringLiteral("BATTLE1.B2L"),
                    QStringLiteral("battle10.b2l"), QStringLiteral("Arena.b2L"),
                    QStringLiteral("castle.b2t"), QStringLiteral("notes.txt"),
                    QStringLiteral("level.b2l.bak"), QStringLiteral("theme.MOD"),
                    QStringLiteral("intro.b2b"), QStringLiteral("x.xm"), QStringLiteral("y.it"),
                    QStringLiteral("z.mtm"), QStringLiteral("w.s3m"), QStringLiteral("v.669"),
                    QStringLiteral("u.mod.txt")});
        QVERIFY(dir.mkdir(QStringLiteral("folder.b2l")));

        FileListBox levels(QStringLiteral("*.b2l"));
        FileListBox tunes(Music);
        QVERIFY(levels.setFileName(temp.path() + QLatin1Char('/')));
        QVERIFY(tunes.setFileName(temp.path() + QLatin1Char('/')));
        QCOMPARE(entries(levels),
                 (QStringList{QStringLiteral("Arena.b2L"), QStringLiteral("BATTLE1.B2L"),
                              QStringLiteral("battle10.b2l"), QStringLiteral("battle2.b2l")}));
        QCOMPARE(levels.listCount(), 4);
        QCOMPARE(entries(tunes), (QStringList{QStringLiteral("intro.b2b"),
                                              QStringLiteral("theme.MOD"), QStringLiteral("v.669"),
                                              QStringLiteral("w.s3m"), QStringLiteral("x.xm"),
                                              QStringLiteral("y.it"), QStringLiteral("z.mtm")}));
        QCOMPARE(levels.pattern(), QStringLiteral("*.b2l"));
        QCOMPARE(levels.path(), QDir(temp.path()).absolutePath());
    }

    void hiddenFilesAndLinksAsTheSystemHasThem()
    {
        QTemporaryDir temp;
        QDir dir(temp.path());
        touch(dir, {QStringLiteral("level.b2l")});
        QVERIFY(dir.mkdir(QStringLiteral("folder.b2l")));
#ifdef Q_OS_WIN
        // Hidden is an attribute here. (Wine gives it to dot files too, Windows does not.)
        const QString hidden = QDir::toNativeSeparators(dir.filePath(QStringLiteral("gone.b2l")));
        touch(dir, {QStringLiteral("gone.b2l")});
        QVERIFY(SetFileAttributesW(reinterpret_cast<const wchar_t*>(hidden.utf16()),
                                   FILE_ATTRIBUTE_HIDDEN));
        const QStringList expected = {QStringLiteral("level.b2l")};
#else
        touch(dir, {QStringLiteral(".hidden.b2l")});
        // A link to a level is a level; a link to a directory is not.
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("level.b2l")),
                            dir.filePath(QStringLiteral("linked.b2l"))));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("folder.b2l")),
                            dir.filePath(QStringLiteral("linkedfolder.b2l"))));
        const QStringList expected = {QStringLiteral("level.b2l"), QStringLiteral("linked.b2l")};
#endif
        FileListBox levels(QStringLiteral("*.b2l"));
        QVERIFY(levels.setFileName(temp.path() + QLatin1Char('/')));
        QCOMPARE(entries(levels), expected);
    }

    void anEmptyDirectoryShowsNothing()
    {
        QTemporaryDir temp;
        FileListBox levels(QStringLiteral("*.b2l"));
        QVERIFY(levels.setFileName(temp.path() + QLatin1Char('/')));
        QCOMPARE(levels.listCount(), 0);
    }

    void aDirectoryThatCannotBeReadIsReported()
    {
        // The rights check before listing may pass where reading then fails (Windows does not
        // tell Qt of its access lists); the reading itself must say so.
        QTemporaryDir temp;
        QStringList seen;
        const auto take = [&](const QString& name) { seen.append(name); };
        QVERIFY(forEachPlainFile(temp.path(), take));
        QVERIFY(!forEachPlainFile(temp.path() + QStringLiteral("/missing"), take));
        QVERIFY(seen.isEmpty());
    }

    void startsOnTheWorkingDirectory()
    {
        QTemporaryDir temp;
        touch(QDir(temp.path()), {QStringLiteral("here.b2l")});
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(temp.path()));
        FileListBox levels(QStringLiteral("*.b2l"));
        FileListBox again(QStringLiteral("*.b2l"));
        QVERIFY(again.setFileName(QString())); // an empty text is the working directory too
        QDir::setCurrent(previous);
        QCOMPARE(entries(levels), QStringList{QStringLiteral("here.b2l")});
        QCOMPARE(entries(again), QStringList{QStringLiteral("here.b2l")});
    }

    void aRefusedDirectoryLeavesTheListAsItWas()
    {
        QTemporaryDir temp;
        QDir dir(temp.path());
        touch(dir, {QStringLiteral("kept.b2l"), QStringLiteral("file.b2l")});
        QVERIFY(dir.mkdir(QStringLiteral("locked")));
        FileListBox levels(QStringLiteral("*.b2l"));
        QVERIFY(levels.setFileName(temp.path() + QLatin1Char('/')));

        QStringList refused = {temp.path() + QStringLiteral("/missing/"),
                               temp.path() + QStringLiteral("/file.b2l/")};
        if (permissionsHoldUsBack() &&
            QFile::setPermissions(dir.filePath(QStringLiteral("locked")), {}))
            refused.append(dir.filePath(QStringLiteral("locked")) + QLatin1Char('/'));
        for (const QString& text : refused) {
            QString error;
            QVERIFY2(!levels.setFileName(text, &error), qPrintable(text));
            QVERIFY2(!error.isEmpty(), qPrintable(text));
            QCOMPARE(entries(levels),
                     (QStringList{QStringLiteral("file.b2l"), QStringLiteral("kept.b2l")}));
            QCOMPARE(levels.path(), QDir(temp.path()).absolutePath());
        }
        QFile::setPermissions(dir.filePath(QStringLiteral("locked")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void aDirectoryWithoutItsSeparatorIsStillADirectory()
    {
        QTemporaryDir temp;
        touch(QDir(temp.path()), {QStringLiteral("a.b2l")});
        FileListBox levels(QStringLiteral("*.b2l"));
        QVERIFY(levels.setFileName(temp.path()));
        QCOMPARE(entries(levels), QStringList{QStringLiteral("a.b2l")});
    }

    void selectionIsReportedOnlyWhenTheUserMakesIt()
    {
        QTemporaryDir temp;
        touch(QDir(temp.path()), {QStringLiteral("a.b2l"), QStringLiteral("b.b2l")});
        FileListBox levels(QStringLiteral("*.b2l"));
        QVERIFY(levels.setFileName(temp.path() + QLatin1Char('/')));
        QSignalSpy byUser(&levels, &FileListBox::selectionChangedByUser);
        QCOMPARE(levels.selectedFileName(), QString());

        levels.show();
        levels.setFocus();
        QTest::keyClick(&levels, Qt::Key_Down); // the first move lands on the first entry
        QCOMPARE(levels.selectedFileName(), QStringLiteral("a.b2l"));
        QTest::keyClick(&levels, Qt::Key_End);
        QCOMPARE(levels.selectedFileName(), QStringLiteral("b.b2l"));
        QTest::keyClick(&levels, Qt::Key_Up);
        QCOMPARE(levels.selectedFileName(), QStringLiteral("a.b2l"));
        QCOMPARE(byUser.count(), 3);

        // Refilling drops the selection without raising a click.
        QVERIFY(levels.setFileName(temp.path() + QLatin1Char('/')));
        QCOMPARE(levels.selectedFileName(), QString());
        QCOMPARE(byUser.count(), 3);
    }

    void wildcardsMatchIgnoringCase_data()
    {
        QTest::addColumn<QString>("patterns");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("matches");
        QTest::newRow("suffix") << QStringLiteral("*.b2l") << QStringLiteral("A.B2L") << true;
        QTest::newRow("suffix only at end")
            << QStringLiteral("*.b2l") << QStringLiteral("a.b2l.bak") << false;
        QTest::newRow("second of several")
            << QStringLiteral("*.b2b; *.xm") << QStringLiteral("song.XM") << true;
        QTest::newRow("question mark")
            << QStringLiteral("level?.b2*") << QStringLiteral("LEVEL7.b2t") << true;
        QTest::newRow("question mark needs one")
            << QStringLiteral("level?.b2*") << QStringLiteral("level.b2t") << false;
        QTest::newRow("star in the middle")
            << QStringLiteral("b*e*.b2l") << QStringLiteral("battle.b2l") << true;
        QTest::newRow("backtracking")
            << QStringLiteral("*a*a*b") << QStringLiteral("aaaaaaaaaaaaaaaaac") << false;
        QTest::newRow("everything") << QStringLiteral("*") << QStringLiteral("x") << true;
        QTest::newRow("no patterns") << QString() << QStringLiteral("x.b2l") << false;
    }

    void wildcardsMatchIgnoringCase()
    {
        QFETCH(QString, patterns);
        QFETCH(QString, name);
        QFETCH(bool, matches);
        QCOMPARE(FilePatterns(patterns).matches(name), matches);
    }
};

QTEST_MAIN(TestFileLists)
#include "tst_filelists.moc"
