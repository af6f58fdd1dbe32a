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

    TKeyValueXmlFile store;
    NotesCollection loaded;
    QVERIFY(NotesFile::parseNotes(data, store, &loaded));
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
    TKeyValueXmlFile store;
    NotesCollection loaded;
    QVERIFY(NotesFile::parseNotes(data, store, &loaded));
    QCOMPARE(loaded.size(), 4);
    QCOMPARE(loaded[3].Text, QStringLiteral("only text"));
    QCOMPARE(loaded[3].Deadline, 0.0); // 30 December 1899, unlike -1
    QCOMPARE(loaded[3].PrivateMsg, true);
    QCOMPARE(loaded[3].Importance, quint8(0));
    QCOMPARE(loaded[0].Importance, quint8(2));
    QCOMPARE(loaded[1].Progress, quint8(255)); // -1 from "abc", low 8 bits
}

void TestNotesFile::fieldsBeyondRange_keepLowEightBits()
{
    TKeyValueXmlFile store;
    NotesCollection loaded;
    QVERIFY(NotesFile::parseNotes(document("  <NumberOfNotes>1</NumberOfNotes>\r\n  <Importance0>263</Importance0>\r\n"
                                           "  <Progress0>150</Progress0>\r\n"),
                                  store, &loaded));
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
    TKeyValueXmlFile store;
    NotesCollection loaded{note(QStringLiteral("kept"))};
    const IoResult result = NotesFile::parseNotes(
        document("  <NumberOfNotes>" + count + "</NumberOfNotes>\r\n  <Text0>a</Text0>\r\n"), store, &loaded);
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
    QTest::newRow("byte 26") << QByteArray("a\r\n\x1A junk") << QStringList{QStringLiteral("a")} << QByteArray("a\r\n");
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
