#include "daypanels/DayPanels.h"
#include "daypanels/SunTime.h"
#include "daypanels/WorldZones.h"

#include <QTest>

#include <cmath>
#include <ctime>
#include <limits>

namespace {

const QDate kDay(2026, 12, 9);

TDateTime at(int hour, int minute, int second = 0)
{
    return DateTime::fromQDateTime(QDateTime(kDay, QTime(hour, minute, second)));
}

const QString kNoText;

} // namespace

Q_DECLARE_METATYPE(DayPhase)

class TestDayPanels final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void sunPanel_labelsPercentAndTimeLeft_data();
    void sunPanel_labelsPercentAndTimeLeft();
    void sunPanel_twelveHourLocale();
    void sunPanel_polarDayFromSunTime_countsFromMidnight();
    void customPanel_labelsPercentAndTimeLeft_data();
    void customPanel_labelsPercentAndTimeLeft();
    void barPercent_roundsHalfToEvenAndRejectsOutOfRange_data();
    void barPercent_roundsHalfToEvenAndRejectsOutOfRange();
    void timeLeft_hoursAndMinutesOnly_data();
    void timeLeft_hoursAndMinutesOnly();
    void initialViews_showFormCaptions();

    void zoneClock_shiftsLocalTimeAndDropsDate_data();
    void zoneClock_shiftsLocalTimeAndDropsDate();
    void zoneClocks_keepLeftMiddleRightOrder();
    void clockPanelMode_heightFollowsClockType();

    void feedPlace_writesSettingsIntoSunTime();
    void feedPlace_sameValuesKeepResults();
    void feedPlace_editedOutOfRangeDegreesFold();
};

void TestDayPanels::initTestCase()
{
    qputenv("TZ", "Europe/Warsaw");
    tzset();
}

