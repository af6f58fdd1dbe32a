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
}

QTEST_GUILESS_MAIN(TestListTexts)
#include "tst_listtexts.moc"
