#include "daypanels/SunMath.h"
#include "daypanels/SunTime.h"
#include "daypanels/SystemTimeZone.h"

#include <QTest>

#include <cmath>
#include <ctime>
#include <limits>

namespace {

// Expected minutes were worked out separately from the published formulas; the
// almanac columns are the rounded times printed by sunrise tables.
constexpr double kMinuteTolerance = 1e-4;
constexpr double kAlmanacTolerance = 2.0;

struct Place
{
    int latDeg;
    int latMin;
    int latSec;
    int lonDeg; // west positive, east negative
    int lonMin;
    int lonSec;
};

const Place kEquator{0, 0, 0, 0, 0, 0};
const Place kWarsaw{52, 14, 0, -21, 1, 0};
const Place kNewYork{40, 43, 0, 74, 0, 0};
const Place kSydney{-33, 52, 0, -151, 12, 0};

void placeSun(TSunTime &sun, const Place &place)
{
    sun.Latitude().SetAngle(place.latDeg, static_cast<quint16>(place.latMin), static_cast<quint16>(place.latSec));
    sun.Longitude().SetAngle(place.lonDeg, static_cast<quint16>(place.lonMin), static_cast<quint16>(place.lonSec));
}

// Whatever the system zone filled in, end with a fixed offset of 0.
void useUtc(TSunTime &sun)
{
    sun.SetTimeZone(0.5L);
    sun.SetTimeZone(0.0L);
}

double minutesAfter(TDateTime value, TDateTime base)
{
    return (value - base) * 1440.0;
}

// Points the C library at another zone for one test, then back.
class ScopedZone
{
public:
    explicit ScopedZone(const char *zone) : m_old(qgetenv("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~ScopedZone()
    {
        qputenv("TZ", m_old);
        tzset();
    }
    ScopedZone(const ScopedZone &) = delete;
    ScopedZone &operator=(const ScopedZone &) = delete;

private:
    QByteArray m_old;
};

TDateTime utcMoment(int year, int month, int day, int hour, int minute, int second)
{
    return DateTime::encode(year, month, day, hour, minute, second);
}

} // namespace

Q_DECLARE_METATYPE(Place)

class TestSunTime final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void julianDay_knownDates_data();
    void julianDay_knownDates();
    void centuries_halfDayBeforeJ2000();

    void utcTimes_matchFormulasAndAlmanac_data();
    void utcTimes_matchFormulasAndAlmanac();
    void noon_swingsBetweenNovemberAndFebruary();
    void polar_failedEventsReadZeroNoonStays_data();
    void polar_failedEventsReadZeroNoonStays();

    void timeZone_acceptedOnlyWithinTwelveHours_data();
    void timeZone_acceptedOnlyWithinTwelveHours();
    void timeZone_sameValueIsIgnored();
    void timeZone_shiftsUtcResults();
    void useSysTimeZone_fillsOffsetAtDate_data();
    void useSysTimeZone_fillsOffsetAtDate();
    void useSysTimeZone_switchingBackRefillsOffset();
    void sysZone_appliesOffsetAtEachEventsMoment_data();
    void sysZone_appliesOffsetAtEachEventsMoment();
    void sysZone_warsawSummerSunrise();
    void bias_changesAtTransitionInstant_data();
    void bias_changesAtTransitionInstant();

    void results_computedOncePerChange();
    void batchOfAngleWrites_invalidatesOnce();
    void getTime_unknownIndexReadsZero();
    void zenith_changeRecomputes();
};

void TestSunTime::initTestCase()
{
    qputenv("TZ", "Europe/Warsaw");
    tzset();
}

void TestSunTime::julianDay_knownDates_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<double>("julianDay");
    QTest::newRow("2000-01-01") << 2000 << 1 << 1 << 2451544.5;
    QTest::newRow("1988-01-27 (January shifts the year)") << 1988 << 1 << 27 << 2447187.5;
    QTest::newRow("1988-06-19") << 1988 << 6 << 19 << 2447331.5;
    QTest::newRow("1957-10-04") << 1957 << 10 << 4 << 2436115.5;
    QTest::newRow("2009-06-21") << 2009 << 6 << 21 << 2455003.5;
    QTest::newRow("2000-02-29 leap day") << 2000 << 2 << 29 << 2451603.5;
    QTest::newRow("2100-03-01 after a skipped leap day") << 2100 << 3 << 1 << 2488128.5;
}

