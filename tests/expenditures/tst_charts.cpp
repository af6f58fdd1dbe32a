#include "expenditures/ExpenditureCharts.h"
#include "expenditures/NextDate.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <cstring>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

const LocaleFormats kFormats = LocaleFormats::fixedForTesting();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TDateTime day(int y, int m, int d)
{
    return DateTime::encode(y, m, d);
}

TExpenditure entry(double value, TDateTime date, quint8 type = 1, bool isExpenditure = true, quint8 periodicity = 0)
{
    TExpenditure e;
    e.Value = value;
    e.Date = date;
    e.Type = type;
    e.IsExpenditure = isExpenditure;
    e.Periodicity = periodicity;
    e.Occured = periodicity == 0;
    return e;
}

ExpenditureSettings settingsWith(bool prefix, bool suffix)
{
    ExpenditureSettings settings;
    settings.Currency = u"PLN"_s;
    settings.CurrencyPrefix = prefix;
    settings.CurrencySuffix = suffix;
    return settings;
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

QString describe(double a, double b)
{
    return QStringLiteral("%1 vs %2").arg(a, 0, 'g', 17).arg(b, 0, 'g', 17);
}

#define COMPARE_BITS(actual, expected)                                                                                 \
    QVERIFY2(sameBits((actual), (expected)), qPrintable(describe((actual), (expected))))

void compareLines(const ChartLine &actual, const ChartLine &expected)
{
    QCOMPARE(actual.size(), expected.size());
    for (qsizetype i = 0; i < actual.size(); ++i) {
        COMPARE_BITS(actual[i].x, expected[i].x);
        COMPARE_BITS(actual[i].y, expected[i].y);
    }
}

// The charts as first written: one scan of the transactions for every day of every line.
namespace Literal {

struct Prediction
{
    ChartLine lines[3];
    double rate30 = 0;
    double rateAll = 0;
    AxisRange range;
};

int copies(int p)
{
    return 2 + static_cast<int>(std::nearbyint(p / 30.0));
}

TDateTime first(const ExpenditureCollection &list, TDateTime today)
{
    TDateTime earliest = today;
    for (const TExpenditure &e : list) {
        if (e.Date >= ExpenditureCharts::kEarliestDate && e.Date < earliest)
            earliest = e.Date;
    }
    return std::trunc(earliest);
}

AxisRange range(const QList<const ChartLine *> &lines, bool noPrediction)
{
    double lo = 1e10;
    double hi = -1e10;
    for (const ChartLine *line : lines) {
        for (const ChartPoint &point : *line) {
            if (point.y < lo)
                lo = point.y;
            if (point.y > hi)
                hi = point.y;
        }
    }
    if (noPrediction || lo > hi) {
        lo = 0;
        hi = 10;
    }
    const double m = 0.05 * (hi - lo);
    return {lo - m, hi + m};
}

Prediction prediction(const ExpenditureBook &book, TDateTime today, int p)
{
    const ExpenditureCollection &list = book.Expenditures;
    ExpenditureCollection w = list;
    for (const TExpenditure &t : list) {
        if (t.Periodicity == 0)
            continue;
        TDateTime date = t.Date;
        for (int c = 0; c < copies(p); ++c) {
            date = CalcNextDate(t.Periodicity, date);
            TExpenditure copy = t;
            copy.Periodicity = 0;
            copy.Date = date;
            w.append(copy);
        }
    }

    Prediction result;
    double s30 = 0;
    for (const TExpenditure &e : list) {
        for (int j = 0; j < 30; ++j) {
            if (e.IsExpenditure && e.Date == today - j)
                s30 += e.Value;
        }
    }
    result.rate30 = std::fabs(s30) / 30;

    const TDateTime from = first(list, today);
    const auto n = static_cast<int>(today - from);
    double s = 0;
    for (const TExpenditure &e : list) {
        for (int b = 0; b <= n; ++b) {
            if (e.IsExpenditure && std::trunc(e.Date) == from + b)
                s += e.Value;
        }
    }
    result.rateAll = n != 0 ? std::fabs(s) / n : 0;

    const double rates[3] = {0, result.rate30, result.rateAll};
    for (int line = 0; line < 3; ++line) {
        double bal = book.AllMoney;
        for (int k = 1; k <= p - 1; ++k) {
            double sum = 0;
            for (const TExpenditure &e : w) {
                if (e.Date == today + k)
                    sum += e.Value;
            }
            bal = bal + sum;
            if (line > 0)
                bal = bal - rates[line];
            result.lines[line].append({today + k, bal});
        }
    }
    result.range = range({&result.lines[0], &result.lines[1], &result.lines[2]}, p <= 0);
    return result;
}

HistoryChart history(const ExpenditureCollection &list, TDateTime today)
{
    const TDateTime from = first(list, today);
    const auto n = static_cast<int>(today - from);
    HistoryChart chart;
    double bal = 0;
    for (int b = 0; b <= n; ++b) {
        double sum = 0;
        for (const TExpenditure &e : list) {
            if (std::trunc(e.Date) == from + b)
                sum += e.Value;
        }
        bal = bal + sum;
        chart.line.append({from + b, bal});
    }
    chart.range = range({&chart.line}, false);
    return chart;
}

CategoryChart categories(const ExpenditureCollection &list, TDateTime today, ShowPeriod period)
{
    const ShowRange r = ExpenditureCharts::showRange(period, today);
    CategoryChart chart;
    double sums[11];
    for (int c = 0; c <= 10; ++c) {
        sums[c] = 0;
        for (const TExpenditure &e : list) {
            if (e.IsExpenditure && e.Type == c && r.from < e.Date && e.Date <= r.to)
                sums[c] += std::fabs(e.Value);
        }
        if (sums[c] != 0)
            chart.bars.append({c, sums[c], Category::caption(c), Category::colour(c)});
    }
    chart.total = sums[0];
    for (int c = 1; c <= 10; ++c)
        chart.total = chart.total + sums[c];
    double d = 0;
    if (period == ShowPeriod::All)
        d = today - first(list, today);
    else
        d = r.to - r.from;
    chart.average = period == ShowPeriod::None ? 0 : (d != 0 ? chart.total / d : chart.total);
    return chart;
}

} // namespace Literal

ExpenditureBook randomBook(QRandomGenerator &random, TDateTime today)
{
    const double specials[] = {kNaN, kInf, -kInf, -1.0, 0.0, -0.0, today + 0.5, today - 3.25, -700000.0, 1e300};
    ExpenditureBook book;
    book.AllMoney = random.bounded(2) ? random.bounded(-5000, 5000) : random.bounded(-5000, 5000) / 7.0;
    const int size = random.bounded(0, 40);
    for (int i = 0; i < size; ++i) {
        TExpenditure e;
        const int kind = random.bounded(20);
        if (kind == 0)
            e.Date = specials[random.bounded(10)];
        else if (kind == 1)
            e.Date = today - random.bounded(400, 3000);
        else
            e.Date = today + random.bounded(-70, 110);
        e.Value = random.bounded(3) == 0 ? random.bounded(-50000, 50000) / 100.0 : random.bounded(-500, 500);
        if (random.bounded(60) == 0)
            e.Value = kNaN;
        e.Type = static_cast<quint8>(random.bounded(15));
        e.IsExpenditure = random.bounded(4) != 0;
        const int rule = random.bounded(10);
        e.Periodicity = static_cast<quint8>(rule < 7 ? 0 : (rule < 9 ? random.bounded(1, 6) : 7));
        e.Occured = random.bounded(2) == 0;
        book.Expenditures.append(e);
    }
    return book;
}

} // namespace

