#include "notes/NotesBackup.h"
#include "notes/NotesCsv.h"
#include "notes/NotesFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

TNotesData note(const QString &text, TDateTime deadline = DateTime::kNoDeadline, quint8 importance = 3,
                quint8 progress = 0, bool privateMsg = false, const QString &location = {})
{
    TNotesData n;
    n.Importance = importance;
    n.Progress = progress;
    n.PrivateMsg = privateMsg;
    n.Deadline = deadline;
    n.Text = text;
    n.Location = location;
    return n;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

// A name at the file system's limit: the file itself can exist, but no temporary file
// beside it can be created, so every atomic write to it fails (also for root).
QString unwritableName(const QTemporaryDir &dir)
{
    return dir.filePath(QString(255, QLatin1Char('n')));
}

const LocaleFormats kFormats = LocaleFormats::fixedForTesting();

} // namespace

class TestNotesExport final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptyCollection_exportsOnlyTheHeader();
    void csvLine_data();
    void csvLine();
    void csvFile_keepsCollectionOrderAndEndsLinesWithCrLf();
    void csvFile_usesUtf8WithMarkOnlyWhenNeeded();
    void csvExport_replacesAnExistingFileWhole();
    void csvExportFailure_leavesTheOldFileWhole();
    void notesExport_isThePlainNotesDocument();
    void notesExport_thenImport_givesTheSameNotesInOrder();
    void notesExportFailure_leavesTheOldFileWhole();
};

void TestNotesExport::emptyCollection_exportsOnlyTheHeader()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("empty.csv"));
    QVERIFY(NotesCsv::ExportDataToCSV(path, {}, kFormats));
    QCOMPARE(readAll(path), QByteArray("Due;Name;% done;Importance;Location;Private?\r\n"));
}

void TestNotesExport::csvLine_data()
{
    QTest::addColumn<TNotesData>("note");
    QTest::addColumn<QString>("expected");

    QTest::newRow("semicolon removed, no deadline")
        << note(QStringLiteral("a;b")) << QStringLiteral("n/a;ab;0;Normal;;No");
    QTest::newRow("midnight: date alone")
        << note(QStringLiteral("x"), DateTime::encode(2026, 12, 9)) << QStringLiteral("09.12.2026;x;0;Normal;;No");
    QTest::newRow("14:30: date and time with seconds")
        << note(QStringLiteral("x"), DateTime::encode(2026, 12, 9, 14, 30))
        << QStringLiteral("09.12.2026 14:30:00;x;0;Normal;;No");
    QTest::newRow("a time the local clock skips is kept")
        << note(QStringLiteral("x"), DateTime::encode(2026, 3, 29) + 2.5 / 24)
        << QStringLiteral("29.03.2026 02:30:00;x;0;Normal;;No");
    QTest::newRow("a hair before midnight is the next day")
        << note(QStringLiteral("x"), DateTime::encode(2026, 12, 9) - 1e-10)
        << QStringLiteral("09.12.2026;x;0;Normal;;No");
    QTest::newRow("deadline 0 is a date, not n/a")
        << note(QStringLiteral("x"), 0) << QStringLiteral("30.12.1899;x;0;Normal;;No");
    QTest::newRow("NaN deadline") << note(QStringLiteral("x"), std::nan("")) << QStringLiteral("n/a;x;0;Normal;;No");
    QTest::newRow("line breaks removed, not replaced")
        << note(QStringLiteral("two\r\nlines\r"), DateTime::kNoDeadline, 1, 100, true, QStringLiteral("Room;\n5"))
        << QStringLiteral("n/a;twolines;100;Highest;Room5;Yes");
    QTest::newRow("increased") << note(QStringLiteral("i"), DateTime::kNoDeadline, 2, 45)
                               << QStringLiteral("n/a;i;45;Increased;;No");
    QTest::newRow("importance 0: empty field")
        << note(QStringLiteral("z"), DateTime::kNoDeadline, 0) << QStringLiteral("n/a;z;0;;;No");
    QTest::newRow("importance 7: empty field")
        << note(QStringLiteral("z"), DateTime::kNoDeadline, 7, 250) << QStringLiteral("n/a;z;250;;;No");
    QTest::newRow("hyperlink location") << note(QStringLiteral("site"), DateTime::kNoDeadline, 3, 0, false,
                                                QStringLiteral("https://a.example/?q=1"))
                                        << QStringLiteral("n/a;site;0;Normal;https://a.example/?q=1;No");
}

