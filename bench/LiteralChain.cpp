#include "RefreshChain.h"

#include "expenditures/BookKeeping.h"
#include "expenditures/NextDate.h"
#include "notes/NoteIcons.h"

#include <cmath>

namespace Literal {

namespace {

// `passes` sweeps over all neighbours, swapping a pair whenever the test holds; no early stop.
template <class T, class SwapWhen> void neighbourPasses(QList<T> &list, qsizetype passes, SwapWhen swapWhen)
{
    const qsizetype n = list.size();
    for (qsizetype pass = 0; pass < passes; ++pass) {
        for (qsizetype i = 0; i <= n - 2; ++i) {
            if (swapWhen(std::as_const(list)[i], std::as_const(list)[i + 1]))
                list.swapItemsAt(i + 1, i); // SwapWithPrevious at i + 1
        }
    }
}

bool deadlineSwap(const TNotesData &a, const TNotesData &b)
{
    return (b.Deadline < a.Deadline && b.Deadline != DateTime::kNoDeadline) ||
           (b.Deadline > a.Deadline && a.Deadline == DateTime::kNoDeadline);
}

void sortNotes(NotesCollection &notes, NotesSortOrder order)
{
    const qsizetype passes = notes.size() + 1;
    switch (order) {
    case NotesSortOrder::Disabled:
        return;
    case NotesSortOrder::ByPriority:
        neighbourPasses(notes, passes, [](const auto &a, const auto &b) { return b.Importance < a.Importance; });
        return;
    case NotesSortOrder::ByDaysLeft:
        neighbourPasses(notes, passes, deadlineSwap);
        return;
    case NotesSortOrder::ByPercentDone:
        neighbourPasses(notes, passes, [](const auto &a, const auto &b) { return b.Progress < a.Progress; });
        return;
    case NotesSortOrder::ByPrivateNonPrivate:
        neighbourPasses(notes, passes, [](const auto &a, const auto &b) { return b.PrivateMsg && !a.PrivateMsg; });
        return;
    }
}

bool skipped(const TNotesData &note, NotesFilter filter)
{
    return (note.Progress == 100 && !filter.showFinished) || (note.PrivateMsg && filter.hidePrivate);
}

QList<UpcomingEvent> upcoming(const NotesCollection &notes, const ChainOptions &options)
{
    NotesCollection sorted = notes;
    neighbourPasses(sorted, sorted.size() + 1, deadlineSwap);
    QList<UpcomingEvent> events;
    for (const TNotesData &note : std::as_const(sorted)) {
        if (skipped(note, options.filter))
            continue;
        const double dayDistance = std::trunc(std::fabs(options.now - DateTime::dateOf(note.Deadline)));
        if (dayDistance > options.upcomingDays || options.now > note.Deadline)
            continue;
        events.append({note.ID, NoteIcons::forNote(note), singleLineText(note.Text),
                       upcomingLeftText(note.Deadline, options.now)});
    }
    return events;
}

WeekSchedule week(const NotesCollection &notes, const ChainOptions &options)
{
    const QDate start = DateTime::toQDate(options.now);
    const QDate today = start;
    WeekSchedule days;
    for (int k = 0; k < 7; ++k) {
        DayList &day = days[static_cast<size_t>(k)];
        day.date = start.addDays(k);
        day.dayOfWeek = day.date.dayOfWeek();
        day.header = dayHeader(day.date, options.week.dayNames, options.formats);
    }
    NotesCollection copy = notes;
    const qsizetype n = copy.size();
    if (options.week.order != WeekOrder::Unsorted)
        neighbourPasses(copy, n, deadlineSwap);
    if (options.week.order == WeekOrder::ByPriority)
        neighbourPasses(copy, n, [](const auto &a, const auto &b) { return b.Importance < a.Importance; });
    const TDateTime first = DateTime::fromQDate(start);
    for (const TNotesData &note : std::as_const(copy)) {
        if (skipped(note, options.filter))
            continue;
        const QString text = dayRowText(note, options.week.showTime);
        for (int k = 0; k < 7; ++k) {
            if (DateTime::dateOf(note.Deadline) == first + k)
                days[static_cast<size_t>(k)].rows.append(
                    {text, NoteIcons::forNote(note), QString::number(note.ID), note.ID});
        }
    }
    for (int k = 0; k < 7; ++k) {
        DayList &day = days[static_cast<size_t>(k)];
        day.headerIcon = day.date == today ? NoteIcons::TodayHeader : NoteIcons::None;
    }
    return days;
}

TDateTime firstDate(const ExpenditureCollection &list, TDateTime today)
{
    TDateTime earliest = today;
    for (const TExpenditure &e : list) {
        if (e.Date >= ExpenditureCharts::kEarliestDate && e.Date < earliest)
            earliest = e.Date;
    }
    return std::trunc(earliest);
}

AxisRange range(const QList<const ChartLine *> &lines)
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
    if (lo > hi) {
        lo = 0;
        hi = 10;
    }
    const double m = 0.05 * (hi - lo);
    return {lo - m, hi + m};
}

PredictionChart prediction(const ExpenditureBook &book, TDateTime today, int p)
{
    const ExpenditureCollection &list = book.Expenditures;
    ExpenditureCollection w = list;
    const int copies = 2 + static_cast<int>(std::nearbyint(p / 30.0));
    for (const TExpenditure &t : list) {
        if (t.Periodicity == 0)
            continue;
        TDateTime date = t.Date;
        for (int c = 0; c < copies; ++c) {
            date = CalcNextDate(t.Periodicity, date);
            TExpenditure copy = t;
            copy.Periodicity = 0;
            copy.Date = date;
            w.append(copy);
        }
    }

    PredictionChart chart;
    double recent = 0;
    for (const TExpenditure &e : list) {
        for (int j = 0; j < 30; ++j) {
            if (e.IsExpenditure && e.Date == today - j)
                recent += e.Value;
        }
    }
    chart.thirtyDaysRate = std::fabs(recent) / 30;

    const TDateTime first = firstDate(list, today);
    const double n = today - first;
    double spent = 0;
    for (const TExpenditure &e : list) {
        if (e.IsExpenditure && std::trunc(e.Date) >= first && std::trunc(e.Date) <= today)
            spent += e.Value;
    }
    chart.allDataRate = n != 0 ? std::fabs(spent) / n : 0;

    ChartLine *lines[3] = {&chart.defaultLine, &chart.thirtyDays, &chart.allData};
    const double rates[3] = {0, chart.thirtyDaysRate, chart.allDataRate};
    for (int line = 0; line < 3; ++line) {
        double bal = book.AllMoney;
        for (int k = 1; k <= p - 1; ++k) {
            double sum = 0;
            for (const TExpenditure &e : std::as_const(w)) {
                if (e.Date == today + k)
                    sum += e.Value;
            }
            bal = bal + sum;
            if (line > 0)
                bal = bal - rates[line];
            lines[line]->append({today + k, bal});
        }
    }
    chart.range = range({&chart.defaultLine, &chart.thirtyDays, &chart.allData});
    return chart;
}

HistoryChart history(const ExpenditureCollection &list, TDateTime today)
{
    const TDateTime first = firstDate(list, today);
    const auto n = static_cast<int>(today - first);
    HistoryChart chart;
    double bal = 0;
    for (int b = 0; b <= n; ++b) {
        double sum = 0;
        for (const TExpenditure &e : list) {
            if (std::trunc(e.Date) == first + b)
                sum += e.Value;
        }
        bal = bal + sum;
        chart.line.append({first + b, bal});
    }
    chart.range = range({&chart.line});
    return chart;
}

CategoryChart categories(const ExpenditureCollection &list, TDateTime today, const ChainOptions &options)
{
    const ShowRange r = ExpenditureCharts::showRange(options.period, today);
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
    if (options.period == ShowPeriod::All)
        d = today - firstDate(list, today);
    else
        d = r.to - r.from;
    chart.average = options.period == ShowPeriod::None ? 0 : (d != 0 ? chart.total / d : chart.total);

    using ExpenditureText::fixed;
    const ExpenditureSettings &s = options.expenditures;
    const LocaleFormats &f = options.formats;
    if (s.CurrencySuffix)
        chart.title = QStringLiteral("Avr: ") + fixed(chart.average, 2, f) + QLatin1Char(' ') + s.Currency +
                      QStringLiteral("/day  Total: ") + fixed(chart.total, 0, f) + QLatin1Char(' ') + s.Currency;
    else if (s.CurrencyPrefix)
        chart.title = QStringLiteral("Avr: ") + s.Currency + fixed(chart.average, 2, f) +
                      QStringLiteral("/day  Total: ") + s.Currency + fixed(chart.total, 0, f);
    return chart;
}

} // namespace