class TestCharts final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void categoryTable_data();
    void categoryTable();
    void periodicityCaptions();
    void copiesPerTemplate_data();
    void copiesPerTemplate();
    void workingList_ninetyDaysOneTemplate_holdsTemplateAndFiveCopies();
    void prediction_noTransactions_flatAtBalance();
    void prediction_walksDueDaysAndRates();
    void prediction_tooShort_fallsBackToDefaultRange_data();
    void prediction_tooShort_fallsBackToDefaultRange();
    void history_cumulativeFlowFromFirstDay();
    void history_noTransactions_onePointAtToday();
    void history_ignoresDatesBeforeYearOne();
    void showRange_data();
    void showRange();
    void categories_sumsAndTitles();
    void categories_noTransactions_zeroTitle();
    void categories_firstDayOfMonthNotCounted();
    void categories_typedText_givesNothing();
    void categories_neitherCurrencySetting_keepsTitle();
    void readout_data();
    void readout();
    void charts_matchLiteralScans_data();
    void charts_matchLiteralScans();
};

void TestCharts::categoryTable_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::newRow("0") << 0 << u"Random"_s << 0 << 255 << 0 << 0;
    QTest::newRow("1") << 1 << u"Food"_s << 1 << 0 << 255 << 0;
    QTest::newRow("2") << 2 << u"House related"_s << 2 << 0 << 0 << 255;
    QTest::newRow("3") << 3 << u"Car related"_s << 3 << 255 << 255 << 0;
    QTest::newRow("4") << 4 << u"Medicine"_s << 4 << 255 << 0 << 255;
    QTest::newRow("5") << 5 << u"Exclusive goods"_s << 5 << 0 << 255 << 255;
    QTest::newRow("6") << 6 << u"Bills and taxes"_s << 6 << 255 << 255 << 255;
    QTest::newRow("7") << 7 << u"Photo"_s << 7 << 255 << 192 << 33;
    QTest::newRow("8") << 8 << u"Electronic devices"_s << 8 << 255 << 128 << 255;
    QTest::newRow("9") << 9 << u"Fun"_s << 9 << 0 << 0 << 0;
    QTest::newRow("10") << 10 << u"Books"_s << 10 << 128 << 128 << 128;
    QTest::newRow("11") << 11 << u"Salary"_s << 11 << 0 << 0 << 0;
    QTest::newRow("12") << 12 << u"Other"_s << 12 << 0 << 0 << 0;
    QTest::newRow("13 has no category") << 13 << QString() << -1 << 0 << 0 << 0;
    QTest::newRow("255 has no category") << 255 << QString() << -1 << 0 << 0 << 0;
}