void TestNotesExport::csvLine()
{
    QFETCH(TNotesData, note);
    QFETCH(QString, expected);
    QCOMPARE(NotesCsv::line(note, kFormats), expected);
}

void TestNotesExport::csvFile_keepsCollectionOrderAndEndsLinesWithCrLf()
{
    const NotesCollection notes = {note(QStringLiteral("b"), DateTime::encode(2027, 1, 1)), note(QStringLiteral("a"))};
    QCOMPARE(NotesCsv::csvData(notes, kFormats), QByteArray("Due;Name;% done;Importance;Location;Private?\r\n"
                                                            "01.01.2027;b;0;Normal;;No\r\n"
                                                            "n/a;a;0;Normal;;No\r\n"));
}

void TestNotesExport::csvFile_usesUtf8WithMarkOnlyWhenNeeded()
{
    const QByteArray latin1 = NotesCsv::csvData({note(QStringLiteral("Caf\u00E9"))}, kFormats);
    QVERIFY(!latin1.startsWith("\xEF\xBB\xBF"));
    QVERIFY(latin1.contains("Caf\xE9;"));

    const QByteArray utf8 = NotesCsv::csvData({note(QStringLiteral("\u20AC 5"))}, kFormats);
    QVERIFY(utf8.startsWith("\xEF\xBB\xBF"
                            "Due;"));
    QVERIFY(utf8.contains("\xE2\x82\xAC 5;"));
}

void TestNotesExport::csvExport_replacesAnExistingFileWhole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("notes.csv"));
    writeAll(path, QByteArray(5000, 'x'));
    QVERIFY(NotesCsv::ExportDataToCSV(path, {note(QStringLiteral("only"))}, kFormats));
    QCOMPARE(readAll(path), QByteArray("Due;Name;% done;Importance;Location;Private?\r\nn/a;only;0;Normal;;No\r\n"));
}

void TestNotesExport::csvExportFailure_leavesTheOldFileWhole()
{
    QTemporaryDir dir;
    const QString path = unwritableName(dir);
    writeAll(path, "previous export");
    const IoResult result = NotesCsv::ExportDataToCSV(path, {note(QStringLiteral("new"))}, kFormats);
    QVERIFY(!result);
    QVERIFY(!result.error.isEmpty());
    QCOMPARE(readAll(path), QByteArray("previous export"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no cut-off copy beside it

    const QString missingFolder = dir.filePath(QStringLiteral("no/such/folder/x.csv"));
    QVERIFY(!NotesCsv::ExportDataToCSV(missingFolder, {}, kFormats));
    QVERIFY(!QFile::exists(missingFolder));
}

void TestNotesExport::notesExport_isThePlainNotesDocument()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("backup.xml"));
    const NotesCollection notes = {note(QStringLiteral("first"), 45000.25, 1, 10, true, QStringLiteral("Hall")),
                                   note(QStringLiteral("second"))};
    QVERIFY(NotesBackup::writeNotesFile(path, notes));
    QCOMPARE(readAll(path), NotesFile::notesData(notes));
    QVERIFY(readAll(path).startsWith("<?xml"));
}

void TestNotesExport::notesExport_thenImport_givesTheSameNotesInOrder()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("backup.xml"));
    NotesCollection notes = {note(QStringLiteral("zeta"), 46000.5, 1, 100, true, QStringLiteral("http://x.example")),
                             note(QStringLiteral("two\r\nlines \u00E9 \u20AC"), DateTime::kNoDeadline, 2, 50),
                             note(QStringLiteral("alpha"), 0, 0, 0, false, QStringLiteral("Room 1")),
                             note(QStringLiteral("alpha"), 45001, 3, 7)};
    renumberNotes(notes);
    QVERIFY(NotesBackup::writeNotesFile(path, notes));

    NotesCollection imported = {note(QStringLiteral("dropped"))};
    QVERIFY(NotesBackup::ReadNotes(path, false, imported));
    QCOMPARE(imported, notes);
}

void TestNotesExport::notesExportFailure_leavesTheOldFileWhole()
{
    QTemporaryDir dir;
    const QString path = unwritableName(dir);
    writeAll(path, "older backup");
    QVERIFY(!NotesBackup::writeNotesFile(path, {note(QStringLiteral("n"))}));
    QCOMPARE(readAll(path), QByteArray("older backup"));
}

QTEST_GUILESS_MAIN(TestNotesExport)
#include "tst_notesexport.moc"
