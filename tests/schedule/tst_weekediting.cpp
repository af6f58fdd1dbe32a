#include "schedule/WeekEditing.h"

#include <QTest>

#include <limits>

namespace {

TNotesData note(const QString &text, TDateTime deadline, quint8 importance = 3)
{
    TNotesData n;
    n.Text = text;
    n.Deadline = deadline;
    n.Importance = importance;
    return n;
}

} // namespace

class TestWeekEditing final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findNoteById_data();
    void findNoteById();
    void onDayKeepingTime_data();
    void onDayKeepingTime();
    void paste_copiesEveryFieldOntoTheDayAtTheEnd();
    void paste_twice_addsTwoNotes();
    void paste_beforeAnyCopy_addsNothing();
    void move_changesOnlyTheDate();
    void move_outsideTheCollection_changesNothing_data();
    void move_outsideTheCollection_changesNothing();
};

void TestWeekEditing::findNoteById_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<qsizetype>("expected");
    QTest::newRow("first") << QStringLiteral("7") << qsizetype(0);
    QTest::newRow("first of equal IDs") << QStringLiteral("3") << qsizetype(1);
    QTest::newRow("missing") << QStringLiteral("4") << qsizetype(-1);
    QTest::newRow("empty") << QString() << qsizetype(-1);
    QTest::newRow("not a number") << QStringLiteral("x1") << qsizetype(-1);
    QTest::newRow("negative") << QStringLiteral("-1") << qsizetype(-1);
}

void TestWeekEditing::findNoteById()
{
    QFETCH(QString, id);
    QFETCH(qsizetype, expected);
    NotesCollection notes{note(QStringLiteral("a"), 1), note(QStringLiteral("b"), 2), note(QStringLiteral("c"), 3)};
    notes[0].ID = 7;
    notes[1].ID = 3;
    notes[2].ID = 3;
    QCOMPARE(WeekEditing::findNoteById(notes, id), expected);
}

void TestWeekEditing::onDayKeepingTime_data()
{
    const TDateTime thursday = DateTime::encode(2026, 12, 10);
    QTest::addColumn<TDateTime>("day");
    QTest::addColumn<TDateTime>("deadline");
    QTest::addColumn<TDateTime>("expected");
    QTest::newRow("09:30 kept") << thursday << DateTime::encode(2026, 12, 7, 9, 30)
                                << DateTime::encode(2026, 12, 10, 9, 30);
    QTest::newRow("earlier year") << thursday << DateTime::encode(2001, 1, 1, 18, 45)
                                  << DateTime::encode(2026, 12, 10, 18, 45);
    QTest::newRow("the day's own time ignored")
        << thursday + 0.5 << DateTime::encode(2026, 12, 7, 6, 0) << DateTime::encode(2026, 12, 10, 6, 0);
    QTest::newRow("no deadline: midnight") << thursday << DateTime::kNoDeadline << thursday;
    QTest::newRow("negative keeps its fraction") << thursday << -1.25 << thursday + 0.25;
    QTest::newRow("NaN") << thursday << std::numeric_limits<double>::quiet_NaN() << thursday;
    QTest::newRow("infinity") << thursday << std::numeric_limits<double>::infinity() << thursday;
}

void TestWeekEditing::onDayKeepingTime()
{
    QFETCH(TDateTime, day);
    QFETCH(TDateTime, deadline);
    QFETCH(TDateTime, expected);
    QVERIFY2(qAbs(WeekEditing::onDayKeepingTime(day, deadline) - expected) < 1e-9,
             qPrintable(QString::number(WeekEditing::onDayKeepingTime(day, deadline), 'f', 9)));
}

void TestWeekEditing::paste_copiesEveryFieldOntoTheDayAtTheEnd()
{
    NotesCollection notes{note(QStringLiteral("first"), 1), note(QStringLiteral("second"), 2)};
    TNotesData copied = note(QStringLiteral("Dentist\r\nbring card"), DateTime::encode(2026, 12, 7, 9, 30), 1);
    copied.Progress = 40;
    copied.PrivateMsg = true;
    copied.Location = QStringLiteral("https://example.org");
    copied.ID = 0;
    QVERIFY(WeekEditing::pasteNote(notes, copied, DateTime::encode(2026, 12, 10)));
    QCOMPARE(notes.size(), 3);
    TNotesData expected = copied;
    expected.Deadline = notes[2].Deadline;
    QCOMPARE(notes[2], expected);
    QCOMPARE(DateTime::toQDateTime(notes[2].Deadline), QDateTime(QDate(2026, 12, 10), QTime(9, 30)));
    QCOMPARE(notes[0].Text, QStringLiteral("first"));
}

void TestWeekEditing::paste_twice_addsTwoNotes()
{
    NotesCollection notes;
    const TNotesData copied = note(QStringLiteral("x"), DateTime::encode(2026, 12, 7, 12, 0));
    WeekEditing::pasteNote(notes, copied, DateTime::encode(2026, 12, 8));
    WeekEditing::pasteNote(notes, copied, DateTime::encode(2026, 11, 1));
    QCOMPARE(notes.size(), 2);
    QCOMPARE(DateTime::toQDate(notes[0].Deadline), QDate(2026, 12, 8));
    QCOMPARE(DateTime::toQDate(notes[1].Deadline), QDate(2026, 11, 1));
}

void TestWeekEditing::paste_beforeAnyCopy_addsNothing()
{
    NotesCollection notes{note(QStringLiteral("a"), 1)};
    QVERIFY(!WeekEditing::pasteNote(notes, TNotesData{}, DateTime::encode(2026, 12, 8)));
    QCOMPARE(notes.size(), 1);
}

void TestWeekEditing::move_changesOnlyTheDate()
{
    TNotesData moved = note(QStringLiteral("Tuesday evening"), DateTime::encode(2026, 12, 8, 18, 45), 2);
    moved.Progress = 20;
    moved.Location = QStringLiteral("here");
    moved.ID = 1;
    NotesCollection notes{note(QStringLiteral("a"), 1), moved};
    QVERIFY(WeekEditing::moveNoteToDay(notes, 1, DateTime::encode(2026, 12, 11)));
    QCOMPARE(DateTime::toQDateTime(notes[1].Deadline), QDateTime(QDate(2026, 12, 11), QTime(18, 45)));
    moved.Deadline = notes[1].Deadline;
    QCOMPARE(notes[1], moved);
    QCOMPARE(notes[0].Deadline, 1.0);
}

void TestWeekEditing::move_outsideTheCollection_changesNothing_data()
{
    QTest::addColumn<qsizetype>("position");
    QTest::newRow("-1") << qsizetype(-1);
    QTest::newRow("count") << qsizetype(2);
    QTest::newRow("far") << qsizetype(1000);
}

void TestWeekEditing::move_outsideTheCollection_changesNothing()
{
    QFETCH(qsizetype, position);
    NotesCollection notes{note(QStringLiteral("a"), 1), note(QStringLiteral("b"), 2)};
    const NotesCollection before = notes;
    QVERIFY(!WeekEditing::moveNoteToDay(notes, position, DateTime::encode(2026, 12, 11)));
    QCOMPARE(notes, before);
}

QTEST_GUILESS_MAIN(TestWeekEditing)
#include "tst_weekediting.moc"