void TestSunTime::julianDay_knownDates()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(double, julianDay);
    QCOMPARE(static_cast<double>(SunMath::JulianDay(year, month, day)), julianDay);
}

void TestSunTime::centuries_halfDayBeforeJ2000()
{
    const auto t = static_cast<double>(SunMath::JulianCenturies(SunMath::JulianDay(2000, 1, 1)));
    QVERIFY(std::fabs(t - -0.0000136893) < 1e-10);
}

void TestSunTime::utcTimes_matchFormulasAndAlmanac_data()
{
    QTest::addColumn<Place>("place");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<double>("sunrise");
    QTest::addColumn<double>("sunset");
    QTest::addColumn<double>("noon");
    QTest::addColumn<int>("almanacSunrise");
    QTest::addColumn<int>("almanacSunset");

    // Minutes after 0 h UTC of the date; a negative sunrise lies on the day before.
    QTest::newRow("equator 2009-06-21") << kEquator << QDate(2009, 6, 21) << 358.122280 << 1085.498268 << 721.810033
                                        << 5 * 60 + 58 << 18 * 60 + 5;
    QTest::newRow("Warsaw 2009-06-21") << kWarsaw << QDate(2009, 6, 21) << 134.304673 << 1141.149635 << 637.730685
                                       << 2 * 60 + 14 << 19 * 60 + 1;
    QTest::newRow("Warsaw 2009-12-21") << kWarsaw << QDate(2009, 12, 21) << 403.021396 << 865.133353 << 634.080711
                                       << 6 * 60 + 43 << 14 * 60 + 25;
    QTest::newRow("New York 2009-06-21") << kNewYork << QDate(2009, 6, 21) << 564.959940 << 1470.740757
                                         << 1017.854667 << 9 * 60 + 25 << 24 * 60 + 31;
    QTest::newRow("Sydney 2009-12-21") << kSydney << QDate(2009, 12, 21) << -319.219406 << 545.564893 << 113.168130
                                       << -(5 * 60 + 19) << 9 * 60 + 5;
}

void TestSunTime::utcTimes_matchFormulasAndAlmanac()
{
    QFETCH(Place, place);
    QFETCH(QDate, date);
    QFETCH(double, sunrise);
    QFETCH(double, sunset);
    QFETCH(double, noon);
    QFETCH(int, almanacSunrise);
    QFETCH(int, almanacSunset);

    const TDateTime base = DateTime::fromQDate(date);
    TSunTime sun(base + 0.5);
    placeSun(sun, place);
    useUtc(sun);

    const double gotSunrise = minutesAfter(sun.Sunrise(), base);
    const double gotSunset = minutesAfter(sun.Sunset(), base);
    const double gotNoon = minutesAfter(sun.Noon(), base);
    QVERIFY2(std::fabs(gotSunrise - sunrise) < kMinuteTolerance, qPrintable(QString::number(gotSunrise, 'f', 6)));
    QVERIFY2(std::fabs(gotSunset - sunset) < kMinuteTolerance, qPrintable(QString::number(gotSunset, 'f', 6)));
    QVERIFY2(std::fabs(gotNoon - noon) < kMinuteTolerance, qPrintable(QString::number(gotNoon, 'f', 6)));
    QVERIFY(std::fabs(gotSunrise - almanacSunrise) <= kAlmanacTolerance);
    QVERIFY(std::fabs(gotSunset - almanacSunset) <= kAlmanacTolerance);
}

void TestSunTime::noon_swingsBetweenNovemberAndFebruary()
{
    double earliest = 1e9;
    double latest = -1e9;
    QDate earliestDate;
    QDate latestDate;
    for (QDate date(2009, 1, 1); date.year() == 2009; date = date.addDays(1)) {
        const TDateTime base = DateTime::fromQDate(date);
        TSunTime sun(base);
        useUtc(sun);
        const double noon = minutesAfter(sun.Noon(), base);
        if (noon < earliest) {
            earliest = noon;
            earliestDate = date;
        }
        if (noon > latest) {
            latest = noon;
            latestDate = date;
        }
    }
    QCOMPARE(earliestDate, QDate(2009, 11, 3));
    QCOMPARE(latestDate, QDate(2009, 2, 11));
    QVERIFY(std::fabs(earliest - 703.523024) < kMinuteTolerance); // 11:43:31
    QVERIFY(std::fabs(latest - 734.259266) < kMinuteTolerance);   // 12:14:15
}

