#include "expenditures/ExpenditureRows.h"
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
    void pageRowMaker_repeatedAmountsAndDays_sameRowsAsPageRow_data();
    void pageRowMaker_repeatedAmountsAndDays_sameRowsAsPageRow();
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

void TestAmountText::pageRowMaker_repeatedAmountsAndDays_sameRowsAsPageRow_data()
{
    QTest::addColumn<bool>("prefix");
    QTest::addColumn<bool>("suffix");
    QTest::newRow("suffix") << false << true;
    QTest::newRow("prefix") << true << false;
    QTest::newRow("both") << true << true;
    QTest::newRow("neither") << false << false;
}

void TestAmountText::pageRowMaker_repeatedAmountsAndDays_sameRowsAsPageRow()
{
    QFETCH(bool, prefix);
    QFETCH(bool, suffix);
    ExpenditureSettings settings;
    settings.Currency = QStringLiteral("zł");
    settings.CurrencyPrefix = prefix;
    settings.CurrencySuffix = suffix;
    LocaleFormats formats = LocaleFormats::fixedForTesting();
    formats.decimalSeparator = QLatin1Char(',');

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // Times within a day, days either side of the epoch, the last millisecond that rounds to the
    // next day, values that print alike (0 and -0) and ones that do not.
    const double dates[] = {46098.0,  46098.25, 46098.9999,       46098.999999999, 46099.0, -1.5, -1.0, -0.25,
                            0.0,      1e7,      nan,              inf,             -inf,    3.0e6 + 1};
    const double values[] = {-25, -25, 25, 0.0, -0.0, 12.5, -12.345, 1e16, nan, inf, -inf};
    ExpenditureCollection list;
    QRandomGenerator random(5u);
    for (int i = 0; i < 400; ++i) {
        TExpenditure e;
        e.Name = QStringLiteral("t%1").arg(i);
        e.Date = dates[random.bounded(int(std::size(dates)))];
        e.Value = values[random.bounded(int(std::size(values)))];
        e.Type = static_cast<quint8>(random.bounded(12));
        list.append(e);
    }
    ExpenditureRowText::PageRowMaker maker(settings, formats);
    for (qsizetype i = 0; i < list.size(); ++i)
        QCOMPARE(maker.row(list, i), ExpenditureRowText::pageRow(list, i, settings, formats));
}

QTEST_GUILESS_MAIN(TestAmountText)
#include "tst_amounttext.moc"
