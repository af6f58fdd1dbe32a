#include "notes/NotesList.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <limits>

class TestListTexts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void daysLeft_wholeDaysPrintedInFull_data();
    void daysLeft_wholeDaysPrintedInFull();
    void rows_percentOfEveryStoredValue();
    void singleLine_replacesEachBreakOrKeepsText();
    void rows_leftTextSameAsDaysLeftForEveryDeadline();
};

void TestListTexts::daysLeft_wholeDaysPrintedInFull_data()
{
    QTest::addColumn<double>("now");
    QTest::addColumn<double>("daysAhead");
    QTest::addColumn<QString>("text");
    QTest::newRow("now") << 46000.25 << 0.0 << QStringLiteral("0d");
    QTest::newRow("20 hours") << 46000.25 << 20.0 / 24 << QStringLiteral("0d");
    QTest::newRow("3 days") << 46000.25 << 3.0 << QStringLiteral("3d");
    QTest::newRow("a million days") << 46000.25 << 1e6 << QStringLiteral("1000000d");
    QTest::newRow("beyond a billion days") << 0.0 << 1e12 + 0.5 << QStringLiteral("1000000000000d");
    QTest::newRow("beyond 1e15 days") << 0.0 << 1e16 << QStringLiteral("10000000000000000d");
}

void TestListTexts::daysLeft_wholeDaysPrintedInFull()
{
    QFETCH(double, now);
    QFETCH(double, daysAhead);
    QFETCH(QString, text);
    QCOMPARE(daysLeftText(now + daysAhead, now), text);
}

void TestListTexts::rows_percentOfEveryStoredValue()
{
    // Progress comes from the file as any byte; each shows as its number and "%".
    NotesCollection notes;
    for (int p = 0; p <= 255; ++p) {
        TNotesData note;
        note.Progress = static_cast<quint8>(p);
        note.Deadline = DateTime::kNoDeadline;
        notes.append(note);
    }
    const QList<NoteRow> rows = notesListRows(notes, NotesFilter{}, 46000);
    QCOMPARE(rows.size(), 256);
    for (int p = 0; p <= 255; ++p)
        QCOMPARE(rows[p].percent, QString::number(p) + QLatin1Char('%'));
}

void TestListTexts::singleLine_replacesEachBreakOrKeepsText()
{
    QCOMPARE(singleLineText(QStringLiteral("one line")), QStringLiteral("one line"));
    QCOMPARE(singleLineText(QStringLiteral("a\r\nb")), QStringLiteral("a  b"));
    QCOMPARE(singleLineText(QStringLiteral("\ra\n")), QStringLiteral(" a "));
    QCOMPARE(singleLineText(QString()), QString());
    QCOMPARE(singleLineText(QStringLiteral("x\ny\rz")), QStringLiteral("x y z"));
    QCOMPARE(singleLineText(QStringLiteral("x\r\r\n")), QStringLiteral("x   "));
    QCOMPARE(singleLineText(QStringLiteral("\n")), QStringLiteral(" "));
}

void TestListTexts::rows_leftTextSameAsDaysLeftForEveryDeadline()
{
    // The list shares one text per day count; each row must still read as its own deadline does.
    const double now = 46098.395833333336;
    const double inf = std::numeric_limits<double>::infinity();
    const double fixed[] = {DateTime::kNoDeadline, now, now - 1e-9, now + 1e-9, now + 0.5, now + 1, now + 1 - 1e-10,
                            now + 365.999999, now + 1e6, now + 1e6 - 1, now + 1e12, -1, 0, inf, -inf,
                            std::numeric_limits<double>::quiet_NaN(), 1e300};
    NotesCollection notes;
    for (double deadline : fixed) {
        TNotesData note;
        note.Deadline = deadline;
        notes.append(note);
    }
    QRandomGenerator random(3u);
    for (int i = 0; i < 3000; ++i) {
        TNotesData note;
        note.Deadline = now + (random.generateDouble() - 0.2) * 800;
        notes.append(note);
        notes.append(note); // repeats are what the sharing is for
    }
    const QList<NoteRow> rows = notesListRows(notes, NotesFilter{}, now);
    QCOMPARE(rows.size(), notes.size());
    for (qsizetype i = 0; i < rows.size(); ++i)
        QCOMPARE(rows[i].left, daysLeftText(notes[rows[i].position].Deadline, now));
}

QTEST_GUILESS_MAIN(TestListTexts)
#include "tst_listtexts.moc"
