#include "NotesStoreReader.h"

#include "core/DataFile.h"
#include "core/Float80.h"
#include "notes/NotesFile.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

namespace {

TNotesData note(const QString &text, double deadline = DateTime::kNoDeadline)
{
    TNotesData n;
    n.Importance = 3;
    n.Text = text;
    n.Deadline = deadline;
    return n;
}

QByteArray document(const QByteArray &body)
{
    return "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<Configuration>\r\n" + body + "</Configuration>\r\n";
}

} // namespace

class TestNotesFile final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void zeroNotes_holdsOnlyTheCount();
    void oneNote_writesSixKeysInOrder();
    void noteWithSpecialText_survivesSaveAndLoad();
    void missingKeys_takeLoadingDefaults();
    void parse_findsWhatTheStoreFinds_data();
    void parse_findsWhatTheStoreFinds();
    void fieldsBeyondRange_keepLowEightBits();
    void badCount_data();
    void badCount();
    void deleteNote_data();
    void deleteNote();
    void notepad_data();
    void notepad();
};

void TestNotesFile::zeroNotes_holdsOnlyTheCount()
{
    QCOMPARE(NotesFile::notesData({}), document("  <NumberOfNotes>0</NumberOfNotes>\r\n"));
}

void TestNotesFile::oneNote_writesSixKeysInOrder()
{
    TNotesData only = note(QStringLiteral("Call \"Ann\""), 0);
    only.Progress = 100;
    only.PrivateMsg = false;
    QCOMPARE(NotesFile::notesData({only}), document("  <NumberOfNotes>1</NumberOfNotes>\r\n"
                                                    "  <Progress0>100</Progress0>\r\n"
                                                    "  <Importance0>3</Importance0>\r\n"
                                                    "  <PrivateMsg0>FALSE</PrivateMsg0>\r\n"
                                                    "  <Deadline0>00000000000000000000</Deadline0>\r\n"
                                                    "  <Text0>Call &quot;Ann&quot;</Text0>\r\n"
                                                    "  <Location0/>\r\n"));
}

void TestNotesFile::noteWithSpecialText_survivesSaveAndLoad()
{
    NotesCollection notes{note(QStringLiteral("Buy <milk> & caf") + QChar(0xE9) + QStringLiteral("\r\nsecond line"),
                               DateTime::encode(2026, 12, 24, 18, 0)),
                          note(QStringLiteral("   "), DateTime::kNoDeadline),
                          note(QStringLiteral("Zloty ") + QChar(0x0142), 0)};
    notes[0].Progress = 40;
    notes[0].Importance = 1;
    notes[0].PrivateMsg = true;
    notes[0].Location = QStringLiteral("http://example.org/?a=1&b=2");
    const QByteArray data = NotesFile::notesData(notes);
    QVERIFY(data.contains("  <Deadline1>0000000000000080FFBF</Deadline1>\r\n"));

    NotesCollection loaded;
    QVERIFY(NotesFile::parseNotes(data, &loaded));
    QCOMPARE(loaded.size(), 3);
    QCOMPARE(loaded[0], (TNotesData{1, 40, true, notes[0].Deadline, notes[0].Text, notes[0].Location, 0}));
    QCOMPARE(loaded[1].Text, QString()); // blanks only read back as empty
    QCOMPARE(loaded[1].ID, 1);
    QCOMPARE(loaded[2].Text, notes[2].Text);
}

void TestNotesFile::missingKeys_takeLoadingDefaults()
{
    const QByteArray data = document("  <NumberOfNotes>4</NumberOfNotes>\r\n  <Text3>only text</Text3>\r\n"
                                     "  <Importance0>2</Importance0>\r\n  <Progress1>abc</Progress1>\r\n");
    NotesCollection loaded;
    QVERIFY(NotesFile::parseNotes(data, &loaded));
    QCOMPARE(loaded.size(), 4);
    QCOMPARE(loaded[3].Text, QStringLiteral("only text"));
    QCOMPARE(loaded[3].Deadline, 0.0); // 30 December 1899, unlike -1
    QCOMPARE(loaded[3].PrivateMsg, true);
    QCOMPARE(loaded[3].Importance, quint8(0));
    QCOMPARE(loaded[0].Importance, quint8(2));
    QCOMPARE(loaded[1].Progress, quint8(255)); // -1 from "abc", low 8 bits
}

