#include "expenditures/NextDate.h"

#include <QTest>

#include <cmath>
#include <limits>

class TestNextDate final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nextDate_data();
    void nextDate();
    void nextDate_neverInTheGivenMonth_data();
    void nextDate_neverInTheGivenMonth();
    void nextDate_usesTheRuleOfTheTransactionAtIndex();
    void nextDate_dateWithoutCalendarDay_comesBackUnchanged();
};

void TestNextDate::nextDate_data()
{
    QTest::addColumn<int>("periodicity");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("expected");

    QTest::newRow("1st day, mid month") << 1 << QDate(2025, 3, 10) << QDate(2025, 4, 1);
    QTest::newRow("1st day, December to January") << 1 << QDate(2024, 12, 31) << QDate(2025, 1, 1);
    QTest::newRow("1st day, from the 1st itself") << 1 << QDate(2025, 3, 1) << QDate(2025, 4, 1);
    // 1 February 2025 is a Saturday.
    QTest::newRow("1st working day, from 1 January") << 2 << QDate(2025, 1, 1) << QDate(2025, 2, 3);
    QTest::newRow("1st working day, from 31 January") << 2 << QDate(2025, 1, 31) << QDate(2025, 2, 3);
    QTest::newRow("1st working day, Sunday 1st") << 2 << QDate(2025, 5, 20) << QDate(2025, 6, 2);
    QTest::newRow("1st working day, Monday 1st") << 2 << QDate(2025, 8, 20) << QDate(2025, 9, 1);
    QTest::newRow("1st working day, Friday 1st") << 2 << QDate(2025, 7, 2) << QDate(2025, 8, 1);
    QTest::newRow("2nd working day, Friday 1st") << 3 << QDate(2025, 7, 14) << QDate(2025, 8, 4);
    QTest::newRow("2nd working day, Sunday 1st") << 3 << QDate(2025, 5, 14) << QDate(2025, 6, 3);
    QTest::newRow("2nd working day, Saturday 1st") << 3 << QDate(2025, 2, 14) << QDate(2025, 3, 4);
    QTest::newRow("2nd working day, Monday 1st") << 3 << QDate(2025, 8, 14) << QDate(2025, 9, 2);
    QTest::newRow("2nd working day, Thursday 1st") << 3 << QDate(2025, 4, 14) << QDate(2025, 5, 2);
    QTest::newRow("half of the month, not this month's") << 4 << QDate(2025, 3, 10) << QDate(2025, 4, 15);
    QTest::newRow("half of the month, December") << 4 << QDate(2025, 12, 31) << QDate(2026, 1, 15);
    QTest::newRow("last day, December to January") << 5 << QDate(2024, 12, 5) << QDate(2025, 1, 31);
    QTest::newRow("last day, leap February") << 5 << QDate(2024, 1, 31) << QDate(2024, 2, 29);
    QTest::newRow("last day, common February") << 5 << QDate(2025, 1, 1) << QDate(2025, 2, 28);
    QTest::newRow("last day, century not leap") << 5 << QDate(2100, 1, 15) << QDate(2100, 2, 28);
    QTest::newRow("last day, 400-year leap") << 5 << QDate(2000, 1, 15) << QDate(2000, 2, 29);
    QTest::newRow("last day, 30-day month") << 5 << QDate(2025, 3, 31) << QDate(2025, 4, 30);
    QTest::newRow("last day, from 17 March") << 5 << QDate(2025, 3, 17) << QDate(2025, 4, 30);
    QTest::newRow("unknown code falls due on the 1st") << 6 << QDate(2025, 3, 17) << QDate(2025, 4, 1);
    QTest::newRow("code 255 falls due on the 1st") << 255 << QDate(2025, 12, 17) << QDate(2026, 1, 1);
    QTest::newRow("before the epoch") << 5 << QDate(1899, 11, 3) << QDate(1899, 12, 31);
}

void TestNextDate::nextDate()
{
    QFETCH(int, periodicity);
    QFETCH(QDate, from);
    QFETCH(QDate, expected);
    const TDateTime result = CalcNextDate(static_cast<quint8>(periodicity), DateTime::fromQDate(from));
    QCOMPARE(DateTime::toQDate(result), expected);
    QCOMPARE(result, std::floor(result));
}

void TestNextDate::nextDate_neverInTheGivenMonth_data()
{
    QTest::addColumn<int>("periodicity");
    for (int code = 1; code <= 5; ++code)
        QTest::addRow("code %d", code) << code;
}

// Every day of two years, with a time of day: the result is in the next month and on a working
// day when the rule asks for one.
void TestNextDate::nextDate_neverInTheGivenMonth()
{
    QFETCH(int, periodicity);
    for (QDate day(2024, 1, 1); day < QDate(2026, 1, 1); day = day.addDays(1)) {
        const TDateTime from = DateTime::fromQDate(day) + 0.75;
        const QDate next = DateTime::toQDate(CalcNextDate(static_cast<quint8>(periodicity), from));
        const QDate expectedMonth = QDate(day.year(), day.month(), 1).addMonths(1);
        QCOMPARE(QDate(next.year(), next.month(), 1), expectedMonth);
        if (periodicity == 2 || periodicity == 3)
            QVERIFY(next.dayOfWeek() <= 5);
    }
}

void TestNextDate::nextDate_usesTheRuleOfTheTransactionAtIndex()
{
    ExpenditureCollection list(2);
    list[0].Periodicity = 1;
    list[1].Periodicity = 5;
    const TDateTime from = DateTime::encode(2025, 1, 10);
    QCOMPARE(DateTime::toQDate(CalcNextDate(list, 0, from)), QDate(2025, 2, 1));
    QCOMPARE(DateTime::toQDate(CalcNextDate(list, 1, from)), QDate(2025, 2, 28));
}

void TestNextDate::nextDate_dateWithoutCalendarDay_comesBackUnchanged()
{
    QVERIFY(std::isnan(CalcNextDate(1, std::numeric_limits<double>::quiet_NaN())));
    QCOMPARE(CalcNextDate(1, std::numeric_limits<double>::infinity()), std::numeric_limits<double>::infinity());
    QCOMPARE(CalcNextDate(5, 1e300), 1e300);
}

QTEST_GUILESS_MAIN(TestNextDate)
#include "tst_nextdate.moc"
