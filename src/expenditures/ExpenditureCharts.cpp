#include "ExpenditureCharts.h"

#include "NextDate.h"

#include "core/Rounding.h"

#include <QStringBuilder>

#include <algorithm>
#include <array>
#include <cmath>

namespace ExpenditureCharts {

namespace {

bool isWholeDay(double date)
{
    return std::isfinite(date) && std::floor(date) == date;
}

// The daily spending rates and the day sums come from one pass over the transactions,
// indexed by day; each day's sum adds its values in list order, as a scan per day would.
QList<double> daySums(const ExpenditureCollection &entries, TDateTime firstDate, qsizetype days, bool byWholeDay)
{
    QList<double> sums(days, 0.0);
    for (const TExpenditure &e : entries) {
        const double day = byWholeDay ? DateTime::dateOf(e.Date) : e.Date;
        if (!isWholeDay(day) || day < firstDate || day >= firstDate + static_cast<double>(days))
            continue;
        sums[static_cast<qsizetype>(day - firstDate)] += e.Value;
    }
    return sums;
}

ChartLine walk(double start, const QList<double> &sums, TDateTime today, std::optional<double> rate)
{
    ChartLine line;
    line.reserve(sums.size());
    double balance = start;
    for (qsizetype k = 1; k < sums.size(); ++k) {
        balance = balance + sums[k];
        if (rate)
            balance = balance - *rate;
        line.append({today + static_cast<double>(k), balance});
    }
    return line;
}

QString categoryTitle(double average, double total, const ExpenditureSettings &settings, const LocaleFormats &formats)
{
    using ExpenditureText::fixed;
    const QString &currency = settings.Currency;
    if (settings.CurrencySuffix) {
        return QStringLiteral("Avr: ") % fixed(average, 2, formats) % QLatin1Char(' ') % currency %
               QStringLiteral("/day  Total: ") % fixed(total, 0, formats) % QLatin1Char(' ') % currency;
    }
    return QStringLiteral("Avr: ") % currency % fixed(average, 2, formats) % QStringLiteral("/day  Total: ") %
           currency % fixed(total, 0, formats);
}

} // namespace

ShowPeriod showPeriodFromIndex(int comboIndex)
{
    switch (comboIndex) {
    case 0:
        return ShowPeriod::All;
    case 1:
        return ShowPeriod::CurrentMonth;
    case 2:
        return ShowPeriod::PreviousMonth;
    default:
        return ShowPeriod::None;
    }
}

ShowRange showRange(ShowPeriod period, TDateTime today)
{
    const QDate day = DateTime::toQDate(today);
    const QDate monthStart(day.year(), day.month(), 1);
    switch (period) {
    case ShowPeriod::All:
        return {0, today};
    case ShowPeriod::CurrentMonth:
        return {DateTime::fromQDate(monthStart), today};
    case ShowPeriod::PreviousMonth:
        return {DateTime::fromQDate(monthStart.addMonths(-1)), DateTime::fromQDate(monthStart.addDays(-1))};
    case ShowPeriod::None:
        break;
    }
    return {0, 0};
}

int effectivePredictFor(int predictFor)
{
    return std::clamp(predictFor, 0, kMaxPredictFor);
}

int copiesPerTemplate(int predictFor)
{
    return 2 + int(Rounding::divideHalfToEven(effectivePredictFor(predictFor), 30));
}

ExpenditureCollection predictionWorkingList(const ExpenditureCollection &expenditures, int predictFor)
{
    const int copies = copiesPerTemplate(predictFor);
    ExpenditureCollection working = expenditures;
    for (const TExpenditure &e : expenditures) {
        if (e.Periodicity == 0)
            continue;
        TExpenditure copy = e;
        copy.Periodicity = 0;
        for (int c = 0; c < copies; ++c) {
            copy.Date = CalcNextDate(e.Periodicity, copy.Date);
            working.append(copy);
        }
    }
    return working;
}

TDateTime firstDay(const ExpenditureCollection &expenditures, TDateTime today)
{
    TDateTime first = today;
    for (const TExpenditure &e : expenditures) {
        if (e.Date >= kEarliestDate && e.Date < first)
            first = e.Date;
    }
    return DateTime::dateOf(first);
}

PredictionChart prediction(const ExpenditureBook &book, TDateTime today, int predictFor)
{
    const int p = effectivePredictFor(predictFor);
    const ExpenditureCollection &list = book.Expenditures;
    PredictionChart chart;

    // Index k holds the values dated today + k; index 0 is never read.
    const QList<double> sums = daySums(predictionWorkingList(list, p), today, std::max(p, 1), false);

    double recent = 0;
    for (const TExpenditure &e : list) {
        if (e.IsExpenditure && isWholeDay(e.Date) && e.Date >= today - 29 && e.Date <= today)
            recent += e.Value;
    }
    chart.thirtyDaysRate = std::fabs(recent) / 30;

    const TDateTime first = firstDay(list, today);
    const double days = today - first;
    double spent = 0;
    for (const TExpenditure &e : list) {
        const double day = DateTime::dateOf(e.Date);
        if (e.IsExpenditure && day >= first && day <= today)
            spent += e.Value;
    }
    chart.allDataRate = days != 0 ? std::fabs(spent) / days : 0;

    chart.defaultLine = walk(book.AllMoney, sums, today, std::nullopt);
    chart.thirtyDays = walk(book.AllMoney, sums, today, chart.thirtyDaysRate);
    chart.allData = walk(book.AllMoney, sums, today, chart.allDataRate);
    chart.range = verticalRange({&chart.defaultLine, &chart.thirtyDays, &chart.allData});
    return chart;
}

HistoryChart history(const ExpenditureCollection &expenditures, TDateTime today)
{
    const TDateTime first = firstDay(expenditures, today);
    const auto count = static_cast<qsizetype>(today - first) + 1;
    const QList<double> sums = daySums(expenditures, first, count, true);
    HistoryChart chart;
    chart.line.reserve(count);
    double balance = 0;
    for (qsizetype b = 0; b < count; ++b) {
        balance = balance + sums[b];
        chart.line.append({first + static_cast<double>(b), balance});
    }
    chart.range = verticalRange({&chart.line});
    return chart;
}

CategoryChart categories(const ExpenditureCollection &expenditures, TDateTime today, ShowPeriod period,
                         const ExpenditureSettings &settings, const LocaleFormats &formats)
{
    const ShowRange range = showRange(period, today);
    std::array<double, Category::kLastExpense + 1> sums{};
    for (const TExpenditure &e : expenditures) {
        if (e.IsExpenditure && e.Type <= Category::kLastExpense && range.from < e.Date && e.Date <= range.to)
            sums[e.Type] += std::fabs(e.Value);
    }

    CategoryChart chart;
    chart.total = sums[0];
    for (int c = 1; c <= Category::kLastExpense; ++c)
        chart.total = chart.total + sums[static_cast<std::size_t>(c)];
    for (int c = 0; c <= Category::kLastExpense; ++c) {
        const double sum = sums[static_cast<std::size_t>(c)];
        if (sum != 0)
            chart.bars.append({c, sum, Category::caption(c), Category::colour(c)});
    }

    double days = 0;
    switch (period) {
    case ShowPeriod::All:
        days = today - firstDay(expenditures, today);
        break;
    case ShowPeriod::CurrentMonth:
    case ShowPeriod::PreviousMonth:
        days = range.to - range.from;
        break;
    case ShowPeriod::None:
        break;
    }
    if (period == ShowPeriod::None)
        chart.average = 0;
    else
        chart.average = days != 0 ? chart.total / days : chart.total;

    if (settings.CurrencyPrefix || settings.CurrencySuffix)
        chart.title = categoryTitle(chart.average, chart.total, settings, formats);
    return chart;
}

AxisRange verticalRange(const QList<const ChartLine *> &lines)
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
    // No line with a value: an axis with its minimum above its maximum helps nobody.
    if (lo > hi) {
        lo = 0;
        hi = 10;
    }
    const double margin = 0.05 * (hi - lo);
    return {lo - margin, hi + margin};
}

std::optional<double> readout(const ChartLine &line, TDateTime t)
{
    if (line.size() < 2)
        return std::nullopt;
    const double smallest = line.front().x;
    const double largest = line.back().x;
    if (!(t >= smallest && t <= largest) || !(largest > smallest))
        return std::nullopt;
    const double share = static_cast<double>(line.size() - 1) * (t - smallest) / (largest - smallest);
    const auto idx = std::min(static_cast<qsizetype>(std::floor(share)), line.size() - 1);
    return Rounding::halfToEven(line.at(idx).y);
}

} // namespace ExpenditureCharts