void TestDayPanels::sunPanel_labelsPercentAndTimeLeft_data()
{
    QTest::addColumn<double>("sunrise");
    QTest::addColumn<double>("sunset");
    QTest::addColumn<double>("now");
    QTest::addColumn<bool>("showText");
    QTest::addColumn<int>("previous");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<DayPhase>("phase");
    QTest::addColumn<int>("bar");
    QTest::addColumn<bool>("barSet");
    QTest::addColumn<QString>("text");

    const QString dayLeft = QStringLiteral(" Sunrise 06:00:00");
    const QString dayRight = QStringLiteral("Sunset 18:00:00  ");
    const QString nightLeft = QStringLiteral(" Sunset 18:00:00");
    const QString nightRight = QStringLiteral("Sunrise 06:00:00  ");
    const double r = at(6, 0);
    const double s = at(18, 0);
    QTest::newRow("noon") << r << s << at(12, 0) << true << 7 << dayLeft << dayRight << DayPhase::Inside << 50 << true
                          << QStringLiteral("06:00");
    QTest::newRow("noon, text off") << r << s << at(12, 0) << false << 7 << dayLeft << dayRight << DayPhase::Inside
                                    << 50 << true << kNoText;
    QTest::newRow("21:00 after sunset") << r << s << at(21, 0) << true << 7 << nightLeft << nightRight
                                        << DayPhase::AfterEnd << 25 << true << QStringLiteral("09:00");
    QTest::newRow("03:00 before sunrise") << r << s << at(3, 0) << true << 7 << nightLeft << nightRight
                                          << DayPhase::BeforeStart << 75 << true << QStringLiteral("03:00");
    QTest::newRow("at sunrise") << r << s << at(6, 0) << true << 7 << dayLeft << dayRight << DayPhase::Inside << 0
                                << true << QStringLiteral("12:00");
    QTest::newRow("at sunset") << r << s << at(18, 0) << true << 7 << dayLeft << dayRight << DayPhase::Inside << 100
                               << true << QStringLiteral("00:00");
    QTest::newRow("a minute after sunset") << r << s << at(18, 1) << true << 7 << nightLeft << nightRight
                                           << DayPhase::AfterEnd << 0 << true << QStringLiteral("11:59");
    QTest::newRow("midnight") << r << s << at(0, 0) << true << 7 << nightLeft << nightRight << DayPhase::BeforeStart
                              << 50 << true << QStringLiteral("06:00");
    // Sunrise and sunset from another day: only their times of day count.
    QTest::newRow("dates ignored") << r - 400.0 << s + 3.0 << at(12, 0) << true << 7 << dayLeft << dayRight
                                   << DayPhase::Inside << 50 << true << QStringLiteral("06:00");
    // A clock far ahead of the sun: the daylight runs on past midnight.
    QTest::newRow("sunset after midnight")
        << at(11, 0) << at(2, 0) << at(12, 0) << true << 7 << QStringLiteral(" Sunrise 11:00:00")
        << QStringLiteral("Sunset 02:00:00  ") << DayPhase::Inside << 7 << true << QStringLiteral("14:00");
    // Reykjavik, 64° 8′ N 21° 56′ W on UTC: the sunset that ends 21 June comes at 00:03:39 on the 22nd.
    TSunTime north(DateTime::fromQDate(QDate(2026, 6, 21)));
    feedPlace(north, SunPlace{64, 8, true, 21, 56, false});
    north.SetTimeZone(0);
    const QString northDay[] = {QStringLiteral(" Sunrise 02:55:26"), QStringLiteral("Sunset 00:03:39  ")};
    const QString northNight[] = {QStringLiteral(" Sunset 00:03:39"), QStringLiteral("Sunrise 02:55:26  ")};
    QTest::newRow("Reykjavik at noon") << north.Sunrise() << north.Sunset() << at(12, 0) << true << 7 << northDay[0]
                                       << northDay[1] << DayPhase::Inside << 43 << true << QStringLiteral("12:03");
    QTest::newRow("Reykjavik before the sunset")
        << north.Sunrise() << north.Sunset() << at(0, 1) << true << 7 << northDay[0] << northDay[1] << DayPhase::Inside
        << 100 << true << QStringLiteral("00:02");
    QTest::newRow("Reykjavik at 01:00") << north.Sunrise() << north.Sunset() << at(1, 0) << true << 7 << northNight[0]
                                        << northNight[1] << DayPhase::AfterEnd << 33 << true << QStringLiteral("01:55");
    // 64° 8′ S 40° E on UTC, a clock far behind the sun: 21 December's sunrise comes before its midnight.
    TSunTime south(DateTime::fromQDate(QDate(2026, 12, 21)));
    feedPlace(south, SunPlace{64, 8, false, 40, 0, true});
    south.SetTimeZone(0);
    const QString southDay[] = {QStringLiteral(" Sunrise 22:43:51"), QStringLiteral("Sunset 19:52:16  ")};
    QTest::newRow("far south at noon") << south.Sunrise() << south.Sunset() << at(12, 0) << true << 7 << southDay[0]
                                       << southDay[1] << DayPhase::Inside << 63 << true << QStringLiteral("07:52");
    QTest::newRow("far south after the sunrise")
        << south.Sunrise() << south.Sunset() << at(23, 0) << true << 7 << southDay[0] << southDay[1] << DayPhase::Inside
        << 1 << true << QStringLiteral("20:52");
    QTest::newRow("far south at 21:00") << south.Sunrise() << south.Sunset() << at(21, 0) << true << 7
                                        << QStringLiteral(" Sunset 19:52:16") << QStringLiteral("Sunrise 22:43:51  ")
                                        << DayPhase::AfterEnd << 39 << true << QStringLiteral("01:43");
    QTest::newRow("polar at 06:00") << 0.0 << 0.0 << at(6, 0) << true << 7 << QStringLiteral(" Sunset 00:00:00")
                                    << QStringLiteral("Sunrise 00:00:00  ") << DayPhase::AfterEnd << 25 << true
                                    << QStringLiteral("18:00");
    // Zero over zero at the very instant: the bar keeps what it had, labels and text still change.
    QTest::newRow("polar at midnight keeps the bar") << 0.0 << 0.0 << at(0, 0) << true << 7
                                                     << QStringLiteral(" Sunrise 00:00:00")
                                                     << QStringLiteral("Sunset 00:00:00  ") << DayPhase::Inside << 7
                                                     << false << QStringLiteral("00:00");
}

