#include "notes/NotesBackup.h"
#include "notes/NotesFile.h"
#include "notes/OldNotesImport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

TNotesData note(const QString &text, TDateTime deadline = DateTime::kNoDeadline, quint8 importance = 3)
{
    TNotesData n;
    n.Importance = importance;
    n.Deadline = deadline;
    n.Text = text;
    return n;
}

NotesCollection numbered(NotesCollection notes)
{
    renumberNotes(notes);
    return notes;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &data)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(data);
    return path;
}

QString writeNotesFile(const QTemporaryDir &dir, const QString &name, const NotesCollection &notes)
{
    return writeFile(dir, name, NotesFile::notesData(notes));
}

QByteArray document(const QByteArray &body)
{
    return "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<Configuration>\r\n" + body + "</Configuration>\r\n";
}

QStringList textsOf(const NotesCollection &notes)
{
    QStringList texts;
    for (const TNotesData &n : notes)
        texts.append(n.Text);
    return texts;
}

} // namespace

class TestNotesImport final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void appendThreeIntoFive_givesEightNumberedFiveSixSeven();
    void importWithoutAppend_dropsThePreviousNotes();
    void missingKeys_takeTheImportDefaults();
    void unreadableFile_changesNothing_data();
    void unreadableFile_changesNothing();

    void oldFormatLine_data();
    void oldFormatLine();
    void oldFormatMalformedLine_keepsTheNotesBefore_data();
    void oldFormatMalformedLine_keepsTheNotesBefore();
    void oldFormatBlankLines_holdNoNotes();
    void oldFormatFile_addsAfterExistingNotes();
    void oldFormatFileFailure_addsTheNotesBeforeAndNamesTheLine();
};

void TestNotesImport::appendThreeIntoFive_givesEightNumberedFiveSixSeven()
{
    QTemporaryDir dir;
    const QString path = writeNotesFile(
        dir, QStringLiteral("three.xml"),
        {note(QStringLiteral("x")), note(QStringLiteral("y"), 45000.5, 1), note(QStringLiteral("z"), 0, 2)});
    NotesCollection notes = numbered({note(QStringLiteral("a")), note(QStringLiteral("b")), note(QStringLiteral("c")),
                                      note(QStringLiteral("d")), note(QStringLiteral("e"))});
    const NotesCollection before = notes;
    QVERIFY(NotesBackup::ReadNotes(path, true, notes));

    QCOMPARE(notes.size(), 8);
    QCOMPARE(notes.first(5), before);
    QCOMPARE(textsOf(notes.sliced(5)), (QStringList{QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")}));
    QCOMPARE(notes[5].ID, 5);
    QCOMPARE(notes[6].ID, 6);
    QCOMPARE(notes[7].ID, 7);
    QCOMPARE(notes[6].Deadline, 45000.5);
    QCOMPARE(notes[6].Importance, quint8(1));
}

void TestNotesImport::importWithoutAppend_dropsThePreviousNotes()
{
    QTemporaryDir dir;
    const QString path = writeNotesFile(dir, QStringLiteral("one.xml"), {note(QStringLiteral("only"))});
    NotesCollection notes = numbered({note(QStringLiteral("a")), note(QStringLiteral("b"))});
    QVERIFY(NotesBackup::ReadNotes(path, false, notes));
    QCOMPARE(textsOf(notes), QStringList{QStringLiteral("only")});
    QCOMPARE(notes[0].ID, 0);
}

void TestNotesImport::missingKeys_takeTheImportDefaults()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("sparse.xml"),
                                   document("  <NumberOfNotes>2</NumberOfNotes>\r\n  <Text1>kept</Text1>\r\n"));
    NotesCollection notes;
    QVERIFY(NotesBackup::ReadNotes(path, false, notes));
    QCOMPARE(notes.size(), 2);
    for (const TNotesData &n : notes) {
        QCOMPARE(n.Progress, quint8(0));
        QCOMPARE(n.Importance, quint8(0));
        QCOMPARE(n.PrivateMsg, true);
        QCOMPARE(n.Deadline, 0.0); // 30 December 1899, not "no deadline"
        QVERIFY(n.Location.isEmpty());
    }
    QVERIFY(notes[0].Text.isEmpty());
    QCOMPARE(notes[1].Text, QStringLiteral("kept"));
}

void TestNotesImport::unreadableFile_changesNothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("exists");
    QTest::newRow("missing file") << QByteArray() << false;
    QTest::newRow("not XML") << QByteArray("-1 3 0 0 Call\r\n") << true;
    QTest::newRow("negative count") << document("  <NumberOfNotes>-1</NumberOfNotes>\r\n") << true;
    QTest::newRow("count beyond the file") << document("  <NumberOfNotes>2000000000</NumberOfNotes>\r\n") << true;
    // Other XML files of the data folder match the dialog's filter or sit beside the notes.
    QTest::newRow("no NumberOfNotes") << document("  <Text0>stray</Text0>\r\n") << true;
    QTest::newRow("settings file") << document("  <FormWidth>320</FormWidth>\r\n  <SortType>1</SortType>\r\n") << true;
    QTest::newRow("transactions file")
        << document(
               "  <AllMoney>00000000000000000000</AllMoney>\r\n  <NumberOfExpenditures>1</NumberOfExpenditures>\r\n"
               "  <Name0>Rent</Name0>\r\n")
        << true;
}