void TestCharts::categoryTable()
{
    QFETCH(int, type);
    QFETCH(QString, caption);
    QFETCH(int, icon);
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    QCOMPARE(Category::caption(type), caption);
    QCOMPARE(Category::iconIndex(type), icon);
    QCOMPARE(Category::colour(type), (Category::Rgb{red, green, blue}));
}

void TestCharts::periodicityCaptions()
{
    QCOMPARE(Periodicity::caption(0), u"Single occurance (no periodicity)"_s);
    QCOMPARE(Periodicity::caption(2), u"Each month (1st working day)"_s);
    QCOMPARE(Periodicity::caption(3), u"Each month (2nd working day)"_s);
    QCOMPARE(Periodicity::caption(4), u"Each month (half of the month)"_s);
    QCOMPARE(Periodicity::caption(5), u"Each month (last day)"_s);
    QVERIFY(Periodicity::caption(6).isEmpty());
}

void TestCharts::copiesPerTemplate_data()
{
    QTest::addColumn<int>("predictFor");
    QTest::addColumn<int>("copies");
    QTest::newRow("90") << 90 << 5;
    QTest::newRow("45 rounds to even") << 45 << 4;
    QTest::newRow("75 rounds to even") << 75 << 4;
    QTest::newRow("105 rounds to even") << 105 << 6;
    QTest::newRow("15 rounds to even") << 15 << 2;
    QTest::newRow("46") << 46 << 4;
    QTest::newRow("5") << 5 << 2;
    QTest::newRow("0") << 0 << 2;
    QTest::newRow("negative as 0") << -40 << 2;
    QTest::newRow("beyond the settings") << 2000000000 << 2 + 3333;
}