void TestDayPanels::sunPanel_labelsPercentAndTimeLeft()
{
    QFETCH(double, sunrise);
    QFETCH(double, sunset);
    QFETCH(double, now);
    QFETCH(bool, showText);
    QFETCH(int, previous);
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(DayPhase, phase);
    QFETCH(int, bar);
    QFETCH(bool, barSet);
    QFETCH(QString, text);

    const ProgressPanelView view =
        sunPanelStep(sunrise, sunset, now, showText, LocaleFormats::fixedForTesting(), previous);
    QCOMPARE(view.leftLabel, left);
    QCOMPARE(view.rightLabel, right);
    QCOMPARE(view.phase, phase);
    QCOMPARE(view.barValue, bar);
    QCOMPARE(view.barValueSet, barSet);
    QCOMPARE(view.barText, text);
}

void TestDayPanels::sunPanel_twelveHourLocale()
{
    LocaleFormats formats = LocaleFormats::fixedForTesting();
    formats.longTime = QStringLiteral("h:mm:ss AP");
    const ProgressPanelView day = sunPanelStep(at(6, 5, 9), at(18, 0), at(12, 0), true, formats, 0);
    QCOMPARE(day.leftLabel, QStringLiteral(" Sunrise 6:05:09 AM"));
    QCOMPARE(day.rightLabel, QStringLiteral("Sunset 6:00:00 PM  "));
    // The time left keeps its fixed 24-hour form.
    const ProgressPanelView night = sunPanelStep(at(6, 0), at(18, 0), at(19, 0), true, formats, 0);
    QCOMPARE(night.barText, QStringLiteral("11:00"));
}

void TestDayPanels::sunPanel_polarDayFromSunTime_countsFromMidnight()
{
    TSunTime sun(DateTime::fromQDate(QDate(2009, 6, 21)));
    sun.Latitude().SetAngle(78, 0, 0);
    const ProgressPanelView view =
        sunPanelStep(sun.Sunrise(), sun.Sunset(), at(18, 0), true, LocaleFormats::fixedForTesting(), 3);
    QCOMPARE(view.leftLabel, QStringLiteral(" Sunset 00:00:00"));
    QCOMPARE(view.rightLabel, QStringLiteral("Sunrise 00:00:00  "));
    QCOMPARE(view.barValue, 75);
    QCOMPARE(view.barText, QStringLiteral("06:00"));
}

