#include "RefreshChain.h"

#include <cstring>

NotesViews refreshNotesViews(NotesCollection &notes, const ChainOptions &options, SearchableViews *keep)
{
    NotesRefreshOptions refresh;
    refresh.now = options.now;
    refresh.sortOrder = options.sortOrder;
    refresh.filter = options.filter;
    refresh.upcomingDays = options.upcomingDays;
    refresh.weekStart = DateTime::toQDate(options.now);
    refresh.week = options.week;
    refresh.alertHours = options.alertHours;
    refresh.formats = options.formats;
    return RefreshNotes(notes, refresh, keep);
}

ExpenditurePageData refreshExpenditurePage(ExpenditureBook &book, const ChainOptions &options)
{
    return RefreshExpenditures(book, options.now, options.period, options.expenditures, options.formats);
}

namespace {

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

QString compareLines(const char *what, const ChartLine &a, const ChartLine &b)
{
    if (a.size() != b.size())
        return QStringLiteral("%1: %2 points against %3").arg(QLatin1String(what)).arg(a.size()).arg(b.size());
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (!sameBits(a[i].x, b[i].x) || !sameBits(a[i].y, b[i].y))
            return QStringLiteral("%1: point %2 differs").arg(QLatin1String(what)).arg(i);
    }
    return {};
}

QString compareRange(const char *what, AxisRange a, AxisRange b)
{
    if (!sameBits(a.minimum, b.minimum) || !sameBits(a.maximum, b.maximum))
        return QStringLiteral("%1: axis range differs").arg(QLatin1String(what));
    return {};
}

} // namespace

QString differenceBetween(const NotesCollection &notesA, const NotesViews &a, const NotesCollection &notesB,
                          const NotesViews &b)
{
    if (notesA != notesB)
        return QStringLiteral("the sorted collections differ");
    if (a.rows.size() != b.rows.size())
        return QStringLiteral("notes list: %1 rows against %2").arg(a.rows.size()).arg(b.rows.size());
    for (qsizetype i = 0; i < a.rows.size(); ++i) {
        const NoteRow &x = a.rows[i];
        const NoteRow &y = b.rows[i];
        if (x.position != y.position || x.icon != y.icon || x.note != y.note || x.percent != y.percent ||
            x.left != y.left)
            return QStringLiteral("notes list: row %1 differs").arg(i);
    }
    if (a.upcoming.size() != b.upcoming.size())
        return QStringLiteral("upcoming events: %1 rows against %2").arg(a.upcoming.size()).arg(b.upcoming.size());
    for (qsizetype i = 0; i < a.upcoming.size(); ++i) {
        const UpcomingEvent &x = a.upcoming[i];
        const UpcomingEvent &y = b.upcoming[i];
        if (x.position != y.position || x.icon != y.icon || x.note != y.note || x.left != y.left)
            return QStringLiteral("upcoming events: row %1 differs").arg(i);
    }
    for (size_t k = 0; k < a.week.size(); ++k) {
        const DayList &x = a.week[k];
        const DayList &y = b.week[k];
        if (x.date != y.date || x.dayOfWeek != y.dayOfWeek || x.header != y.header || x.headerIcon != y.headerIcon ||
            x.rows.size() != y.rows.size())
            return QStringLiteral("week schedule: day %1 differs").arg(k);
        for (qsizetype i = 0; i < x.rows.size(); ++i) {
            const DayRow &r = x.rows[i];
            const DayRow &s = y.rows[i];
            if (r.text != s.text || r.icon != s.icon || r.id != s.id || r.position != s.position)
                return QStringLiteral("week schedule: day %1 row %2 differs").arg(k).arg(i);
        }
    }
    if (a.counters != b.counters)
        return QStringLiteral("the counters differ");
    if (a.alarms != b.alarms)
        return QStringLiteral("the alarm lists differ");
    return {};
}

QString differenceBetween(const ExpenditureBook &bookA, const ExpenditurePageData &a, const ExpenditureBook &bookB,
                          const ExpenditurePageData &b)
{
    if (bookA != bookB)
        return QStringLiteral("the books differ");
    if (a.occurred != b.occurred || a.future != b.future || a.periodic != b.periodic)
        return QStringLiteral("the transaction lists differ");
    if (a.balanceText != b.balanceText || a.booked != b.booked)
        return QStringLiteral("the balance differs");
    for (const QString &difference :
         {compareLines("Default", a.prediction.defaultLine, b.prediction.defaultLine),
          compareLines("30 days", a.prediction.thirtyDays, b.prediction.thirtyDays),
          compareLines("All data", a.prediction.allData, b.prediction.allData),
          compareRange("prediction", a.prediction.range, b.prediction.range),
          compareLines("history", a.history.line, b.history.line),
          compareRange("history", a.history.range, b.history.range)}) {
        if (!difference.isEmpty())
            return difference;
    }
    if (!sameBits(a.prediction.thirtyDaysRate, b.prediction.thirtyDaysRate) ||
        !sameBits(a.prediction.allDataRate, b.prediction.allDataRate))
        return QStringLiteral("the spending rates differ");
    const CategoryChart &x = a.categories;
    const CategoryChart &y = b.categories;
    if (x.bars.size() != y.bars.size() || !sameBits(x.total, y.total) || !sameBits(x.average, y.average) ||
        x.title != y.title)
        return QStringLiteral("the category chart differs");
    for (qsizetype i = 0; i < x.bars.size(); ++i) {
        if (x.bars[i].type != y.bars[i].type || !sameBits(x.bars[i].value, y.bars[i].value) ||
            x.bars[i].label != y.bars[i].label || !(x.bars[i].colour == y.bars[i].colour))
            return QStringLiteral("category bar %1 differs").arg(i);
    }
    return {};
}