void TestCharts::copiesPerTemplate()
{
    QFETCH(int, predictFor);
    QFETCH(int, copies);
    QCOMPARE(ExpenditureCharts::copiesPerTemplate(predictFor), copies);
}

void TestCharts::workingList_ninetyDaysOneTemplate_holdsTemplateAndFiveCopies()
{
    const ExpenditureCollection list{entry(-5, day(2025, 3, 2)), entry(-300, day(2025, 4, 30), 6, true, 5)};
    const ExpenditureCollection w = ExpenditureCharts::predictionWorkingList(list, 90);
    QCOMPARE(w.size(), 7);
    QCOMPARE(w[0], list[0]);
    QCOMPARE(w[1], list[1]);
    const QDate expected[] = {{2025, 5, 31}, {2025, 6, 30}, {2025, 7, 31}, {2025, 8, 31}, {2025, 9, 30}};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(DateTime::toQDate(w[2 + i].Date), expected[i]);
        QCOMPARE(w[2 + i].Periodicity, quint8(0));
        QCOMPARE(w[2 + i].Value, -300.0);
    }
}

void TestCharts::prediction_noTransactions_flatAtBalance()
{
    ExpenditureBook book;
    book.AllMoney = 250;
    const TDateTime today = day(2025, 3, 17);
    const PredictionChart chart = ExpenditureCharts::prediction(book, today, 30);
    for (const ChartLine *line : {&chart.defaultLine, &chart.thirtyDays, &chart.allData}) {
        QCOMPARE(line->size(), 29);
        QCOMPARE(line->first().x, today + 1);
        QCOMPARE(line->last().x, today + 29);
        for (const ChartPoint &point : *line)
            QCOMPARE(point.y, 250.0);
    }
    QCOMPARE(chart.range.minimum, 250.0);
    QCOMPARE(chart.range.maximum, 250.0);
}

void TestCharts::prediction_walksDueDaysAndRates()
{
    const TDateTime today = day(2025, 3, 17);
    ExpenditureBook book;
    book.AllMoney = 1000;
    book.Expenditures = {
        entry(-60, day(2025, 3, 10)),              // spent within 30 days
        entry(-90, day(2025, 2, 15)),              // 30 days back is 16 February: only in "All data"
        entry(500, day(2025, 3, 1), 11, false),    // income: no rate
        entry(-100, day(2025, 3, 20)),             // a future single one
        entry(-300, day(2025, 4, 1), 2, true, 1),  // monthly, on the 1st
        entry(40, day(2025, 3, 18), 12, false, 0), // future income
    };
    const PredictionChart chart = ExpenditureCharts::prediction(book, today, 30);
    QCOMPARE(chart.thirtyDaysRate, 2.0);
    QCOMPARE(chart.allDataRate, 150.0 / 30); // first is 15 February: 30 days to today
    QCOMPARE(chart.defaultLine.size(), 29);
    QCOMPARE(chart.defaultLine[0].y, 1040.0); // 18 March
    QCOMPARE(chart.defaultLine[2].y, 940.0);  // 20 March
    QCOMPARE(chart.defaultLine[14].y, 640.0); // 1 April
    QCOMPARE(chart.defaultLine[28].y, 640.0);
    QCOMPARE(chart.thirtyDays[0].y, 1038.0);
    QCOMPARE(chart.thirtyDays[28].y, 640.0 - 29 * 2.0);
    QCOMPARE(chart.allData[28].y, 640.0 - 29 * 5.0);
    const double lo = 640.0 - 29 * 5.0;
    const double hi = 1040.0;
    QCOMPARE(chart.range.minimum, lo - 0.05 * (hi - lo));
    QCOMPARE(chart.range.maximum, hi + 0.05 * (hi - lo));
}