void TestDayPanels::customPanel_labelsPercentAndTimeLeft_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("end");
    QTest::addColumn<double>("now");
    QTest::addColumn<bool>("showText");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<DayPhase>("phase");
    QTest::addColumn<int>("bar");
    QTest::addColumn<bool>("barSet");
    QTest::addColumn<QString>("text");

    const QString inLeft = QStringLiteral("  08:00:00");
    const QString inRight = QStringLiteral(" 16:00:00  ");
    const QString outLeft = QStringLiteral(" 16:00:00");
    const QString outRight = QStringLiteral("08:00:00  ");
    const double a = at(8, 0);
    const double b = at(16, 0);
    QTest::newRow("10:00 inside") << a << b << at(10, 0) << true << inLeft << inRight << DayPhase::Inside << 25
                                  << true << QStringLiteral("06:00");
    QTest::newRow("10:00 inside, text off") << a << b << at(10, 0) << false << inLeft << inRight << DayPhase::Inside
                                            << 25 << true << kNoText;
    QTest::newRow("20:00 after the end") << a << b << at(20, 0) << true << outLeft << outRight << DayPhase::AfterEnd
                                         << 25 << true << QStringLiteral("12:00");
    QTest::newRow("07:00 before the start") << a << b << at(7, 0) << true << outLeft << outRight
                                            << DayPhase::BeforeStart << 94 << true << QStringLiteral("01:00");
    QTest::newRow("only times of day count") << a - 9000.0 << b + 1500.0 << at(10, 0) << true << inLeft << inRight
                                             << DayPhase::Inside << 25 << true << QStringLiteral("06:00");
    QTest::newRow("start and end at midnight") << at(0, 0) << at(0, 0) << at(6, 0) << true
                                               << QStringLiteral(" 00:00:00") << QStringLiteral("00:00:00  ")
                                               << DayPhase::AfterEnd << 25 << true << QStringLiteral("18:00");
    QTest::newRow("start and end at midnight, late evening") << at(0, 0) << at(0, 0) << at(23, 30) << true
                                                             << QStringLiteral(" 00:00:00")
                                                             << QStringLiteral("00:00:00  ") << DayPhase::AfterEnd
                                                             << 98 << true << QStringLiteral("00:30");
    QTest::newRow("empty interval at its instant keeps the bar") << a << a << at(8, 0) << true << inLeft
                                                                 << QStringLiteral(" 08:00:00  ") << DayPhase::Inside
                                                                 << 11 << false << QStringLiteral("00:00");
    // Only an edited settings file gets here; the time left then wraps past a day.
    QTest::newRow("start after end, between them") << b << a << at(13, 0) << true << QStringLiteral(" 08:00:00")
                                                   << QStringLiteral("16:00:00  ") << DayPhase::AfterEnd << 16 << true
                                                   << QStringLiteral("03:00");
}

void TestDayPanels::customPanel_labelsPercentAndTimeLeft()
{
    QFETCH(double, start);
    QFETCH(double, end);
    QFETCH(double, now);
    QFETCH(bool, showText);
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(DayPhase, phase);
    QFETCH(int, bar);
    QFETCH(bool, barSet);
    QFETCH(QString, text);

    const ProgressPanelView view = customPanelStep(start, end, now, showText, LocaleFormats::fixedForTesting(), 11);
    QCOMPARE(view.leftLabel, left);
    QCOMPARE(view.rightLabel, right);
    QCOMPARE(view.phase, phase);
    QCOMPARE(view.barValue, bar);
    QCOMPARE(view.barValueSet, barSet);
    QCOMPARE(view.barText, text);
}

void TestDayPanels::barPercent_roundsHalfToEvenAndRejectsOutOfRange_data()
{
    QTest::addColumn<double>("percent");
    QTest::addColumn<int>("expected"); // -1: the bar keeps its value

    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("50") << 50.0 << 50;
    QTest::newRow("33.4999") << 33.4999 << 33;
    QTest::newRow("33.5001") << 33.5001 << 34;
    QTest::newRow("0.5 to even 0") << 0.5 << 0;
    QTest::newRow("1.5 to even 2") << 1.5 << 2;
    QTest::newRow("2.5 to even 2") << 2.5 << 2;
    QTest::newRow("87.5 to even 88") << 87.5 << 88;
    QTest::newRow("99.5 to even 100") << 99.5 << 100;
    QTest::newRow("100.5 rounds into range") << 100.5 << 100;
    QTest::newRow("100.6 rejected") << 100.6 << -1;
    QTest::newRow("-0.5 rounds into range") << -0.5 << 0;
    QTest::newRow("-0.6 rejected") << -0.6 << -1;
    QTest::newRow("-25 rejected") << -25.0 << -1;
    QTest::newRow("150 rejected") << 150.0 << -1;
    QTest::newRow("NaN rejected") << std::numeric_limits<double>::quiet_NaN() << -1;
    QTest::newRow("+inf rejected") << inf << -1;
    QTest::newRow("-inf rejected") << -inf << -1;
    QTest::newRow("huge rejected") << 1.0e300 << -1;
}

void TestDayPanels::barPercent_roundsHalfToEvenAndRejectsOutOfRange()
{
    QFETCH(double, percent);
    QFETCH(int, expected);
    const std::optional<int> value = barPercent(percent);
    if (expected < 0) {
        QVERIFY(!value.has_value());
    } else {
        QVERIFY(value.has_value());
        QCOMPARE(*value, expected);
    }
}

