#include "core/DateTime.h"

#include <QRandomGenerator>
#include <QTest>

#include <limits>

class TestDateTime : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
#include "tst_datetime.moc"