void TestSunTime::polar_failedEventsReadZeroNoonStays_data()
{
    QTest::addColumn<Place>("place");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<double>("sunset"); // 0 when it fails too
    QTest::addColumn<double>("noon");

    const Place north78{78, 0, 0, 0, 0, 0};
    const Place south78{-78, 0, 0, 0, 0, 0};
    QTest::newRow("78 N midsummer (polar day)") << north78 << QDate(2009, 6, 21) << 0.0 << 721.810033;
    QTest::newRow("78 S midsummer (polar night)") << south78 << QDate(2009, 6, 21) << 0.0 << 721.810033;
    QTest::newRow("78 N midwinter (polar night)") << north78 << QDate(2009, 12, 21) << 0.0 << 718.176324;
    QTest::newRow("78 S midwinter (polar day)") << south78 << QDate(2009, 12, 21) << 0.0 << 718.176324;
    QTest::newRow("north pole") << Place{90, 0, 0, 0, 0, 0} << QDate(2009, 3, 1) << 0.0 << 732.312481;
    // Near the polar circle the sun's path shifts within the day: only the sunrise fails.
    QTest::newRow("65 43 48 N, sunrise alone fails") << Place{65, 43, 48, 0, 0, 0} << QDate(2009, 6, 22) << 1435.923072
                                                     << 722.026859;
}

void TestSunTime::polar_failedEventsReadZeroNoonStays()
{
    QFETCH(Place, place);
    QFETCH(QDate, date);
    QFETCH(double, sunset);
    QFETCH(double, noon);

    const TDateTime base = DateTime::fromQDate(date);
    TSunTime sun(base);
    placeSun(sun, place);
    useUtc(sun);
    QCOMPARE(sun.Sunrise(), 0.0);
    if (sunset == 0.0)
        QCOMPARE(sun.Sunset(), 0.0);
    else
        QVERIFY(std::fabs(minutesAfter(sun.Sunset(), base) - sunset) < kMinuteTolerance);
    QVERIFY(std::fabs(minutesAfter(sun.Noon(), base) - noon) < kMinuteTolerance);
    QVERIFY(sun.Valid());
}

void TestSunTime::timeZone_acceptedOnlyWithinTwelveHours_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("13") << 13.0 << false;
    QTest::newRow("-13") << -13.0 << false;
    QTest::newRow("just above 12") << 12.0001 << false;
    QTest::newRow("12") << 12.0 << true;
    QTest::newRow("-12") << -12.0 << true;
    QTest::newRow("5.5") << 5.5 << true;
    QTest::newRow("0") << 0.0 << true;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << false;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << false;
}

void TestSunTime::timeZone_acceptedOnlyWithinTwelveHours()
{
    QFETCH(double, value);
    QFETCH(bool, accepted);

    TSunTime sun(DateTime::encode(2009, 1, 15, 12, 0));
    QCOMPARE(static_cast<double>(sun.TimeZone()), 1.0);
    (void)sun.Sunrise();
    QVERIFY(sun.Valid());

    sun.SetTimeZone(value);
    QCOMPARE(static_cast<double>(sun.TimeZone()), accepted ? value : 1.0);
    QCOMPARE(sun.UseSysTimeZone(), !accepted);
    QCOMPARE(sun.Valid(), !accepted);
}

void TestSunTime::timeZone_sameValueIsIgnored()
{
    // Warsaw in winter: the system already gave 1 hour, so writing 1 changes nothing.
    TSunTime sun(DateTime::encode(2009, 1, 15, 12, 0));
    (void)sun.Noon();
    sun.SetTimeZone(1.0L);
    QVERIFY(sun.UseSysTimeZone());
    QVERIFY(sun.Valid());
}