void TestDayPanels::timeLeft_hoursAndMinutesOnly_data()
{
    QTest::addColumn<double>("duration");
    QTest::addColumn<QString>("text");
    const double ms = 1.0 / DateTime::kMsPerDay;
    QTest::newRow("six hours") << 0.25 << QStringLiteral("06:00");
    QTest::newRow("zero") << 0.0 << QStringLiteral("00:00");
    QTest::newRow("a whole day wraps") << 1.0 << QStringLiteral("00:00");
    QTest::newRow("59 seconds dropped") << 59.0 / 86400.0 << QStringLiteral("00:00");
    QTest::newRow("just under noon") << 0.5 - ms << QStringLiteral("11:59");
    QTest::newRow("sub-millisecond short of an hour") << 1.0 / 24.0 - 0.4 * ms << QStringLiteral("01:00");
    QTest::newRow("last millisecond of the day") << 1.0 - ms << QStringLiteral("23:59");
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << QStringLiteral("00:00");
}

void TestDayPanels::timeLeft_hoursAndMinutesOnly()
{
    QFETCH(double, duration);
    QFETCH(QString, text);
    QCOMPARE(timeLeftText(duration), text);
}

void TestDayPanels::initialViews_showFormCaptions()
{
    const ProgressPanelView sun = sunPanelInitialView();
    QCOMPARE(sun.leftLabel, QStringLiteral("Sunrise"));
    QCOMPARE(sun.rightLabel, QStringLiteral("Sunset"));
    QCOMPARE(sun.barText, QStringLiteral("Progress...[0%]"));
    const ProgressPanelView custom = customPanelInitialView();
    QCOMPARE(custom.leftLabel, QStringLiteral("n/a"));
    QCOMPARE(custom.rightLabel, QStringLiteral("n/a"));
    QCOMPARE(progressFormCaption(42), QStringLiteral("Progress...[42%]"));
    const auto captions = zoneClockInitialCaptions();
    QCOMPARE(captions[0], QStringLiteral("T1"));
    QCOMPARE(captions[1], QStringLiteral("Local Time"));
    QCOMPARE(captions[2], QStringLiteral("T2"));
}

void TestDayPanels::zoneClock_shiftsLocalTimeAndDropsDate_data()
{
    QTest::addColumn<double>("now");
    QTest::addColumn<double>("shift");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<double>("hourHand");
    QTest::addColumn<double>("minuteHand");
    QTest::addColumn<QString>("digital");

    QTest::newRow("-5.5 at noon") << at(12, 0) << -5.5 << QTime(6, 30) << 195.0 << 180.0 << QStringLiteral("06:30");
    QTest::newRow("13 at 20:00 drops the date") << at(20, 0) << 13.0 << QTime(9, 0) << 270.0 << 0.0
                                                << QStringLiteral("09:00");
    QTest::newRow("0 is local time") << at(12, 34, 56) << 0.0 << QTime(12, 34, 56) << 17.0 << 204.0
                                     << QStringLiteral("12:34");
    QTest::newRow("-12 at 03:00 goes to yesterday") << at(3, 0) << -12.0 << QTime(15, 0) << 90.0 << 0.0
                                                    << QStringLiteral("15:00");
    QTest::newRow("quarter hour past midnight") << at(23, 50) << 0.25 << QTime(0, 5) << 2.5 << 30.0
                                                << QStringLiteral("00:05");
    QTest::newRow("NaN shift shows local time") << at(8, 15) << std::numeric_limits<double>::quiet_NaN()
                                                << QTime(8, 15) << 247.5 << 90.0 << QStringLiteral("08:15");
}

