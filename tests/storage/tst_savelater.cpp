#include "FolderContents.h"

#include "core/KeyValueXmlFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#include <sys/stat.h>

namespace {

const QDateTime kNow(QDate(2026, 3, 17), QTime(9, 30));

// A new file in a file's place (every save renames one over it) gets another inode and time.
QByteArray stampOf(const QString &path)
{
    struct stat status;
    if (stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return QByteArray::number(qulonglong(status.st_ino)) + ' ' + QByteArray::number(qlonglong(status.st_mtim.tv_sec))
         + '.' + QByteArray::number(qlonglong(status.st_mtim.tv_nsec));
}

QMap<QString, QByteArray> stamps(const QString &dir)
{
    QMap<QString, QByteArray> result;
    for (const QString &name : QDir(dir).entryList(QDir::Files))
        result.insert(name, stampOf(dir + QLatin1Char('/') + name));
    return result;
}

void saveAllLater(const DataFolder &folder, const FolderContents &contents)
{
    TKeyValueXmlFile store;
    folder.saveNotesLater(contents.notes);
    folder.saveNotepadLater(contents.notepad);
    folder.saveSettingsLater(store, contents.settings);
    folder.saveExpendituresLater(contents.book);
}

QStringList lines(int count, const QString &text)
{
    QStringList result;
    for (int i = 0; i < count; ++i)
        result.append(text.arg(i));
    return result;
}

} // namespace

using Change = std::function<void(FolderContents &)>;
Q_DECLARE_METATYPE(Change)

class TestSaveLater : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onlyChangedFilesAreWritten_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("nothing") << Change([](FolderContents &) {}) << QStringList();
        QTest::newRow("notepad") << Change([](FolderContents &c) { c.notepad.append(QStringLiteral("more")); })
                                 << QStringList{QStringLiteral("notepad.txt")};
        QTest::newRow("settings") << Change([](FolderContents &c) { c.settings.FormWidth = 600; })
                                  << QStringList{QStringLiteral("settings.xml")};
        QTest::newRow("note text") << Change([](FolderContents &c) { c.notes[0].Text = QStringLiteral("other"); })
                                   << QStringList{QStringLiteral("data.txt"), QStringLiteral("notestate.txt")};
        QTest::newRow("transaction") << Change([](FolderContents &c) { c.book.AllMoney += 1; })
                                     << QStringList{QStringLiteral("expenditures.txt")};
    }

    // The folder as a start reads it, then one save of everything with one change.
    void onlyChangedFilesAreWritten()
    {
        QFETCH(Change, change);
        QFETCH(QStringList, written);
        QTemporaryDir dir;
        FolderContents contents;
        QVERIFY(contents.saveTo(DataFolder(dir.path() + QLatin1Char('/'))));
        DataFolder folder(dir.path() + QLatin1Char('/'));
        QVERIFY(contents.isIn(folder, kNow));
        const QMap<QString, QByteArray> before = stamps(dir.path());
        change(contents);
        saveAllLater(folder, contents);
        folder.waitForSaves();
        QVERIFY(folder.takeSaveFailure());
        const QMap<QString, QByteArray> after = stamps(dir.path());
        QCOMPARE(after.keys(), before.keys());
        QStringList changed;
        for (auto it = after.cbegin(); it != after.cend(); ++it)
            if (before.value(it.key()) != it.value())
                changed.append(it.key());
        QCOMPARE(changed, written);
        QVERIFY(contents.isIn(folder, kNow));
    }

    void laterSaveIsNeverOvertaken_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<bool>("secondWaits");
        QTest::newRow("large, then small") << 200000 << 1 << false;
        QTest::newRow("small, then large") << 1 << 200000 << false;
        QTest::newRow("large, then small waited for") << 200000 << 1 << true;
    }

    void laterSaveIsNeverOvertaken()
    {
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(bool, secondWaits);
        QTemporaryDir dir;
        DataFolder folder(dir.path() + QLatin1Char('/'));
        folder.saveNotepadLater(lines(first, QStringLiteral("first %1")));
        const QStringList last = lines(second, QStringLiteral("second %1"));
        if (secondWaits)
            QVERIFY(folder.saveNotepad(last));
        else
            folder.saveNotepadLater(last);
        folder.waitForSaves();
        QStringList read;
        QCOMPARE(folder.loadNotepad(&read, kNow).outcome, DataFolder::Outcome::Loaded);
        QCOMPARE(read, last);
    }

    // A folder going away (as at the program's end) first finishes the writes asked for.
    void writeInFlightIsFinishedAtTheEnd()
    {
        QTemporaryDir dir;
        const FolderContents contents = FolderContents::large(20000);
        saveAllLater(DataFolder(dir.path() + QLatin1Char('/')), contents);
        DataFolder folder(dir.path() + QLatin1Char('/'));
        QString why;
        QVERIFY2(contents.isIn(folder, kNow, &why), qPrintable(why));
    }

    void failureIsKeptForTheWindow()
    {
        QTemporaryDir dir;
        DataFolder folder(dir.path() + QLatin1Char('/'));
        int notices = 0;
        folder.setSaveFailureNotice([&notices] { ++notices; });
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("notepad.txt")));
        folder.saveNotepadLater({QStringLiteral("lost")});
        folder.waitForSaves();
        const IoResult failure = folder.takeSaveFailure();
        QVERIFY(!failure);
        QVERIFY(failure.error.contains(QStringLiteral("notepad.txt")));
        QCOMPARE(notices, 1);
        QVERIFY(folder.takeSaveFailure());
    }
};

QTEST_GUILESS_MAIN(TestSaveLater)
#include "tst_savelater.moc"