void TestSunTime::timeZone_shiftsUtcResults()
{
    const TDateTime date = DateTime::encode(2009, 6, 21, 9, 0);
    TSunTime utc(date);
    useUtc(utc);
    TSunTime shifted(date);
    shifted.SetTimeZone(5.0L);
    shifted.SetTimeZone(2.0L);
    QVERIFY(!shifted.UseSysTimeZone());
    const double twoHours = 2.0 / 24.0;
    QVERIFY(std::fabs(shifted.Sunrise() - (utc.Sunrise() + twoHours)) < 1e-9);
    QVERIFY(std::fabs(shifted.Sunset() - (utc.Sunset() + twoHours)) < 1e-9);
    QVERIFY(std::fabs(shifted.Noon() - (utc.Noon() + twoHours)) < 1e-9);
    QVERIFY(std::fabs(minutesAfter(shifted.Sunrise(), DateTime::dateOf(date)) - (358.122280 + 120)) < kMinuteTolerance);
}

void TestSunTime::useSysTimeZone_fillsOffsetAtDate_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDateTime>("created");
    QTest::addColumn<double>("hours");
    QTest::newRow("Warsaw winter") << QByteArray("Europe/Warsaw") << QDateTime(QDate(2009, 1, 15), QTime(12, 0)) << 1.0;
    QTest::newRow("Warsaw summer") << QByteArray("Europe/Warsaw") << QDateTime(QDate(2009, 6, 21), QTime(12, 0)) << 2.0;
    QTest::newRow("Warsaw just before the spring change")
        << QByteArray("Europe/Warsaw") << QDateTime(QDate(2026, 3, 29), QTime(1, 59)) << 1.0;
    QTest::newRow("Warsaw just after the spring change")
        << QByteArray("Europe/Warsaw") << QDateTime(QDate(2026, 3, 29), QTime(3, 0)) << 2.0;
    QTest::newRow("New York summer") << QByteArray("America/New_York") << QDateTime(QDate(2009, 6, 21), QTime(8, 0))
                                     << -4.0;
    QTest::newRow("Sydney summer") << QByteArray("Australia/Sydney") << QDateTime(QDate(2009, 12, 21), QTime(8, 0))
                                   << 11.0;
    QTest::newRow("Kolkata half hour") << QByteArray("Asia/Kolkata") << QDateTime(QDate(2009, 6, 21), QTime(8, 0))
                                       << 5.5;
    QTest::newRow("UTC") << QByteArray("UTC") << QDateTime(QDate(2009, 6, 21), QTime(8, 0)) << 0.0;
}

void TestSunTime::useSysTimeZone_fillsOffsetAtDate()
{
    QFETCH(QByteArray, zone);
    QFETCH(QDateTime, created);
    QFETCH(double, hours);
    ScopedZone scoped(zone.constData());
    TSunTime sun(DateTime::fromQDateTime(created));
    QVERIFY(sun.UseSysTimeZone());
    QCOMPARE(static_cast<double>(sun.TimeZone()), hours);
}

void TestSunTime::useSysTimeZone_switchingBackRefillsOffset()
{
    TSunTime sun(DateTime::encode(2009, 6, 21, 12, 0));
    placeSun(sun, kWarsaw);
    const TDateTime localSunrise = sun.Sunrise();
    sun.SetTimeZone(-3.0L);
    QVERIFY(!sun.UseSysTimeZone());
    QVERIFY(std::fabs(sun.Sunrise() - localSunrise) > 0.1);

    sun.SetUseSysTimeZone(true);
    QCOMPARE(static_cast<double>(sun.TimeZone()), 2.0);
    QVERIFY(!sun.Valid());
    QVERIFY(std::fabs(sun.Sunrise() - localSunrise) < 1e-9);

    sun.SetUseSysTimeZone(false); // the stored offset now applies as a fixed one
    QVERIFY(!sun.Valid());
    QVERIFY(std::fabs(sun.Sunrise() - localSunrise) < 1e-9);
}

