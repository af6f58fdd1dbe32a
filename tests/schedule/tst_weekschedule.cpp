#include "notes/NoteIcons.h"
#include "schedule/WeekDayChange.h"
#include "schedule/WeekSchedule.h"

#include <QRandomGenerator>
#include <QTest>

#include <limits>

namespace {

const QDate kMonday(2026, 12, 7);
const QDate kToday(2026, 12, 9); // Wednesday

TNotesData note(const QString &text, TDateTime deadline, quint8 importance = 3, quint8 progress = 0,
                bool isPrivate = false)
{
    TNotesData n;
    n.Text = text;
    n.Deadline = deadline;
    n.Importance = importance;
    n.Progress = progress;
    n.PrivateMsg = isPrivate;
    return n;
}

NotesCollection numbered(NotesCollection notes)
{
    renumberNotes(notes);
    return notes;
}

QStringList rowTexts(const DayList &day)
{
    QStringList result;
    for (const DayRow &row : day.rows)
        result << row.text;
    return result;
}

WeekScheduleOptions options(WeekOrder order = WeekOrder::ByTime, bool showTime = true,
                            NotesFilter filter = NotesFilter{})
{
    WeekScheduleOptions result;
    result.order = order;
    result.showTime = showTime;
    result.filter = filter;
    return result;
}

// The day-list ordering as first written: passes of neighbour swaps over a copy.
template <class SwapTest> void literalPasses(NotesCollection &notes, SwapTest swapWhen)
{
    const qsizetype n = notes.size();
    for (qsizetype pass = 0; pass < n; ++pass) {
        for (qsizetype i = 0; i <= n - 2; ++i) {
            if (swapWhen(notes[i], notes[i + 1]))
                notes.swapItemsAt(i, i + 1);
        }
    }
}

QList<qsizetype> literalWeekOrder(NotesCollection notes, WeekOrder order)
{
    renumberNotes(notes);
    if (order != WeekOrder::Unsorted) {
        literalPasses(notes, [](const TNotesData &a, const TNotesData &b) {
            return (b.Deadline < a.Deadline && b.Deadline != -1) || (b.Deadline > a.Deadline && a.Deadline == -1);
        });
    }
    if (order == WeekOrder::ByPriority)
        literalPasses(notes, [](const TNotesData &a, const TNotesData &b) { return b.Importance < a.Importance; });
    QList<qsizetype> positions;
    for (const TNotesData &n : notes)
        positions << n.ID;
    return positions;
}

} // namespace

Q_DECLARE_METATYPE(WeekOrder)

class TestWeekSchedule final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void order_matchesNeighbourSwappingPasses_data();
    void order_matchesNeighbourSwappingPasses();
    void noNotes_onlyHeadersColoursAndTodayMark();
    void noteDueToday_showsTimeInTodaysList();
    void rows_textIconAndHiddenId();
    void sameDay_data();
    void sameDay();
    void filters_finishedAndPrivate();
    void notesOutsideTheWeek_landNowhere();
    void saturdayStart_coloursFollowTheDate();
    void headers_data();
    void headers();
    void dayChange_data();
    void dayChange();
    void dayChange_refreshesThroughoutFirstHalfMinute();
    void missedDayChange_data();
    void missedDayChange();
};

void TestWeekSchedule::order_matchesNeighbourSwappingPasses_data()
{
    QTest::addColumn<WeekOrder>("order");
    QTest::newRow("by time") << WeekOrder::ByTime;
    QTest::newRow("by priority") << WeekOrder::ByPriority;
    QTest::newRow("unsorted") << WeekOrder::Unsorted;
}

