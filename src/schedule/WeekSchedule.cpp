#include "WeekSchedule.h"

#include "notes/NoteIcons.h"
#include "notes/NotesSort.h"

#include <QStringBuilder>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// "hh:mm" of a deadline's time of day, read straight from the day fraction so that local
// time rules (a daylight-saving gap) cannot shift it.
QString timeOfDayText(TDateTime deadline)
{
    const double fraction = std::fabs(deadline - DateTime::dateOf(deadline));
    const qint64 minutes = (std::llround(fraction * DateTime::kMsPerDay) / 60000) % 1440;
    return QString::number(minutes / 60).rightJustified(2, QLatin1Char('0')) % QLatin1Char(':') %
           QString::number(minutes % 60).rightJustified(2, QLatin1Char('0'));
}

} // namespace

std::optional<QString> dayHeader(QDate date, DayNameForm form, const LocaleFormats &formats)
{
    switch (form) {
    case DayNameForm::Short:
        return formats.shortDayName(date.dayOfWeek()) % QLatin1Char(' ') % formats.formatDate(date);
    case DayNameForm::Long:
        return formats.longDayName(date.dayOfWeek()) % QLatin1Char(' ') % formats.formatDate(date);
    case DayNameForm::Unchanged:
        break;
    }
    return std::nullopt;
}

QString dayRowText(const TNotesData &note, bool showTime)
{
    const QString text = singleLineText(note.Text);
    if (!showTime)
        return text;
    return timeOfDayText(note.Deadline) % QLatin1Char(' ') % text;
}

QList<qsizetype> weekOrder(const NotesCollection &notes, WeekOrder order)
{
    QList<qsizetype> positions(notes.size());
    std::iota(positions.begin(), positions.end(), qsizetype(0));
    if (order == WeekOrder::Unsorted)
        return positions;
    sortByDeadline(positions.begin(), positions.end(), [&notes](qsizetype i) { return notes[i].Deadline; });
    if (order == WeekOrder::ByPriority) {
        std::stable_sort(positions.begin(), positions.end(),
                         [&notes](qsizetype a, qsizetype b) { return notes[a].Importance < notes[b].Importance; });
    }
    return positions;
}

QString weekdayColourKey(int dayOfWeek)
{
    static const char *const kKeys[] = {"MoBackgroundColor",  "TueBackgroundColor", "WedBackgroundColor",
                                        "ThuBackgroundColor", "FrBackgroundColor",  "SaBackgroundColor",
                                        "SuBackgroundColor"};
    if (dayOfWeek < 1 || dayOfWeek > 7)
        return {};
    return QLatin1String(kKeys[dayOfWeek - 1]);
}

WeekSchedule weekSchedule(const NotesCollection &notes, QDate weekStart, QDate today,
                          const WeekScheduleOptions &options, const LocaleFormats &formats)
{
    WeekSchedule week;
    for (int k = 0; k < 7; ++k) {
        DayList &day = week[static_cast<size_t>(k)];
        day.date = weekStart.addDays(k);
        day.dayOfWeek = day.date.dayOfWeek();
        day.header = dayHeader(day.date, options.dayNames, formats);
        day.headerIcon = day.date == today ? NoteIcons::TodayHeader : NoteIcons::None;
    }

    // Only the notes of the seven days are ordered; filtering first keeps their relative order.
    const TDateTime firstDay = DateTime::fromQDate(weekStart);
    QList<qsizetype> shown;
    for (qsizetype position = 0; position < notes.size(); ++position) {
        const TNotesData &note = notes[position];
        if (note.Progress == 100 && !options.filter.showFinished)
            continue;
        if (note.PrivateMsg && options.filter.hidePrivate)
            continue;
        // One look at the deadline's day instead of a comparison with each of the seven dates.
        if (note.Deadline == DateTime::kNoDeadline || !std::isfinite(note.Deadline))
            continue;
        const double offset = DateTime::dateOf(note.Deadline) - firstDay;
        if (offset < 0 || offset > 6)
            continue;
        if (!noteMatches(note, options.filter.search))
            continue;
        shown.append(position);
    }
    if (options.order != WeekOrder::Unsorted)
        shown = deadlineOrderOf(notes, shown);
    if (options.order == WeekOrder::ByPriority) {
        std::stable_sort(shown.begin(), shown.end(),
                         [&notes](qsizetype a, qsizetype b) { return notes[a].Importance < notes[b].Importance; });
    }

    for (const qsizetype position : std::as_const(shown)) {
        const TNotesData &note = notes[position];
        DayRow row;
        row.text = dayRowText(note, options.showTime);
        row.icon = NoteIcons::forNote(note);
        row.id = QString::number(note.ID);
        row.position = position;
        const double offset = DateTime::dateOf(note.Deadline) - firstDay;
        week[static_cast<size_t>(offset)].rows.append(row);
    }
    return week;
}
