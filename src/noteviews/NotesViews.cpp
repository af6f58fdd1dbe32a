#include "NotesViews.h"

#include "notes/NoteIdentity.h"

#include "settings/Settings.h"

NotesViews RefreshNotes(NotesCollection &notes, const NotesRefreshOptions &options)
{
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