void TestWeekSchedule::order_matchesNeighbourSwappingPasses()
{
    QFETCH(WeekOrder, order);
    const double inf = std::numeric_limits<double>::infinity();
    const double pool[] = {-1.0,    -1.0,    std::numeric_limits<double>::quiet_NaN(), inf, -inf, 0.0, -0.0, 46000.5,
                           46000.5, 46001.25};
    QRandomGenerator random(99u);
    for (int round = 0; round < 400; ++round) {
        NotesCollection notes;
        for (int i = random.bounded(35); i > 0; --i) {
            const double deadline = random.bounded(2) == 0 ? pool[random.bounded(10)] : 46000 + random.bounded(8) / 2.0;
            notes.append(note(QStringLiteral("n"), deadline, quint8(random.bounded(5))));
        }
        QCOMPARE(weekOrder(notes, order), literalWeekOrder(notes, order));
    }
}

void TestWeekSchedule::noNotes_onlyHeadersColoursAndTodayMark()
{
    const WeekSchedule week = weekSchedule({}, kMonday, kToday, options(), LocaleFormats::fixedForTesting());
    for (int k = 0; k < 7; ++k) {
        const DayList &day = week[size_t(k)];
        QVERIFY(day.rows.isEmpty());
        QCOMPARE(day.date, kMonday.addDays(k));
        QCOMPARE(day.dayOfWeek, k + 1);
        QCOMPARE(day.headerIcon, k == 2 ? NoteIcons::TodayHeader : NoteIcons::None);
        QVERIFY(day.header.has_value());
    }
    QCOMPARE(*week[0].header, QStringLiteral("Mon 07.12.2026"));
}

void TestWeekSchedule::noteDueToday_showsTimeInTodaysList()
{
    const NotesCollection notes = numbered({note(QStringLiteral("dentist"), DateTime::encode(2026, 12, 9, 9, 5))});
    const WeekSchedule week = weekSchedule(notes, kToday, kToday, options(), LocaleFormats::fixedForTesting());
    QCOMPARE(rowTexts(week[0]), QStringList{QStringLiteral("09:05 dentist")});
    QCOMPARE(week[0].headerIcon, NoteIcons::TodayHeader);
    for (int k = 1; k < 7; ++k)
        QVERIFY(week[size_t(k)].rows.isEmpty());

    const WeekSchedule noTime =
        weekSchedule(notes, kToday, kToday, options(WeekOrder::ByTime, false), LocaleFormats::fixedForTesting());
    QCOMPARE(rowTexts(noTime[0]), QStringList{QStringLiteral("dentist")});
}

void TestWeekSchedule::rows_textIconAndHiddenId()
{
    const NotesCollection notes = numbered(
        {note(QStringLiteral("undated"), -1), note(QStringLiteral("a\r\nb"), DateTime::encode(2026, 12, 8, 18, 0), 2),
         note(QStringLiteral("done"), DateTime::encode(2026, 12, 13, 23, 59), 1, 100)});
    const WeekSchedule week = weekSchedule(notes, kMonday, kToday, options(), LocaleFormats::fixedForTesting());
    QCOMPARE(week[1].rows.size(), 1);
    QCOMPARE(week[1].rows[0].text, QStringLiteral("18:00 a  b"));
    QCOMPARE(week[1].rows[0].icon, NoteIcons::Increased);
    QCOMPARE(week[1].rows[0].id, QStringLiteral("1"));
    QCOMPARE(week[1].rows[0].position, 1);
    QCOMPARE(week[6].rows.size(), 1);
    QCOMPARE(week[6].rows[0].text, QStringLiteral("23:59 done"));
    QCOMPARE(week[6].rows[0].icon, NoteIcons::Finished);
    QCOMPARE(week[6].rows[0].id, QStringLiteral("2"));
}

void TestWeekSchedule::sameDay_data()
{
    QTest::addColumn<WeekOrder>("order");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("by time") << WeekOrder::ByTime
                             << QStringList{QStringLiteral("09:00 high"), QStringLiteral("14:00 normal"),
                                            QStringLiteral("14:00 normal 2")};
    QTest::newRow("by priority") << WeekOrder::ByPriority
                                 << QStringList{QStringLiteral("09:00 high"), QStringLiteral("14:00 normal"),
                                                QStringLiteral("14:00 normal 2")};
    QTest::newRow("unsorted") << WeekOrder::Unsorted
                              << QStringList{QStringLiteral("14:00 normal"), QStringLiteral("09:00 high"),
                                             QStringLiteral("14:00 normal 2")};
}