void TestNotesImport::unreadableFile_changesNothing()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);
    QTemporaryDir dir;
    const QString path =
        exists ? writeFile(dir, QStringLiteral("bad.xml"), content) : dir.filePath(QStringLiteral("no.xml"));
    for (const bool append : {false, true}) {
        NotesCollection notes = numbered({note(QStringLiteral("a")), note(QStringLiteral("b"))});
        const NotesCollection before = notes;
        const IoResult result = NotesBackup::ReadNotes(path, append, notes);
        QVERIFY(!result);
        QVERIFY(!result.error.isEmpty());
        QCOMPARE(notes, before);
    }
}

void TestNotesImport::oldFormatLine_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<double>("deadline");
    QTest::addColumn<int>("importance");
    QTest::addColumn<int>("progress");
    QTest::addColumn<bool>("privateMsg");
    QTest::addColumn<QString>("text");

    QTest::newRow("no deadline, Call") << QByteArray("-1 3 0 0 Call\r\n") << -1.0 << 3 << 0 << false
                                       << QStringLiteral("Call");
    QTest::newRow("private number 2") << QByteArray("-1 1 20 2 Secret\r\n") << -1.0 << 1 << 20 << true
                                      << QStringLiteral("Secret");
    QTest::newRow("private number -1") << QByteArray("-1 1 20 -1 S\r\n") << -1.0 << 1 << 20 << true
                                       << QStringLiteral("S");
    QTest::newRow("fraction is the time of day") << QByteArray("45000.75 2 50 0 Meet at six\r\n") << 45000.75 << 2 << 50
                                                 << false << QStringLiteral("Meet at six");
    QTest::newRow("exponent") << QByteArray("4.5e4 3 0 0 E\r\n") << 45000.0 << 3 << 0 << false << QStringLiteral("E");
    QTest::newRow("only one separator is dropped")
        << QByteArray("-1 3 0 0   spaced\r\n") << -1.0 << 3 << 0 << false << QStringLiteral("  spaced");
    QTest::newRow("tab as separator") << QByteArray("-1 3 0 0\tTab\r\n") << -1.0 << 3 << 0 << false
                                      << QStringLiteral("Tab");
    QTest::newRow("leading blanks") << QByteArray("  \t-1  3 0    0 Gap\r\n") << -1.0 << 3 << 0 << false
                                    << QStringLiteral("Gap");
    QTest::newRow("numbers across line ends")
        << QByteArray("-1\r\n3\r\n0 0 Split\r\n") << -1.0 << 3 << 0 << false << QStringLiteral("Split");
    QTest::newRow("no text") << QByteArray("-1 3 0 0\r\n") << -1.0 << 3 << 0 << false << QStringLiteral("");
    QTest::newRow("no text, LF only") << QByteArray("-1 3 0 0\n") << -1.0 << 3 << 0 << false << QStringLiteral("");
    QTest::newRow("last line without line end")
        << QByteArray("-1 3 0 0 End") << -1.0 << 3 << 0 << false << QStringLiteral("End");
    QTest::newRow("lone CR dropped") << QByteArray("-1 3 0 0 a\rb\r\n") << -1.0 << 3 << 0 << false
                                     << QStringLiteral("ab");
    QTest::newRow("importance and progress keep 8 bits")
        << QByteArray("-1 259 300 0 Wide\r\n") << -1.0 << 3 << 44 << false << QStringLiteral("Wide");
    QTest::newRow("Latin-1 text") << QByteArray("-1 3 0 0 Caf\xE9\r\n") << -1.0 << 3 << 0 << false
                                  << QStringLiteral("Caf\u00E9");
    QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF-1 3 0 0 \xE2\x82\xAC\r\n") << -1.0 << 3 << 0 << false
                                     << QStringLiteral("\u20AC");
    QTest::newRow("byte 26 ends the file") << QByteArray("-1 3 0 0 Stop\r\n\x1A"
                                                         "garbage")
                                           << -1.0 << 3 << 0 << false << QStringLiteral("Stop");
}