void TestDayPanels::zoneClock_shiftsLocalTimeAndDropsDate()
{
    QFETCH(double, now);
    QFETCH(double, shift);
    QFETCH(QTime, time);
    QFETCH(double, hourHand);
    QFETCH(double, minuteHand);
    QFETCH(QString, digital);

    const ZoneClockView view = zoneClock(now, shift);
    QCOMPARE(view.time, time);
    QCOMPARE(view.hourHandDegrees, hourHand);
    QCOMPARE(view.minuteHandDegrees, minuteHand);
    QCOMPARE(view.digitalText, digital);
}

void TestDayPanels::zoneClocks_keepLeftMiddleRightOrder()
{
    const auto clocks = WorldZones::zoneClocksAt(DateTime::toQDateTime(at(10, 0)), {}, {-1.0, 0.0, 2.5});
    QCOMPARE(clocks[0].time, QTime(9, 0));
    QCOMPARE(clocks[1].time, QTime(10, 0));
    QCOMPARE(clocks[2].time, QTime(12, 30));
}

void TestDayPanels::clockPanelMode_heightFollowsClockType()
{
    const ClockPanelMode analogue = clockPanelMode(true);
    QVERIFY(analogue.analogue);
    QCOMPARE(analogue.height, 80);
    const ClockPanelMode digital = clockPanelMode(false);
    QVERIFY(!digital.analogue);
    QCOMPARE(digital.height, 50);
}

void TestDayPanels::feedPlace_writesSettingsIntoSunTime()
{
    const TDateTime created = DateTime::fromQDate(QDate(2009, 6, 21)) + 0.5;
    TSunTime sun(created);
    feedPlace(sun, SunPlace{52, 14, true, 21, 1, true});
    QCOMPARE(sun.Latitude().Dir(), TLatitudeDir::dNorth);
    QCOMPARE(sun.Longitude().Dir(), TLongitudeDir::dEast);
    QCOMPARE(sun.Latitude().DecimalValue(), 52.0 + 14.0 / 60.0);
    QCOMPARE(sun.Longitude().DecimalValue(), -(21.0 + 1.0 / 60.0));
    // Warsaw on midsummer day: 04:14 and 21:01 local summer time.
    const ProgressPanelView view =
        sunPanelStep(sun.Sunrise(), sun.Sunset(), at(12, 0), true, LocaleFormats::fixedForTesting(), 0);
    QCOMPARE(view.leftLabel, QStringLiteral(" Sunrise 04:14:18"));
    QCOMPARE(view.rightLabel, QStringLiteral("Sunset 21:01:08  "));

    feedPlace(sun, SunPlace{33, 52, false, 74, 0, false});
    QVERIFY(sun.Latitude().DecimalValue() < 0);
    QCOMPARE(sun.Longitude().DecimalValue(), 74.0);
    QCOMPARE(sun.Longitude().Dir(), TLongitudeDir::dWest);
}

void TestDayPanels::feedPlace_sameValuesKeepResults()
{
    TSunTime sun(DateTime::fromQDate(QDate(2009, 6, 21)));
    const SunPlace warsaw{52, 14, true, 21, 1, true};
    feedPlace(sun, warsaw);
    (void)sun.Sunrise();
    const int computed = sun.CalculationCount();
    feedPlace(sun, warsaw);
    (void)sun.Sunset();
    QCOMPARE(sun.CalculationCount(), computed);
}

void TestDayPanels::feedPlace_editedOutOfRangeDegreesFold()
{
    TSunTime sun(DateTime::fromQDate(QDate(2009, 6, 21)));
    feedPlace(sun, SunPlace{100, 75, true, 200, 0, true});
    QCOMPARE(sun.Latitude().Degrees(), 11); // 100 folds to 10, then 75' carries one degree
    QCOMPARE(sun.Latitude().Minutes(), 15);
    QCOMPARE(sun.Longitude().Degrees(), 20);
    feedPlace(sun, SunPlace{-5, 0, true, -5, 0, true});
    QVERIFY(sun.Latitude().Degrees() <= 90);
    QVERIFY(sun.Longitude().Degrees() <= 180);
}

QTEST_GUILESS_MAIN(TestDayPanels)
#include "tst_daypanels.moc"