void TestWeekSchedule::sameDay()
{
    QFETCH(WeekOrder, order);
    QFETCH(QStringList, expected);
    const NotesCollection notes =
        numbered({note(QStringLiteral("normal"), DateTime::encode(2026, 12, 10, 14, 0), 3),
                  note(QStringLiteral("high"), DateTime::encode(2026, 12, 10, 9, 0), 1),
                  note(QStringLiteral("normal 2"), DateTime::encode(2026, 12, 10, 14, 0), 3)});
    const WeekSchedule week = weekSchedule(notes, kMonday, kToday, options(order), LocaleFormats::fixedForTesting());
    QCOMPARE(rowTexts(week[3]), expected);
}

void TestWeekSchedule::filters_finishedAndPrivate()
{
    const TDateTime wednesday = DateTime::encode(2026, 12, 9, 12, 0);
    const NotesCollection notes = numbered(
        {note(QStringLiteral("done"), wednesday, 3, 100), note(QStringLiteral("secret"), wednesday, 3, 0, true)});
    const LocaleFormats formats = LocaleFormats::fixedForTesting();
    QCOMPARE(
        rowTexts(weekSchedule(notes, kMonday, kToday, options(WeekOrder::ByTime, false, {false, true}), formats)[2]),
        (QStringList{QStringLiteral("done"), QStringLiteral("secret")}));
    QCOMPARE(
        rowTexts(weekSchedule(notes, kMonday, kToday, options(WeekOrder::ByTime, false, {false, false}), formats)[2]),
        QStringList{QStringLiteral("secret")});
    QCOMPARE(
        rowTexts(weekSchedule(notes, kMonday, kToday, options(WeekOrder::ByTime, false, {true, true}), formats)[2]),
        QStringList{QStringLiteral("done")});
}

void TestWeekSchedule::notesOutsideTheWeek_landNowhere()
{
    const double inf = std::numeric_limits<double>::infinity();
    const QDate epochWeek(1899, 12, 27); // -1 is 29 December 1899 as a date; still no deadline
    const NotesCollection notes = numbered({note(QStringLiteral("none"), -1),
                                            note(QStringLiteral("nan"), std::numeric_limits<double>::quiet_NaN()),
                                            note(QStringLiteral("inf"), inf), note(QStringLiteral("-inf"), -inf),
                                            note(QStringLiteral("before"), DateTime::fromQDate(epochWeek) - 1.5),
                                            note(QStringLiteral("after"), DateTime::fromQDate(epochWeek) + 7)});
    const WeekSchedule week = weekSchedule(notes, epochWeek, kToday, options(), LocaleFormats::fixedForTesting());
    for (const DayList &day : week)
        QVERIFY2(day.rows.isEmpty(), qPrintable(day.rows.value(0).text));

    // Before 1899-12-30 the time of day counts away from zero: -3.5 is 27 December, 12:00.
    const NotesCollection early = numbered({note(QStringLiteral("early"), DateTime::fromQDate(epochWeek) - 0.5)});
    const WeekSchedule earlyWeek = weekSchedule(early, epochWeek, kToday, options(), LocaleFormats::fixedForTesting());
    QCOMPARE(rowTexts(earlyWeek[0]), QStringList{QStringLiteral("12:00 early")});
}

void TestWeekSchedule::saturdayStart_coloursFollowTheDate()
{
    const WeekSchedule week =
        weekSchedule({}, QDate(2026, 12, 12), kToday, options(), LocaleFormats::fixedForTesting());
    QCOMPARE(weekdayColourKey(week[0].dayOfWeek), QStringLiteral("SaBackgroundColor"));
    QCOMPARE(weekdayColourKey(week[6].dayOfWeek), QStringLiteral("FrBackgroundColor"));
    QCOMPARE(weekdayColourKey(week[2].dayOfWeek), QStringLiteral("MoBackgroundColor"));
    for (const DayList &day : week)
        QCOMPARE(day.headerIcon, NoteIcons::None);
}

