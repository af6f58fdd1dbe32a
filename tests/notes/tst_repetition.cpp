#include "notes/NoteRepetition.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// Deadlines as "yyyy-MM-dd hh:mm", read without going through local time.
QStringList formatted(const QList<TDateTime> &deadlines)
{
    QStringList result;
    for (const TDateTime deadline : deadlines) {
        const double day = DateTime::dateOf(deadline);
        const int minutes = qRound((deadline - day) * 1440);
        result << DateTime::epoch().addDays(qint64(day)).toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') +
                      QTime(0, 0).addSecs(minutes * 60).toString(QStringLiteral("hh:mm"));
    }
    return result;
}

QStringList list(const char *commaSeparated)
{
    return QString::fromLatin1(commaSeparated).split(QLatin1Char(','));
}

} // namespace

Q_DECLARE_METATYPE(RepeatKind)

class TestRepetition final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void occurrences_data();
    void occurrences();
    void monthly_matchesMonthByMonthOracle();
    void composeDeadline_keepsTypedTimeInDaylightSavingGap();
    void editorOk_withoutDeadline_addsOneUndatedNote();
    void editorOk_singleNoteWithDeadline();
    void editorOk_repetitionCopiesFieldsToEveryNote();
};

void TestRepetition::occurrences_data()
{
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<RepeatKind>("kind");
    QTest::addColumn<int>("everyDays");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("every day, three days") << QDate(2026, 3, 10) << QDate(2026, 3, 12) << RepeatKind::EveryDay << 1
                                           << list("2026-03-10 14:30,2026-03-11 14:30,2026-03-12 14:30");
    QTest::newRow("every week, 29th past the end")
        << QDate(2026, 3, 1) << QDate(2026, 3, 28) << RepeatKind::EveryWeek << 1
        << list("2026-03-01 14:30,2026-03-08 14:30,2026-03-15 14:30,2026-03-22 14:30");
    QTest::newRow("every month from the 31st")
        << QDate(2026, 1, 31) << QDate(2026, 4, 30) << RepeatKind::EveryMonth << 1
        << list("2026-01-31 14:30,2026-02-28 14:30,2026-03-31 14:30,2026-04-30 14:30");
    QTest::newRow("every month across the year end")
        << QDate(2026, 11, 15) << QDate(2027, 2, 1) << RepeatKind::EveryMonth << 1
        << list("2026-11-15 14:30,2026-12-15 14:30,2027-01-15 14:30");
    QTest::newRow("every year from 29 February")
        << QDate(2024, 2, 29) << QDate(2029, 3, 1) << RepeatKind::EveryYear << 1
        << list("2024-02-29 14:30,2025-02-28 14:30,2026-02-28 14:30,2027-02-28 14:30,2028-02-29 14:30,"
                "2029-02-28 14:30");
    QTest::newRow("every 3 days") << QDate(2026, 5, 1) << QDate(2026, 5, 10) << RepeatKind::EveryNDays << 3
                                  << list("2026-05-01 14:30,2026-05-04 14:30,2026-05-07 14:30,2026-05-10 14:30");
    QTest::newRow("day count 0 taken as 1") << QDate(2026, 5, 1) << QDate(2026, 5, 2) << RepeatKind::EveryNDays << 0
                                            << list("2026-05-01 14:30,2026-05-02 14:30");
    QTest::newRow("day count above 365 taken as 365")
        << QDate(2026, 1, 1) << QDate(2027, 1, 5) << RepeatKind::EveryNDays << 1000
        << list("2026-01-01 14:30,2027-01-01 14:30");
    QTest::newRow("end equals start") << QDate(2026, 5, 1) << QDate(2026, 5, 1) << RepeatKind::EveryDay << 1
                                      << list("2026-05-01 14:30");
    QTest::newRow("end before start") << QDate(2026, 5, 1) << QDate(2026, 4, 1) << RepeatKind::EveryWeek << 1
                                      << list("2026-05-01 14:30");
    QTest::newRow("end left empty") << QDate(2026, 5, 1) << QDate() << RepeatKind::EveryMonth << 1
                                    << list("2026-05-01 14:30");
}

void TestRepetition::occurrences()
{
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    QFETCH(RepeatKind, kind);
    QFETCH(int, everyDays);
    QFETCH(QStringList, expected);
    QCOMPARE(formatted(repetitionDeadlines(start, end, QTime(14, 30), RepeatRule{kind, everyDays})), expected);
}