void TestNotesFile::parse_findsWhatTheStoreFinds_data()
{
    // data.txt has a reader of its own; what it finds must be what a lookup per value in the
    // key-value store finds, for hand-edited files too.
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("keys in any case") << document("  <numberofnotes>2</numberofnotes>\r\n  <TEXT1>b</TEXT1>\r\n"
                                                  "  <tExT0>a</tExT0>\r\n  <IMPORTANCE1>2</IMPORTANCE1>\r\n");
    QTest::newRow("later of equal keys") << document(
        "  <NumberOfNotes>1</NumberOfNotes>\r\n  <Text0>first</Text0>\r\n"
        "  <TEXT0>second</TEXT0>\r\n  <NumberOfNotes>1</NumberOfNotes>\r\n");
    QTest::newRow("leading zero is another key")
        << document("  <NumberOfNotes>2</NumberOfNotes>\r\n  <Text00>x</Text00>\r\n  <Text01>y</Text01>\r\n");
    QTest::newRow("count after the notes") << document("  <Text0>a</Text0>\r\n  <NumberOfNotes>1</NumberOfNotes>\r\n");
    QTest::newRow("equal keys counted once")
        << document("  <NumberOfNotes>3</NumberOfNotes>\r\n  <Text0>a</Text0>\r\n  <text0>b</text0>\r\n"
                    "  <NUMBEROFNOTES>3</NUMBEROFNOTES>\r\n");
    QTest::newRow("other keys counted") << document(
        "  <NumberOfNotes>4</NumberOfNotes>\r\n  <Foo>1</Foo>\r\n  <Bar/>\r\n"
        "  <Text2>c</Text2>\r\n");
    QTest::newRow("other keys counted once") << document("  <NumberOfNotes>4</NumberOfNotes>\r\n  <Foo>1</Foo>\r\n"
                                                         "  <FOO>2</FOO>\r\n  <Text2>c</Text2>\r\n");
    QTest::newRow("index beyond the count")
        << document("  <NumberOfNotes>1</NumberOfNotes>\r\n  <Text5>far</Text5>\r\n  <Text0>near</Text0>\r\n");
    QTest::newRow("index beyond 64 bits") << document(
        "  <NumberOfNotes>2</NumberOfNotes>\r\n  <Text99999999999999999999>x</Text99999999999999999999>\r\n");
    QTest::newRow("values with references and blanks")
        << document("  <NumberOfNotes>2</NumberOfNotes>\r\n  <Progress0>&#x35;0</Progress0>\r\n"
                    "  <Importance0> \t </Importance0>\r\n  <PrivateMsg0>&#78;o</PrivateMsg0>\r\n"
                    "  <Deadline0>nothex</Deadline0>\r\n  <Text0>&amp;&bogus;&#x1F600;</Text0>\r\n"
                    "  <Location0>   </Location0>\r\n  <Progress1/>\r\n  <PrivateMsg1>yes</PrivateMsg1>\r\n"
                    "  <Deadline1>&#x30;000000000000080FF3F</Deadline1>\r\n");
    QTest::newRow("names beyond ASCII") << QByteArray(
        "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<Zapiski>\r\n"
        "  <NumberOfNotes>2</NumberOfNotes>\r\n  <T\xC3\xA9xt0>x</T\xC3\xA9xt0>\r\n"
        "  <\xD0\x97\xD0\x90\xD0\x9C\xD0\x95\xD0\xA2\xD0\x9A\xD0\x90"
        "1>y</"
        "\xD0\x97\xD0\x90\xD0\x9C\xD0\x95\xD0\xA2\xD0\x9A\xD0\x90"
        "1>\r\n"
        "</Zapiski>\r\n");
    QTest::newRow("other root") << QByteArray("<Notes>\r\n  <NumberOfNotes>1</NumberOfNotes>\r\n</Notes>\r\n");
    QTest::newRow("root closed in itself") << QByteArray("<?xml version=\"1.0\"?><Configuration/>");
    QTest::newRow("negative count") << document("  <NumberOfNotes>-1</NumberOfNotes>\r\n");
    QTest::newRow("count beyond the file") << document("  <NumberOfNotes>3</NumberOfNotes>\r\n  <Text0>a</Text0>\r\n");
    QTest::newRow("broken structure") << QByteArray("<Configuration>\r\n  <Text0>a</Text1>\r\n</Configuration>\r\n");
}