void TestWeekSchedule::headers_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("header"); // empty: unchanged
    QTest::newRow("short") << int(DayNameForm::Short) << QStringLiteral("Mon 07.12.2026");
    QTest::newRow("long") << int(DayNameForm::Long) << QStringLiteral("Monday 07.12.2026");
    QTest::newRow("neither") << int(DayNameForm::Unchanged) << QString();
}

void TestWeekSchedule::headers()
{
    QFETCH(int, form);
    QFETCH(QString, header);
    const std::optional<QString> result =
        dayHeader(kMonday, static_cast<DayNameForm>(form), LocaleFormats::fixedForTesting());
    QCOMPARE(result.has_value(), !header.isEmpty());
    if (result)
        QCOMPARE(*result, header);
}

void TestWeekSchedule::dayChange_data()
{
    QTest::addColumn<QDate>("weekStart");
    QTest::addColumn<QTime>("lateTick");
    QTest::addColumn<QDate>("expected");
    const QDate oldDay(2026, 12, 9);
    QTest::newRow("showing today moves on") << oldDay << QTime(23, 59, 55) << QDate(2026, 12, 10);
    QTest::newRow("53 seconds is enough") << oldDay << QTime(23, 59, 53) << QDate(2026, 12, 10);
    QTest::newRow("52 seconds is too early") << oldDay << QTime(23, 59, 52) << oldDay;
    QTest::newRow("showing tomorrow stays") << QDate(2026, 12, 10) << QTime(23, 59, 55) << QDate(2026, 12, 10);
    QTest::newRow("showing last week stays") << QDate(2026, 12, 2) << QTime(23, 59, 58) << QDate(2026, 12, 2);
}

void TestWeekSchedule::dayChange()
{
    QFETCH(QDate, weekStart);
    QFETCH(QTime, lateTick);
    QFETCH(QDate, expected);
    bool pending = false;
    QDate shown = weekStart;
    QVERIFY(!weekDayChangeTick(lateTick, QDate(2026, 12, 9), shown, pending));
    QVERIFY(weekDayChangeTick(QTime(0, 0, 3), QDate(2026, 12, 10), shown, pending));
    QCOMPARE(shown, expected);
    QVERIFY(!pending);
}

void TestWeekSchedule::dayChange_refreshesThroughoutFirstHalfMinute()
{
    bool pending = false;
    QDate shown(2026, 12, 10);
    int refreshes = 0;
    for (int second = 0; second < 60; second += 5)
        refreshes += weekDayChangeTick(QTime(0, 0, second), QDate(2026, 12, 10), shown, pending) ? 1 : 0;
    QCOMPARE(refreshes, 6);
    QVERIFY(!weekDayChangeTick(QTime(12, 0), QDate(2026, 12, 10), shown, pending));
}

void TestWeekSchedule::missedDayChange_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("weekStart");
    QTest::addColumn<bool>("refresh");
    QTest::addColumn<QDate>("weekStartAfter");
    const QDate last(2026, 12, 9);
    QTest::newRow("same day") << last << last << false << last;
    QTest::newRow("woke next morning, page on today") << last.addDays(1) << last << true << last.addDays(1);
    QTest::newRow("woke next morning, page on another week")
        << last.addDays(1) << last.addDays(7) << true << last.addDays(7);
    QTest::newRow("clock set back a day") << last.addDays(-1) << last << true << last.addDays(-1);
}

void TestWeekSchedule::missedDayChange()
{
    QFETCH(QDate, today);
    QFETCH(QDate, weekStart);
    QFETCH(bool, refresh);
    QFETCH(QDate, weekStartAfter);
    QCOMPARE(::missedDayChange(today, QDate(2026, 12, 9), weekStart), refresh);
    QCOMPARE(weekStart, weekStartAfter);
}

QTEST_GUILESS_MAIN(TestWeekSchedule)
#include "tst_weekschedule.moc"
