#include "core/DateTime.h"
#include "core/Float80.h"

#include <QTest>

#include <bit>
#include <cmath>
#include <limits>
#include <random>

class TestFloat80 final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void knownValues_data();
    void knownValues();
    void specialValues_data();
    void specialValues();
    void roundTrip_isExactForRandomDoubles();
    void readingRoundsToNearestEven_data();
    void readingRoundsToNearestEven();
    void malformedText_data();
    void malformedText();
};

void TestFloat80::knownValues_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("hex");
    QTest::newRow("zero") << 0.0 << QStringLiteral("00000000000000000000");
    QTest::newRow("one") << 1.0 << QStringLiteral("0000000000000080FF3F");
    QTest::newRow("minus one") << -1.0 << QStringLiteral("0000000000000080FFBF");
    QTest::newRow("16777215") << 16777215.0 << QStringLiteral("0000000000FFFFFF1640");
    QTest::newRow("21 May 2008 14:30") << 39589.604166666664 << QStringLiteral("00A8AAAAAA9AA59A0E40");
}

void TestFloat80::knownValues()
{
    QFETCH(double, value);
    QFETCH(QString, hex);
    QCOMPARE(Float80::toHex(value), hex);
    const auto back = Float80::fromHex(hex);
    QVERIFY(back.has_value());
    QCOMPARE(std::bit_cast<quint64>(*back), std::bit_cast<quint64>(value));
}

void TestFloat80::specialValues_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("hex");
    QTest::newRow("minus zero") << -0.0 << QStringLiteral("00000000000000000080");
    QTest::newRow("+inf") << std::numeric_limits<double>::infinity() << QStringLiteral("0000000000000080FF7F");
    QTest::newRow("-inf") << -std::numeric_limits<double>::infinity() << QStringLiteral("0000000000000080FFFF");
    QTest::newRow("max") << std::numeric_limits<double>::max() << QStringLiteral("00F8FFFFFFFFFFFFFE43");
    QTest::newRow("min normal") << std::numeric_limits<double>::min() << QStringLiteral("0000000000000080013C");
    QTest::newRow("min subnormal") << std::numeric_limits<double>::denorm_min()
                                   << QStringLiteral("0000000000000080CD3B");
}

void TestFloat80::specialValues()
{
    QFETCH(double, value);
    QFETCH(QString, hex);
    QCOMPARE(Float80::toHex(value), hex);
    const double back = *Float80::fromHex(hex);
    QCOMPARE(std::bit_cast<quint64>(back), std::bit_cast<quint64>(value));
}

void TestFloat80::roundTrip_isExactForRandomDoubles()
{
    std::mt19937_64 random(20081205);
    for (int i = 0; i < 200000; ++i) {
        const quint64 bits = random();
        const double value = std::bit_cast<double>(bits);
        const double back = *Float80::fromHex(Float80::toHex(value));
        if (std::isnan(value))
            QVERIFY(std::isnan(back));
        else
            QCOMPARE(std::bit_cast<quint64>(back), bits);
    }
}

void TestFloat80::readingRoundsToNearestEven_data()
{
    QTest::addColumn<QString>("hex");
    QTest::addColumn<double>("expected");
    // 1 + 2^-53 is halfway between 1 and the next double: ties go to the even 1.
    QTest::newRow("tie down to even") << QStringLiteral("0004000000000080FF3F") << 1.0;
    // (1 + 2^-52) + 2^-53 ties up to the even 1 + 2^-51.
    QTest::newRow("tie up to even") << QStringLiteral("000C000000000080FF3F") << 1.0 + std::ldexp(1.0, -51);
    QTest::newRow("above half rounds up") << QStringLiteral("0104000000000080FF3F") << 1.0 + std::ldexp(1.0, -52);
    QTest::newRow("below half rounds down") << QStringLiteral("FF03000000000080FF3F") << 1.0;
    QTest::newRow("exponent too large") << QStringLiteral("0000000000000080FF5F")
                                        << std::numeric_limits<double>::infinity();
    QTest::newRow("exponent too small") << QStringLiteral("00000000000000800100") << 0.0;
    QTest::newRow("into subnormal range") << QStringLiteral("0000000000000080003C")
                                          << std::numeric_limits<double>::min() / 2;
    QTest::newRow("unnormal is normalised") << QStringLiteral("0000000000000040003C")
                                            << std::numeric_limits<double>::min() / 4;
}

void TestFloat80::readingRoundsToNearestEven()
{
    QFETCH(QString, hex);
    QFETCH(double, expected);
    QCOMPARE(std::bit_cast<quint64>(*Float80::fromHex(hex)), std::bit_cast<quint64>(expected));
}

void TestFloat80::malformedText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("expected");
    QTest::newRow("decimal by hand") << QStringLiteral("39589.5") << false << 0.0;
    QTest::newRow("odd count gets a leading zero") << QStringLiteral("000000000000080FF3F") << true << 1.0;
    QTest::newRow("nine pairs") << QStringLiteral("00000000000000800F") << false << 0.0;
    QTest::newRow("non-hex pair") << QStringLiteral("0000000000000080FG3F") << false << 0.0;
    QTest::newRow("extra digits ignored") << QStringLiteral("0000000000000080FF3F1234") << true << 1.0;
    QTest::newRow("empty") << QString() << false << 0.0;
    QTest::newRow("sign inside") << QStringLiteral("+000000000000080FF3F") << false << 0.0;
    QTest::newRow("lower case") << QStringLiteral("0000000000000080ff3f") << true << 1.0;
    QTest::newRow("blank in a pair") << QStringLiteral("0000000000000080F 3F") << false << 0.0;
    QTest::newRow("full-width digit") << QStringLiteral("0000000000000080FF3\uFF11") << false << 0.0;
    QTest::newRow("Latin-1 letter") << QStringLiteral("0000000000000080FF3\u00AA") << false << 0.0;
}

void TestFloat80::malformedText()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, expected);
    const auto value = Float80::fromHex(text);
    QCOMPARE(value.has_value(), valid);
    if (valid)
        QCOMPARE(*value, expected);
}

QTEST_GUILESS_MAIN(TestFloat80)
#include "tst_float80.moc"
