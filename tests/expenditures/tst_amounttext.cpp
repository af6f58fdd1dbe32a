#include "expenditures/ExpenditureText.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <limits>

namespace {

// The general form the amounts are defined by, with the separator put in.
QString generalForm(double value, const LocaleFormats &formats)
{
    if (value == 0)
        value = 0;
    QString text = QString::number(value, 'g', 15);
    return text.replace(QLatin1Char('.'), formats.decimalSeparator);
}

} // namespace

class TestAmountText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void number_sameAsGeneralForm_data();
    void number_sameAsGeneralForm();
    void number_randomWholeAmounts_sameAsGeneralForm();
};

void TestAmountText::number_sameAsGeneralForm_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("25") << 25.0;
    QTest::newRow("minus 25") << -25.0;
    QTest::newRow("zero") << 0.0;
    QTest::newRow("minus zero") << -0.0;
    QTest::newRow("a million") << 1e6;
    QTest::newRow("fifteen digits") << 999999999999999.0;
    QTest::newRow("1e14") << 1e14;
    QTest::newRow("1e15") << 1e15;
    QTest::newRow("minus 1e15") << -1e15;
    QTest::newRow("1e16") << 1e16;
    QTest::newRow("half") << -2.5;
    QTest::newRow("cents") << 12.34;
    QTest::newRow("tiny") << 1e-7;
    QTest::newRow("huge") << 1e300;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
}

void TestAmountText::number_sameAsGeneralForm()
{
    QFETCH(double, value);
    LocaleFormats formats = LocaleFormats::fixedForTesting();
    QCOMPARE(ExpenditureText::number(value, formats), generalForm(value, formats));
    formats.decimalSeparator = QLatin1Char(',');
    QCOMPARE(ExpenditureText::number(value, formats), generalForm(value, formats));
}

void TestAmountText::number_randomWholeAmounts_sameAsGeneralForm()
{
    const LocaleFormats formats = LocaleFormats::fixedForTesting();
    QRandomGenerator random(11u);
    for (int i = 0; i < 50000; ++i) {
        const double scale = std::pow(10.0, static_cast<double>(random.bounded(17)));
        const double value = std::trunc((random.generateDouble() * 2 - 1) * scale);
        QCOMPARE(ExpenditureText::number(value, formats), generalForm(value, formats));
    }
}

QTEST_GUILESS_MAIN(TestAmountText)
#include "tst_amounttext.moc"