void TestRepetition::monthly_matchesMonthByMonthOracle()
{
    // Month k after the start, counted from the start's month, on its day or the month's last day.
    const auto oracle = [](QDate start, QDate end) {
        QStringList dates;
        for (int k = 0;; ++k) {
            const QDate first = QDate(start.year(), 1, 1).addMonths(start.month() - 1 + k);
            const QDate date(first.year(), first.month(), std::min(start.day(), first.daysInMonth()));
            if (date > end)
                return dates;
            dates << date.toString(QStringLiteral("yyyy-MM-dd 08:00"));
        }
    };
    QList<std::pair<QDate, QDate>> spans{{QDate(2021, 1, 31), QDate(2030, 2, 28)}};
    QRandomGenerator random(20);
    while (spans.size() < 400) {
        const QDate month(1900 + random.bounded(2000), 1 + random.bounded(12), 1);
        // Month ends and 29 February come up often.
        const int pick = random.bounded(4);
        const QDate leapDay(month.year() - month.year() % 4, 2, 29);
        const QDate start = pick == 0 && leapDay.isValid() ? leapDay
                            : pick == 1                    ? month.addMonths(1).addDays(-1)
                                                           : month.addDays(random.bounded(month.daysInMonth()));
        spans.append({start, start.addYears(1 + random.bounded(50)).addDays(random.bounded(-40, 40))});
    }
    for (const auto &[start, end] : spans) {
        const QStringList made =
            formatted(repetitionDeadlines(start, end, QTime(8, 0), RepeatRule{RepeatKind::EveryMonth}));
        QVERIFY2(made == oracle(start, end),
                 qPrintable(start.toString(Qt::ISODate) + u' ' + end.toString(Qt::ISODate)));
    }
}

void TestRepetition::composeDeadline_keepsTypedTimeInDaylightSavingGap()
{
    // 29 March 2026, 02:30 does not exist in Central European time.
    const TDateTime deadline = composeDeadline(QDate(2026, 3, 29), QTime(2, 30, 45));
    QCOMPARE(deadline, DateTime::fromQDate(QDate(2026, 3, 29)) + 150.0 / 1440);
}

void TestRepetition::editorOk_withoutDeadline_addsOneUndatedNote()
{
    NotesCollection notes;
    TNotesData fields;
    fields.Text = QStringLiteral("call");
    appendEditorNotes(notes, fields, false, QDate(2026, 3, 10), QTime(9, 0), RepeatRule{RepeatKind::EveryDay},
                      QDate(2026, 3, 20));
    QCOMPARE(notes.size(), 1);
    QCOMPARE(notes[0].Deadline, DateTime::kNoDeadline);
    QCOMPARE(notes[0].Text, QStringLiteral("call"));
}

void TestRepetition::editorOk_singleNoteWithDeadline()
{
    NotesCollection notes(2);
    appendEditorNotes(notes, TNotesData{}, true, QDate(2026, 3, 10), QTime(9, 15), RepeatRule{}, QDate(2026, 3, 20));
    QCOMPARE(notes.size(), 3);
    QCOMPARE(formatted({notes[2].Deadline}), list("2026-03-10 09:15"));
}

void TestRepetition::editorOk_repetitionCopiesFieldsToEveryNote()
{
    TNotesData fields;
    fields.Importance = 1;
    fields.Progress = 30;
    fields.PrivateMsg = true;
    fields.Text = QStringLiteral("gym\r\nbring towel");
    fields.Location = QStringLiteral("https://gym.example");
    NotesCollection notes;
    appendEditorNotes(notes, fields, true, QDate(2026, 3, 10), QTime(18, 0), RepeatRule{RepeatKind::EveryDay},
                      QDate(2026, 3, 12));
    QCOMPARE(notes.size(), 3);
    for (const TNotesData &n : notes) {
        QCOMPARE(n.Importance, quint8(1));
        QCOMPARE(n.Progress, quint8(30));
        QVERIFY(n.PrivateMsg);
        QCOMPARE(n.Text, fields.Text);
        QCOMPARE(n.Location, fields.Location);
    }
    QCOMPARE(formatted({notes[0].Deadline, notes[1].Deadline, notes[2].Deadline}),
             list("2026-03-10 18:00,2026-03-11 18:00,2026-03-12 18:00"));
}

QTEST_GUILESS_MAIN(TestRepetition)
#include "tst_repetition.moc"