void TestCharts::prediction_tooShort_fallsBackToDefaultRange_data()
{
    QTest::addColumn<int>("predictFor");
    QTest::newRow("0") << 0;
    QTest::newRow("1") << 1;
    QTest::newRow("negative") << -7;
}

void TestCharts::prediction_tooShort_fallsBackToDefaultRange()
{
    QFETCH(int, predictFor);
    ExpenditureBook book;
    book.AllMoney = 5000;
    book.Expenditures = {entry(-1, day(2025, 3, 18))};
    const PredictionChart chart = ExpenditureCharts::prediction(book, day(2025, 3, 17), predictFor);
    QVERIFY(chart.defaultLine.isEmpty() && chart.thirtyDays.isEmpty() && chart.allData.isEmpty());
    QCOMPARE(chart.range.minimum, -0.5);
    QCOMPARE(chart.range.maximum, 10.5);
}

void TestCharts::history_cumulativeFlowFromFirstDay()
{
    const TDateTime today = day(2025, 3, 17);
    const ExpenditureCollection list{entry(200, day(2025, 3, 16), 11, false), entry(-50, day(2025, 3, 15)),
                                     entry(-7, day(2025, 3, 30)), entry(-1, kNaN)};
    const HistoryChart chart = ExpenditureCharts::history(list, today);
    const ChartLine expected{{day(2025, 3, 15), -50}, {day(2025, 3, 16), 150}, {day(2025, 3, 17), 150}};
    QCOMPARE(chart.line, expected);
    QCOMPARE(chart.range.minimum, -60.0);
    QCOMPARE(chart.range.maximum, 160.0);
}

void TestCharts::history_noTransactions_onePointAtToday()
{
    const TDateTime today = day(2025, 3, 17);
    const HistoryChart chart = ExpenditureCharts::history({}, today);
    QCOMPARE(chart.line, (ChartLine{{today, 0}}));
}

void TestCharts::history_ignoresDatesBeforeYearOne()
{
    const TDateTime today = day(2025, 3, 17);
    const ExpenditureCollection list{entry(-5, -1e300), entry(-5, -kInf), entry(-5, today - 1)};
    const HistoryChart chart = ExpenditureCharts::history(list, today);
    QCOMPARE(chart.line.size(), 2);
    QCOMPARE(ExpenditureCharts::firstDay(list, today), today - 1);
}

void TestCharts::showRange_data()
{
    QTest::addColumn<int>("comboIndex");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::newRow("all") << 0 << QDate(2025, 3, 17) << 0.0 << day(2025, 3, 17);
    QTest::newRow("current month") << 1 << QDate(2025, 3, 17) << day(2025, 3, 1) << day(2025, 3, 17);
    QTest::newRow("previous month") << 2 << QDate(2025, 3, 17) << day(2025, 2, 1) << day(2025, 2, 28);
    QTest::newRow("previous month in January") << 2 << QDate(2025, 1, 5) << day(2024, 12, 1) << day(2024, 12, 31);
    QTest::newRow("typed text") << -1 << QDate(2025, 3, 17) << 0.0 << 0.0;
}

void TestCharts::showRange()
{
    QFETCH(int, comboIndex);
    QFETCH(QDate, today);
    QFETCH(double, from);
    QFETCH(double, to);
    const ShowRange range =
        ExpenditureCharts::showRange(ExpenditureCharts::showPeriodFromIndex(comboIndex), DateTime::fromQDate(today));
    QCOMPARE(range.from, from);
    QCOMPARE(range.to, to);
}