void TestSunTime::sysZone_appliesOffsetAtEachEventsMoment_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<Place>("place");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<double>("sunriseHours");
    QTest::addColumn<double>("sunsetHours");
    QTest::addColumn<double>("noonHours");

    const Place farEast{0, 0, 0, -150, 0, 0};
    const Place sydneyLatitudeAtGreenwich{-33, 52, 0, 0, 0, 0};
    QTest::newRow("Warsaw summer") << QByteArray("Europe/Warsaw") << kWarsaw << QDate(2009, 6, 21) << 2.0 << 2.0
                                   << 2.0;
    QTest::newRow("Warsaw winter") << QByteArray("Europe/Warsaw") << kWarsaw << QDate(2009, 12, 21) << 1.0 << 1.0
                                   << 1.0;
    // Sunrise falls on the evening before, in winter time; sunset after the change at 01:00 UTC.
    QTest::newRow("Warsaw spring change day") << QByteArray("Europe/Warsaw") << farEast << QDate(2026, 3, 29) << 1.0
                                              << 2.0 << 2.0;
    QTest::newRow("Warsaw autumn change day") << QByteArray("Europe/Warsaw") << farEast << QDate(2026, 10, 25) << 2.0
                                              << 1.0 << 1.0;
    QTest::newRow("New York summer, sunset past UTC midnight")
        << QByteArray("America/New_York") << kNewYork << QDate(2009, 6, 21) << -4.0 << -4.0 << -4.0;
    QTest::newRow("Sydney summer") << QByteArray("Australia/Sydney") << kSydney << QDate(2009, 12, 21) << 11.0 << 11.0
                                   << 11.0;
    // Daylight saving there ends at 16:00 UTC on 4 April 2009: between noon and sunset.
    QTest::newRow("Sydney autumn change day") << QByteArray("Australia/Sydney") << sydneyLatitudeAtGreenwich
                                              << QDate(2009, 4, 4) << 11.0 << 10.0 << 11.0;
}

void TestSunTime::sysZone_appliesOffsetAtEachEventsMoment()
{
    QFETCH(QByteArray, zone);
    QFETCH(Place, place);
    QFETCH(QDate, date);
    QFETCH(double, sunriseHours);
    QFETCH(double, sunsetHours);
    QFETCH(double, noonHours);

    ScopedZone scoped(zone.constData());
    const TDateTime created = DateTime::fromQDate(date) + 0.5;
    TSunTime local(created);
    placeSun(local, place);
    QVERIFY(local.UseSysTimeZone());
    TSunTime utc(created);
    placeSun(utc, place);
    useUtc(utc);

    QVERIFY(utc.Sunrise() != 0.0 && utc.Sunset() != 0.0);
    QCOMPARE(qRound((local.Sunrise() - utc.Sunrise()) * 24.0 * 60.0), qRound(sunriseHours * 60));
    QCOMPARE(qRound((local.Sunset() - utc.Sunset()) * 24.0 * 60.0), qRound(sunsetHours * 60));
    QCOMPARE(qRound((local.Noon() - utc.Noon()) * 24.0 * 60.0), qRound(noonHours * 60));
}

void TestSunTime::sysZone_warsawSummerSunrise()
{
    TSunTime sun(DateTime::encode(2009, 6, 21, 23, 59));
    placeSun(sun, kWarsaw);
    // 04:14:18 CEST, 21:01:09 CEST, as sunrise tables give 04:14 and 21:01.
    QVERIFY(std::fabs(sun.Sunrise() - DateTime::encode(2009, 6, 21, 4, 14, 18, 280)) * 86400.0 < 0.01);
    QVERIFY(std::fabs(sun.Sunset() - DateTime::encode(2009, 6, 21, 21, 1, 8, 978)) * 86400.0 < 0.01);
}

void TestSunTime::bias_changesAtTransitionInstant_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<double>("utc");
    QTest::addColumn<double>("bias");
    const QByteArray warsaw("Europe/Warsaw");
    const QByteArray newYork("America/New_York");
    QTest::newRow("Warsaw before spring change") << warsaw << utcMoment(2026, 3, 29, 0, 59, 59) << -60.0;
    QTest::newRow("Warsaw at spring change") << warsaw << utcMoment(2026, 3, 29, 1, 0, 0) << -120.0;
    QTest::newRow("Warsaw before autumn change") << warsaw << utcMoment(2026, 10, 25, 0, 59, 59) << -120.0;
    QTest::newRow("Warsaw at autumn change") << warsaw << utcMoment(2026, 10, 25, 1, 0, 0) << -60.0;
    QTest::newRow("New York before spring change") << newYork << utcMoment(2026, 3, 8, 6, 59, 59) << 300.0;
    QTest::newRow("New York at spring change") << newYork << utcMoment(2026, 3, 8, 7, 0, 0) << 240.0;
    QTest::newRow("Kolkata") << QByteArray("Asia/Kolkata") << utcMoment(2026, 3, 8, 7, 0, 0) << -330.0;
}

