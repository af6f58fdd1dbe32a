#include "NotesViews.h"

#include "notes/NoteIdentity.h"

#include "settings/Settings.h"

#include <algorithm>
#include <cmath>
#include <vector>

NotesViews RefreshNotes(NotesCollection &notes, const NotesRefreshOptions &options, SearchableViews *keep)
{
    if (keep) {
        NotesRefreshOptions unsearched = options;
        unsearched.filter.search = {};
        keep->m_views = RefreshNotes(notes, unsearched);
        keep->m_notes = notes;
        keep->m_options = std::move(unsearched);
        keep->m_folded.clear();
        keep->m_lastSearch = {};
        keep->m_lastFound.clear();
        keep->m_valid = true;
        return keep->narrowed(options.filter.search);
    }
    applySortOrder(notes, options.sortOrder);
    renumberNotes(notes);
    // Every change to the collection ends here, so a note added anywhere has its identity from now on.
    NoteIdentity::assignMissing(notes);
    NotesViews views;
    views.rows = notesListRows(notes, options.filter, options.now);
    views.upcoming = upcomingEvents(notes, options.filter, options.upcomingDays, options.now);
    WeekScheduleOptions week = options.week;
    week.filter = options.filter;
    const QDate today = DateTime::toQDate(options.now);
    views.week = weekSchedule(notes, options.weekStart.isValid() ? options.weekStart : today, today, week,
                              options.formats);
    if (options.countNotes)
        views.counters = countNotes(notes, options.filter.search);
    views.alarms = options.reminders
                       ? pendingAlarmEntries(notes, options.alertHours, options.now, *options.reminders)
                       : rebuildAlarmEntries(options.waitingAlarms, notes, options.alertHours, options.now,
                                             options.alarmsCheckedUpTo);
    return views;
}

namespace {

bool sameFormats(const LocaleFormats &a, const LocaleFormats &b)
{
    return a.shortDate == b.shortDate && a.longTime == b.longTime && a.shortDayNames == b.shortDayNames &&
           a.longDayNames == b.longDayNames && a.decimalSeparator == b.decimalSeparator;
}

} // namespace

bool SearchableViews::fits(const NotesCollection &notes, const NotesRefreshOptions &options) const
{
    const NotesRefreshOptions &kept = m_options;
    return m_valid && m_notes.isSharedWith(notes) &&
           std::floor(kept.now * 1440) == std::floor(options.now * 1440) && kept.sortOrder == options.sortOrder &&
           kept.filter.hidePrivate == options.filter.hidePrivate &&
           kept.filter.showFinished == options.filter.showFinished && kept.upcomingDays == options.upcomingDays &&
           kept.weekStart == options.weekStart && kept.week.showTime == options.week.showTime &&
           kept.week.order == options.week.order && kept.week.dayNames == options.week.dayNames &&
           kept.countNotes == options.countNotes && kept.alertHours == options.alertHours &&
           sameFormats(kept.formats, options.formats);
}

NotesViews SearchableViews::narrowed(const SearchQuery &search)
{
    if (search.isEmpty()) {
        // No search open: the folds are not kept either.
        m_folded = {};
        m_lastSearch = {};
        m_lastFound = {};
        return m_views;
    }
    const qsizetype count = m_notes.size();
    if (m_folded.size() != 2 * count) {
        m_folded.clear();
        m_folded.reserve(2 * count);
        for (const TNotesData &note : std::as_const(m_notes)) {
            m_folded.append(SearchQuery::foldOf(note.Text));
            m_folded.append(SearchQuery::foldOf(note.Location));
        }
    }
    QList<qsizetype> found;
    const auto look = [&](qsizetype i) {
        if (search.matchesFolded(m_folded[2 * i], m_folded[2 * i + 1]))
            found.append(i);
    };
    if (!m_lastSearch.isEmpty() && search.narrows(m_lastSearch)) {
        for (const qsizetype i : std::as_const(m_lastFound))
            look(i);
    } else {
        for (qsizetype i = 0; i < count; ++i)
            look(i);
    }
    std::vector<bool> matched(static_cast<size_t>(count));
    for (const qsizetype i : std::as_const(found))
        matched[static_cast<size_t>(i)] = true;
    const auto keeps = [&matched](qsizetype position) { return matched[static_cast<size_t>(position)]; };

    NotesViews views;
    views.rows.reserve(std::min(found.size(), m_views.rows.size()));
    for (const NoteRow &row : m_views.rows)
        if (keeps(row.position))
            views.rows.append(row);
    for (const UpcomingEvent &event : m_views.upcoming)
        if (keeps(event.position))
            views.upcoming.append(event);
    for (size_t k = 0; k < views.week.size(); ++k) {
        const DayList &all = m_views.week[k];
        DayList &day = views.week[k];
        day.date = all.date;
        day.dayOfWeek = all.dayOfWeek;
        day.header = all.header;
        day.headerIcon = all.headerIcon;
        for (const DayRow &row : all.rows)
            if (keeps(row.position))
                day.rows.append(row);
    }
    if (m_views.counters) {
        NoteCounters counters;
        for (const qsizetype i : std::as_const(found))
            counters.add(m_notes.at(i));
        views.counters = counters;
    }
    views.alarms = m_views.alarms;
    m_lastSearch = search;
    m_lastFound = std::move(found);
    return views;
}

NotesRefreshOptions notesRefreshOptions(const Settings &settings, NotesSortOrder order, NotesFilter filter,
                                        QDate weekStart, TDateTime now, const LocaleFormats &formats)
{
    NotesRefreshOptions options;
    options.now = now;
    options.sortOrder = order;
    options.filter = filter;
    options.upcomingDays = settings.UpcomingEventsTime;
    options.weekStart = weekStart;
    options.week = weekScheduleOptions(settings, filter);
    options.countNotes = settings.ShowNumberOfNotes;
    options.alertHours = settings.AlertsTime;
    options.formats = formats;
    return options;
}

WeekScheduleOptions weekScheduleOptions(const Settings &settings, NotesFilter filter)
{
    WeekScheduleOptions options;
    options.showTime = settings.ShowTimeWeekSchedule;
    options.order = settings.WeekSortByTime       ? WeekOrder::ByTime
                    : settings.WeekSortByPriority ? WeekOrder::ByPriority
                                                  : WeekOrder::Unsorted;
    // With both chosen the long names are written last and stay.
    options.dayNames = settings.LongDayNames    ? DayNameForm::Long
                       : settings.ShortDayNames ? DayNameForm::Short
                                                : DayNameForm::Unchanged;
    options.filter = filter;
    return options;
}