void TestNotesImport::oldFormatLine()
{
    QFETCH(QByteArray, line);
    QFETCH(double, deadline);
    QFETCH(int, importance);
    QFETCH(int, progress);
    QFETCH(bool, privateMsg);
    QFETCH(QString, text);

    const OldNotesImport::Result result = OldNotesImport::parse(line);
    QVERIFY2(result.status.ok, qPrintable(result.status.error));
    QCOMPARE(result.notes.size(), 1);
    const TNotesData &n = result.notes[0];
    QCOMPARE(n.Deadline, deadline);
    QCOMPARE(int(n.Importance), importance);
    QCOMPARE(int(n.Progress), progress);
    QCOMPARE(n.PrivateMsg, privateMsg);
    QCOMPARE(n.Text, text);
    QVERIFY(n.Location.isEmpty());
    QCOMPARE(n.ID, 0);
}

void TestNotesImport::oldFormatMalformedLine_keepsTheNotesBefore_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("kept");
    QTest::addColumn<int>("failedLine");

    const QByteArray good = "-1 3 0 0 One\r\n45000 1 0 0 Two\r\n";
    QTest::newRow("word for a deadline") << good + "soon 3 0 0 Three\r\n-1 3 0 0 Four\r\n" << 2 << 3;
    QTest::newRow("comma as decimal separator") << good + "45000,5 3 0 0 Three\r\n" << 2 << 3;
    QTest::newRow("fraction for an importance") << good + "-1 2.5 0 0 Three\r\n" << 2 << 3;
    QTest::newRow("text where the flag belongs") << good + "-1 3 0 Three\r\n" << 2 << 3;
    QTest::newRow("number beyond 32 bits") << good + "-1 3 99999999999 0 Three\r\n" << 2 << 3;
    QTest::newRow("infinite deadline") << good + "1e999 3 0 0 Three\r\n" << 2 << 3;
    QTest::newRow("first line bad") << QByteArray("x 3 0 0 One\r\n") + good << 0 << 1;
    QTest::newRow("file ends inside the last line") << good + "-1 3" << 2 << 3;
    QTest::newRow("bad number on the next line") << good + "-1 3\r\nx 0 Three\r\n" << 2 << 4;
}

void TestNotesImport::oldFormatMalformedLine_keepsTheNotesBefore()
{
    QFETCH(QByteArray, data);
    QFETCH(int, kept);
    QFETCH(int, failedLine);

    const OldNotesImport::Result result = OldNotesImport::parse(data);
    QVERIFY(!result.status);
    QCOMPARE(result.failedLine, failedLine);
    QVERIFY2(result.status.error.startsWith(QStringLiteral("Line %1:").arg(failedLine)),
             qPrintable(result.status.error));
    QCOMPARE(result.notes.size(), kept);
    if (kept == 2)
        QCOMPARE(textsOf(result.notes), (QStringList{QStringLiteral("One"), QStringLiteral("Two")}));
}

void TestNotesImport::oldFormatBlankLines_holdNoNotes()
{
    QVERIFY(OldNotesImport::parse({}).notes.isEmpty());
    QVERIFY(OldNotesImport::parse({}).status.ok);
    const OldNotesImport::Result result = OldNotesImport::parse("\r\n-1 3 0 0 A\r\n\r\n-1 3 0 0 B\r\n\r\n  \r\n");
    QVERIFY(result.status.ok);
    QCOMPARE(textsOf(result.notes), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    QCOMPARE(result.notes[1].ID, 1);
}

void TestNotesImport::oldFormatFile_addsAfterExistingNotes()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("old.txt"), "-1 3 0 0 Call\r\n45000 1 10 1 Pay\r\n");
    NotesCollection notes = numbered({note(QStringLiteral("a")), note(QStringLiteral("b"))});
    QVERIFY(OldNotesImport::appendFromFile(path, notes));
    QCOMPARE(textsOf(notes),
             (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("Call"), QStringLiteral("Pay")}));
    QCOMPARE(notes[2].ID, 2);
    QCOMPARE(notes[3].ID, 3);
    QCOMPARE(notes[3].PrivateMsg, true);

    const QString missing = dir.filePath(QStringLiteral("none.txt"));
    QVERIFY(!OldNotesImport::appendFromFile(missing, notes));
    QCOMPARE(notes.size(), 4);
}

void TestNotesImport::oldFormatFileFailure_addsTheNotesBeforeAndNamesTheLine()
{
    QTemporaryDir dir;
    const QString path =
        writeFile(dir, QStringLiteral("old.txt"), "-1 3 0 0 Call\r\n-1 3 zero 0 Bad\r\n-1 3 0 0 Late\r\n");
    NotesCollection notes = numbered({note(QStringLiteral("a"))});
    const IoResult result = OldNotesImport::appendFromFile(path, notes);
    QVERIFY(!result);
    QVERIFY2(result.error.contains(QStringLiteral("Line 2:")), qPrintable(result.error));
    QVERIFY(result.error.contains(QStringLiteral("old.txt")));
    QCOMPARE(textsOf(notes), (QStringList{QStringLiteral("a"), QStringLiteral("Call")}));
    QCOMPARE(notes[1].ID, 1);
}

QTEST_GUILESS_MAIN(TestNotesImport)
#include "tst_notesimport.moc"