void TestSunTime::bias_changesAtTransitionInstant()
{
    QFETCH(QByteArray, zone);
    QFETCH(double, utc);
    QFETCH(double, bias);
    ScopedZone scoped(zone.constData());
    QCOMPARE(SystemTimeZone::BiasAtUtc(utc), bias);
}

void TestSunTime::results_computedOncePerChange()
{
    TSunTime sun(DateTime::encode(2009, 6, 21, 12, 0));
    QVERIFY(!sun.Valid());
    placeSun(sun, kWarsaw);
    QCOMPARE(sun.CalculationCount(), 0);
    const TDateTime first = sun.Sunrise();
    QCOMPARE(sun.Sunrise(), first);
    (void)sun.Sunset();
    (void)sun.Noon();
    QCOMPARE(sun.CalculationCount(), 1);

    sun.Latitude().SetMinutes(14); // same value: nothing to redo
    (void)sun.Sunrise();
    QCOMPARE(sun.CalculationCount(), 1);

    sun.Latitude().SetMinutes(15);
    QVERIFY(!sun.Valid());
    QVERIFY(sun.Sunrise() != first);
    QCOMPARE(sun.CalculationCount(), 2);

    sun.Longitude().SetDir(TLongitudeDir::dWest);
    (void)sun.Noon();
    QCOMPARE(sun.CalculationCount(), 3);
}

void TestSunTime::batchOfAngleWrites_invalidatesOnce()
{
    TSunTime sun(DateTime::encode(2009, 6, 21, 12, 0));
    (void)sun.Noon();
    QVERIFY(sun.Valid());
    TLatitude &latitude = sun.Latitude();
    latitude.BeginUpdate();
    latitude.SetDegrees(52);
    latitude.SetMinutes(14);
    QVERIFY(sun.Valid());
    latitude.EndUpdate();
    QVERIFY(!sun.Valid());
}

void TestSunTime::getTime_unknownIndexReadsZero()
{
    TSunTime sun(DateTime::encode(2009, 6, 21, 12, 0));
    QCOMPARE(sun.GetTime(0), 0.0);
    QCOMPARE(sun.GetTime(4), 0.0);
    QCOMPARE(sun.GetTime(TSunTime::SunriseIndex), sun.Sunrise());
    QCOMPARE(sun.GetTime(TSunTime::SunsetIndex), sun.Sunset());
    QCOMPARE(sun.GetTime(TSunTime::NoonIndex), sun.Noon());
    QVERIFY(sun.Sunrise() < sun.Noon() && sun.Noon() < sun.Sunset());
}

void TestSunTime::zenith_changeRecomputes()
{
    const TDateTime base = DateTime::encode(2009, 6, 21);
    TSunTime sun(base);
    placeSun(sun, kWarsaw);
    useUtc(sun);
    QCOMPARE(sun.ZenithDistance().Degrees(), 90);
    QCOMPARE(sun.ZenithDistance().Minutes(), 50);
    (void)sun.Sunrise();
    TZenith civil;
    civil.SetAngle(96, 0, 0);
    sun.SetZenithDistance(civil);
    QVERIFY(std::fabs(minutesAfter(sun.Sunrise(), base) - 84.794831) < kMinuteTolerance);
    QVERIFY(std::fabs(minutesAfter(sun.Sunset(), base) - 1190.656477) < kMinuteTolerance);
    QVERIFY(std::fabs(minutesAfter(sun.Noon(), base) - 637.730685) < kMinuteTolerance);
}

QTEST_GUILESS_MAIN(TestSunTime)
#include "tst_suntime.moc"
