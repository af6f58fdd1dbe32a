#include "core/DateTime.h"
#include "core/LocalEpochCache.h"

#include <QRandomGenerator>
#include <QTest>

#include <ctime>
#include <limits>

class TestDateTime : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void localEpochCache_followsTheSystemZone();
    void toQDate_sameDayAsFullConversion_data();
    void toQDate_sameDayAsFullConversion();
    void toQDate_randomValues_sameDayAsFullConversion();
};

void TestDateTime::toQDate_sameDayAsFullConversion_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("epoch") << 0.0;
    QTest::newRow("minus zero") << -0.0;
    QTest::newRow("no deadline") << -1.0;
    QTest::newRow("negative keeps positive time") << -1.25;
    QTest::newRow("a hair before midnight rounds up") << 46000.0 - 1e-10;
    QTest::newRow("negative a hair before midnight") << -2.0 + 1e-10;
    // 2026-03-29 02:30 does not exist in Warsaw: the clocks jump from 02:00 to 03:00.
    QTest::newRow("in the spring gap") << DateTime::fromQDate(QDate(2026, 3, 29)) + 2.5 / 24;
    QTest::newRow("in the autumn overlap") << DateTime::fromQDate(QDate(2026, 10, 25)) + 2.5 / 24;
    QTest::newRow("year one") << -693593.5;
    QTest::newRow("largest accepted") << 3.0e6;
    QTest::newRow("beyond the range") << 3.0e6 + 1;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
}

void TestDateTime::toQDate_sameDayAsFullConversion()
{
    QFETCH(double, value);
    QCOMPARE(DateTime::toQDate(value), DateTime::toQDateTime(value).date());
}

void TestDateTime::toQDate_randomValues_sameDayAsFullConversion()
{
    QRandomGenerator random(7u);
    for (int i = 0; i < 20000; ++i) {
        const double value = (random.generateDouble() * 2 - 1) * (i % 2 == 0 ? 80000 : 2.9e6);
        QCOMPARE(DateTime::toQDate(value), DateTime::toQDateTime(value).date());
    }
}

QTEST_GUILESS_MAIN(TestDateTime)
void TestDateTime::localEpochCache_followsTheSystemZone()
{
    // The organiser runs for weeks; a change of the system's zone must not leave charts on the old one.
    const QByteArray zone = qgetenv("TZ");
    const auto setZone = [](const char *name) {
        qputenv("TZ", name);
        tzset();
    };
    // A whole day, a time on the day clocks go forward in Warsaw, and one in the hour that does not exist.
    const QList<TDateTime> times{DateTime::encode(2026, 1, 15), DateTime::encode(2026, 3, 29, 1, 30),
                                 DateTime::encode(2026, 3, 29, 2, 30), DateTime::encode(2026, 10, 25, 2, 30)};
    LocalEpochCache cache;
    for (const char *name : {"Europe/Warsaw", "America/New_York", "Asia/Kolkata", "Europe/Warsaw"}) {
        setZone(name);
        cache.checkZone();
        for (int pass = 0; pass < 2; ++pass) // computed, then remembered
            for (TDateTime t : times)
                QCOMPARE(cache.msecsSinceEpoch(t), DateTime::toQDateTime(t).toMSecsSinceEpoch());
    }
    // The zones really differ: New York's midnight comes six hours after Warsaw's.
    const qint64 warsaw = cache.msecsSinceEpoch(times[0]);
    setZone("America/New_York");
    cache.checkZone();
    QCOMPARE(cache.msecsSinceEpoch(times[0]) - warsaw, 6 * 3600 * 1000LL);
    qputenv("TZ", zone);
    tzset();
}

#include "tst_datetime.moc"