void TestCharts::categories_sumsAndTitles()
{
    const TDateTime today = day(2025, 4, 10);
    const ExpenditureCollection list{
        entry(-200, day(2025, 3, 10), 1),        entry(-100, day(2025, 3, 12), 1),
        entry(-75, day(2025, 3, 31), 9),         entry(-999, day(2025, 3, 1), 3), // first day: outside the open start
        entry(1000, day(2025, 3, 5), 11, false),                                  // incomes never count
        entry(-5, day(2025, 3, 6), 11, true),                                     // no bar for income codes
        entry(-8, day(2025, 4, 1), 2),                                            // not last month
    };
    const CategoryChart suffix =
        ExpenditureCharts::categories(list, today, ShowPeriod::PreviousMonth, settingsWith(false, true), kFormats);
    QCOMPARE(suffix.bars.size(), 2);
    QCOMPARE(suffix.bars[0].type, 1);
    QCOMPARE(suffix.bars[0].value, 300.0);
    QCOMPARE(suffix.bars[0].label, u"Food"_s);
    QCOMPARE(suffix.bars[0].colour, (Category::Rgb{0, 255, 0}));
    QCOMPARE(suffix.bars[1].label, u"Fun"_s);
    QCOMPARE(suffix.bars[1].colour, (Category::Rgb{0, 0, 0}));
    QCOMPARE(suffix.total, 375.0);
    QCOMPARE(suffix.average, 12.5);
    QCOMPARE(suffix.title, std::optional<QString>(u"Avr: 12.50 PLN/day  Total: 375 PLN"_s));

    const CategoryChart prefix =
        ExpenditureCharts::categories(list, today, ShowPeriod::PreviousMonth, settingsWith(true, false), kFormats);
    QCOMPARE(prefix.title, std::optional<QString>(u"Avr: PLN12.50/day  Total: PLN375"_s));
    const CategoryChart both =
        ExpenditureCharts::categories(list, today, ShowPeriod::PreviousMonth, settingsWith(true, true), kFormats);
    QCOMPARE(both.title, suffix.title);
}

void TestCharts::categories_noTransactions_zeroTitle()
{
    const CategoryChart chart =
        ExpenditureCharts::categories({}, day(2025, 3, 17), ShowPeriod::All, settingsWith(false, true), kFormats);
    QVERIFY(chart.bars.isEmpty());
    QCOMPARE(chart.title, std::optional<QString>(u"Avr: 0.00 PLN/day  Total: 0 PLN"_s));
}

void TestCharts::categories_firstDayOfMonthNotCounted()
{
    const ExpenditureCollection list{entry(-40, day(2025, 3, 1), 4), entry(-32, day(2025, 3, 5), 4)};
    const CategoryChart onFirst = ExpenditureCharts::categories(list, day(2025, 3, 1), ShowPeriod::CurrentMonth,
                                                                settingsWith(false, true), kFormats);
    QVERIFY(onFirst.bars.isEmpty());
    QCOMPARE(onFirst.total, 0.0);
    QCOMPARE(onFirst.average, 0.0);

    const CategoryChart later = ExpenditureCharts::categories(list, day(2025, 3, 17), ShowPeriod::CurrentMonth,
                                                              settingsWith(false, true), kFormats);
    QCOMPARE(later.total, 32.0);
    QCOMPARE(later.average, 2.0);
}

void TestCharts::categories_typedText_givesNothing()
{
    const ExpenditureCollection list{entry(-40, day(2025, 3, 1), 4), entry(-32, 0.0, 4), entry(-1, -5, 4)};
    const CategoryChart chart =
        ExpenditureCharts::categories(list, day(2025, 3, 17), ShowPeriod::None, settingsWith(false, true), kFormats);
    QVERIFY(chart.bars.isEmpty());
    QCOMPARE(chart.total, 0.0);
    QCOMPARE(chart.average, 0.0);
    QCOMPARE(chart.title, std::optional<QString>(u"Avr: 0.00 PLN/day  Total: 0 PLN"_s));
}

