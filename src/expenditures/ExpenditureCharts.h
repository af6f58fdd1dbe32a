#pragma once

#include "Expenditure.h"
#include "ExpenditureText.h"

#include <QList>
#include <QString>

#include <optional>

// The choice of the "Show" box; None when typed text leaves no entry selected.
enum class ShowPeriod
{
    None,
    All,
    CurrentMonth,
    PreviousMonth
};

struct ChartPoint
{
    TDateTime x = 0;
    double y = 0;
    bool operator==(const ChartPoint &) const = default;
};
using ChartLine = QList<ChartPoint>;

struct AxisRange
{
    double minimum = 0;
    double maximum = 10;
};

struct PredictionChart
{
    ChartLine defaultLine;     // "Default"
    ChartLine thirtyDays;      // "30 days"
    ChartLine allData;         // "All data"
    double thirtyDaysRate = 0; // daily spending taken off the "30 days" line
    double allDataRate = 0;
    AxisRange range;
};

struct HistoryChart
{
    ChartLine line;
    AxisRange range;
};

struct CategoryBar
{
    int type = 0;
    double value = 0;
    QString label;
    Category::Rgb colour;
};

struct CategoryChart
{
    QList<CategoryBar> bars; // only categories with a non-zero sum, in code order
    double total = 0;
    double average = 0;           // per day
    std::optional<QString> title; // none: the chart keeps its title
};

// From (not included) to (included).
struct ShowRange
{
    TDateTime from = 0;
    TDateTime to = 0;
};

namespace ExpenditureCharts {

inline constexpr int kMaxPredictFor = 100000; // the most the settings offer
// Earliest date the history reaches back to (1 January 0001); older dates are damage.
inline constexpr TDateTime kEarliestDate = -693593;

ShowPeriod showPeriodFromIndex(int comboIndex);
ShowRange showRange(ShowPeriod period, TDateTime today);

// The prediction length actually used: negative counts as 0, more than the settings offer is cut.
int effectivePredictFor(int predictFor);
// Monthly copies per template in the prediction: 2 + P/30 rounded half to even.
int copiesPerTemplate(int predictFor);
// All transactions, then for each monthly template its copies on its next due days.
ExpenditureCollection predictionWorkingList(const ExpenditureCollection &expenditures, int predictFor);
// Whole day of the earliest plausible transaction date, or today when none is earlier.
TDateTime firstDay(const ExpenditureCollection &expenditures, TDateTime today);

PredictionChart prediction(const ExpenditureBook &book, TDateTime today, int predictFor);
HistoryChart history(const ExpenditureCollection &expenditures, TDateTime today);
CategoryChart categories(const ExpenditureCollection &expenditures, TDateTime today, ShowPeriod period,
                         const ExpenditureSettings &settings, const LocaleFormats &formats);

// Smallest and largest y of the lines with 5 % margins; 0 to 10 when no point has a value.
AxisRange verticalRange(const QList<const ChartLine *> &lines);

// The read-out under the mouse at date t: the value of the point at t's share of the
// line's span, rounded half to even; nothing outside the span or with fewer than two points.
std::optional<double> readout(const ChartLine &line, TDateTime t);

} // namespace ExpenditureCharts