void TestNotesFile::parse_findsWhatTheStoreFinds()
{
    QFETCH(QByteArray, file);
    NotesCollection notes{note(QStringLiteral("before"))};
    QString rootName;
    const IoResult parsed = NotesFile::parseNotes(file, &notes, &rootName);
    NotesCollection expected{note(QStringLiteral("before"))};
    QString expectedRootName;
    const IoResult oracle = readNotesThroughStore(file, &expected, &expectedRootName);
    QCOMPARE(parsed.ok, oracle.ok);
    QCOMPARE(parsed.error, oracle.error);
    QCOMPARE(notes, expected);
    QCOMPARE(rootName, expectedRootName);
}

void TestNotesFile::fieldsBeyondRange_keepLowEightBits()
{
    NotesCollection loaded;
    QVERIFY(NotesFile::parseNotes(document("  <NumberOfNotes>1</NumberOfNotes>\r\n  <Importance0>263</Importance0>\r\n"
                                           "  <Progress0>150</Progress0>\r\n"),
                                  &loaded));
    QCOMPARE(loaded[0].Importance, quint8(7));
    QCOMPARE(loaded[0].Progress, quint8(150));
}

void TestNotesFile::badCount_data()
{
    QTest::addColumn<QByteArray>("count");
    QTest::newRow("negative") << QByteArray("-1");
    QTest::newRow("two thousand million") << QByteArray("2000000000");
    QTest::newRow("more than entries") << QByteArray("3");
}

void TestNotesFile::badCount()
{
    QFETCH(QByteArray, count);
    NotesCollection loaded{note(QStringLiteral("kept"))};
    const IoResult result = NotesFile::parseNotes(
        document("  <NumberOfNotes>" + count + "</NumberOfNotes>\r\n  <Text0>a</Text0>\r\n"), &loaded);
    QVERIFY(!result);
    QVERIFY(result.error.contains(QString::fromLatin1(count)));
    QCOMPARE(loaded.size(), 1);
    QCOMPARE(loaded[0].Text, QStringLiteral("kept"));
}

void TestNotesFile::deleteNote_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("left");
    QTest::newRow("first moves the others up") << 0 << QStringLiteral("bc");
    QTest::newRow("middle") << 1 << QStringLiteral("ac");
    QTest::newRow("last leaves the others") << 2 << QStringLiteral("ab");
    QTest::newRow("past the end does nothing") << 3 << QStringLiteral("abc");
}

void TestNotesFile::deleteNote()
{
    QFETCH(int, position);
    QFETCH(QString, left);
    NotesCollection notes{note(QStringLiteral("a")), note(QStringLiteral("b")), note(QStringLiteral("c"))};
    DeleteNote(notes, position);
    QString texts;
    for (const TNotesData &n : notes)
        texts += n.Text;
    QCOMPARE(texts, left);
}

void TestNotesFile::notepad_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("savedBack");
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{QStringLiteral("a"), QStringLiteral("b")}
                           << QByteArray("a\r\nb\r\n");
    QTest::newRow("lone LF") << QByteArray("a\nb") << QStringList{QStringLiteral("a"), QStringLiteral("b")}
                             << QByteArray("a\r\nb\r\n");
    QTest::newRow("lone CR") << QByteArray("a\rb\r\n") << QStringList{QStringLiteral("ab")} << QByteArray("ab\r\n");
    QTest::newRow("byte 26 inside") << QByteArray("a\r\n\x1A kept")
                                    << QStringList{QStringLiteral("a"), QStringLiteral("\u001A kept")}
                                    << QByteArray("a\r\n\x1A kept\r\n");
    QTest::newRow("byte 26 at the end") << QByteArray("a\r\nb\x1A")
                                        << QStringList{QStringLiteral("a"), QStringLiteral("b")}
                                        << QByteArray("a\r\nb\r\n");
    QTest::newRow("empty file") << QByteArray() << QStringList{QString()} << QByteArray("\r\n");
}

void TestNotesFile::notepad()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, savedBack);
    QCOMPARE(NotesFile::parseNotepad(file), lines);
    QCOMPARE(NotesFile::notepadData(lines), savedBack);
}

QTEST_GUILESS_MAIN(TestNotesFile)
#include "tst_notesfile.moc"