void TestCharts::categories_neitherCurrencySetting_keepsTitle()
{
    const CategoryChart chart = ExpenditureCharts::categories({entry(-3, day(2025, 3, 2))}, day(2025, 3, 17),
                                                              ShowPeriod::All, settingsWith(false, false), kFormats);
    QCOMPARE(chart.title, std::nullopt);
    QCOMPARE(chart.total, 3.0);
    QCOMPARE(chart.average, 3.0 / 15);
}

void TestCharts::readout_data()
{
    QTest::addColumn<double>("t");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<double>("value");
    QTest::newRow("first point") << 1.0 << true << 12.0;
    QTest::newRow("between points") << 2.5 << true << 14.0;
    QTest::newRow("last point") << 4.0 << true << -2.0;
    QTest::newRow("before the span") << 0.999 << false << 0.0;
    QTest::newRow("after the span") << 4.001 << false << 0.0;
    QTest::newRow("NaN") << kNaN << false << 0.0;
}

void TestCharts::readout()
{
    QFETCH(double, t);
    QFETCH(bool, shown);
    QFETCH(double, value);
    const ChartLine line{{1, 12.5}, {2, 13.5}, {3, 99}, {4, -2.5}};
    const std::optional<double> result = ExpenditureCharts::readout(line, t);
    QCOMPARE(result.has_value(), shown);
    if (shown)
        QCOMPARE(*result, value);
    QVERIFY(!ExpenditureCharts::readout(ChartLine{{1, 5}}, 1).has_value());
}

void TestCharts::charts_matchLiteralScans_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 60; ++seed)
        QTest::addRow("seed %u", seed) << seed;
}

void TestCharts::charts_matchLiteralScans()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    const int lengths[] = {0, 1, 2, 3, 5, 30, 45, 75, 90, 400};
    const int p = lengths[random.bounded(10)];
    const TDateTime today = day(2025, 1, 1) + random.bounded(400);
    const ExpenditureBook book = randomBook(random, today);

    const PredictionChart fast = ExpenditureCharts::prediction(book, today, p);
    const Literal::Prediction slow = Literal::prediction(book, today, p);
    compareLines(fast.defaultLine, slow.lines[0]);
    compareLines(fast.thirtyDays, slow.lines[1]);
    compareLines(fast.allData, slow.lines[2]);
    COMPARE_BITS(fast.thirtyDaysRate, slow.rate30);
    COMPARE_BITS(fast.allDataRate, slow.rateAll);
    COMPARE_BITS(fast.range.minimum, slow.range.minimum);
    COMPARE_BITS(fast.range.maximum, slow.range.maximum);

    const HistoryChart history = ExpenditureCharts::history(book.Expenditures, today);
    const HistoryChart literalHistory = Literal::history(book.Expenditures, today);
    compareLines(history.line, literalHistory.line);
    COMPARE_BITS(history.range.minimum, literalHistory.range.minimum);
    COMPARE_BITS(history.range.maximum, literalHistory.range.maximum);

    for (ShowPeriod period : {ShowPeriod::All, ShowPeriod::CurrentMonth, ShowPeriod::PreviousMonth, ShowPeriod::None}) {
        const CategoryChart chart =
            ExpenditureCharts::categories(book.Expenditures, today, period, settingsWith(false, true), kFormats);
        const CategoryChart literal = Literal::categories(book.Expenditures, today, period);
        QCOMPARE(chart.bars.size(), literal.bars.size());
        for (qsizetype i = 0; i < chart.bars.size(); ++i) {
            QCOMPARE(chart.bars[i].type, literal.bars[i].type);
            COMPARE_BITS(chart.bars[i].value, literal.bars[i].value);
        }
        COMPARE_BITS(chart.total, literal.total);
        COMPARE_BITS(chart.average, literal.average);
    }
}

QTEST_GUILESS_MAIN(TestCharts)
#include "tst_charts.moc"
