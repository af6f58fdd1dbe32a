#include "core/Rounding.h"

#include <QTest>

#include <cmath>
#include <limits>

class TestRounding final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void halfToEven_data();
    void halfToEven();
    void halfToEven_keepsNonFiniteValues();
    void divideHalfToEven_data();
    void divideHalfToEven();
};

void TestRounding::halfToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("half to even below") << 2.5 << 2.0;
    QTest::newRow("half to even above") << 3.5 << 4.0;
    QTest::newRow("half of zero") << 0.5 << 0.0;
    QTest::newRow("negative half to even") << -2.5 << -2.0;
    QTest::newRow("negative half up to even") << -3.5 << -4.0;
    QTest::newRow("just above a half") << 2.5000000000000004 << 3.0;
    QTest::newRow("just below a half") << 2.4999999999999996 << 2.0;
    QTest::newRow("beyond 2^53") << 9007199254740994.0 << 9007199254740994.0;
}

void TestRounding::halfToEven()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(Rounding::halfToEven(value), expected);
    // The floating-point unit in its default mode rounds the same way.
    QCOMPARE(Rounding::halfToEven(value), std::nearbyint(value));
}

void TestRounding::halfToEven_keepsNonFiniteValues()
{
    QVERIFY(std::isnan(Rounding::halfToEven(std::numeric_limits<double>::quiet_NaN())));
    QCOMPARE(Rounding::halfToEven(-std::numeric_limits<double>::infinity()), -std::numeric_limits<double>::infinity());
    QVERIFY(std::signbit(Rounding::halfToEven(-0.3)));
}

void TestRounding::divideHalfToEven_data()
{
    QTest::addColumn<qint64>("numerator");
    QTest::addColumn<qint64>("denominator");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("exact") << qint64(600) << qint64(100) << qint64(6);
    QTest::newRow("half to even below") << qint64(650) << qint64(100) << qint64(6);
    QTest::newRow("half to even above") << qint64(750) << qint64(100) << qint64(8);
    QTest::newRow("above a half") << qint64(651) << qint64(100) << qint64(7);
    QTest::newRow("negative half to even") << qint64(-650) << qint64(100) << qint64(-6);
    QTest::newRow("negative half away to even") << qint64(-750) << qint64(100) << qint64(-8);
    QTest::newRow("negative above a half") << qint64(-651) << qint64(100) << qint64(-7);
    QTest::newRow("odd denominator") << qint64(5) << qint64(3) << qint64(2);
    QTest::newRow("days to months") << qint64(45) << qint64(30) << qint64(2);
}

void TestRounding::divideHalfToEven()
{
    QFETCH(qint64, numerator);
    QFETCH(qint64, denominator);
    QFETCH(qint64, expected);
    QCOMPARE(Rounding::divideHalfToEven(numerator, denominator), expected);
}

QTEST_APPLESS_MAIN(TestRounding)
#include "tst_rounding.moc"