NotesViews refreshNotesViews(NotesCollection &notes, const ChainOptions &options)
{
    sortNotes(notes, options.sortOrder);
    for (qsizetype i = 0; i < notes.size(); ++i)
        notes[i].ID = static_cast<qint32>(i);
    NotesViews views;
    views.rows = notesListRows(notes, options.filter, options.now);
    views.upcoming = upcoming(notes, options);
    views.week = week(notes, options);
    views.counters = countNotes(notes);
    views.alarms = alarmEntries(notes, options.alertHours, options.now);
    return views;
}

ExpenditurePageData refreshExpenditurePage(ExpenditureBook &book, const ChainOptions &options)
{
    using ExpenditureRowText::pageRow;
    ExpenditureCollection &list = book.Expenditures;
    const ExpenditureSettings &settings = options.expenditures;
    ExpenditurePageData page;

    neighbourPasses(list, list.size(), [](const auto &a, const auto &b) { return b.Date > a.Date; });
    const TDateTime today = DateTime::dateOf(options.now);
    page.booked = BookKeeping::bookDueTransactions(book, options.now);
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list[i].Occured)
            page.occurred.append(pageRow(list, i, settings, options.formats));
    }

    neighbourPasses(list, list.size(), [](const auto &a, const auto &b) { return b.Date < a.Date; });
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (!list[i].Occured)
            page.future.append(pageRow(list, i, settings, options.formats));
        if (list[i].Periodicity != 0)
            page.periodic.append(pageRow(list, i, settings, options.formats));
    }

    page.balanceText = ExpenditureText::balanceText(book.AllMoney, settings, options.formats);
    page.prediction = prediction(book, today, settings.PredictFor);
    page.history = history(list, today);
    page.categories = categories(list, today, options);
    return page;
}

} // namespace Literal
