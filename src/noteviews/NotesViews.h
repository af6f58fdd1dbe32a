#pragma once

#include "core/DateTime.h"
#include "core/LocaleFormats.h"
#include "notes/NotesData.h"
#include "notes/NotesList.h"
#include "notes/NotesSort.h"
#include "reminders/Alarms.h"
#include "reminders/ReminderLedger.h"
#include "reminders/UpcomingEvents.h"
#include "schedule/WeekSchedule.h"

#include <QDate>
#include <QList>
#include <QtNumeric>

#include <optional>

struct Settings;

// What a refresh of the notes views reads besides the collection.
struct NotesRefreshOptions
{
    TDateTime now = 0;
    NotesSortOrder sortOrder = NotesSortOrder::Disabled;
    NotesFilter filter;             // the switches above the notes list; every view follows them
    int upcomingDays = 1;           // UpcomingEventsTime
    QDate weekStart;                // the week schedule's first day; invalid: today
    WeekScheduleOptions week;       // its filter is replaced by `filter`
    bool countNotes = true;         // ShowNumberOfNotes
    int alertHours = 1;             // AlertsTime
    QList<AlarmEntry> waitingAlarms; // the alarm list as it stands: alerts due but not yet taken survive
    TDateTime alarmsCheckedUpTo = -qInf(); // alerts due this early have been taken already
    // When given, it decides which alerts are still to come (the two fields above are then unused).
    const ReminderLedger *reminders = nullptr;
    LocaleFormats formats = LocaleFormats::system();
};

// Everything the notes part of a refresh produces for the windows.
struct NotesViews
{
    QList<NoteRow> rows;                  // the notes list
    QList<UpcomingEvent> upcoming;        // "Upcoming events"
    WeekSchedule week;                    // the seven day lists
    std::optional<NoteCounters> counters; // none: the status bar keeps its numbers
    QList<AlarmEntry> alarms;             // what the alarm watcher holds from now on
};

class SearchableViews;

// Sorts and renumbers the collection in place, then computes every view of it. With `keep`, the views are
// computed without the search and kept there, then narrowed to it, so that a later change of the search
// alone costs only the filtering.
NotesViews RefreshNotes(NotesCollection &notes, const NotesRefreshOptions &options, SearchableViews *keep = nullptr);

// A refresh's views before the search narrows them, with each note's folded text and location.
class SearchableViews
{
public:
    // Whether narrowing these gives what RefreshNotes(notes, options) would: the collection is the one they
    // came from, untouched since (it still shares their copy), the options differ in the search alone, and
    // the clock is still in the minute of that refresh (the lists' times are shown to the minute, and the
    // minute timer refreshes them all).
    bool fits(const NotesCollection &notes, const NotesRefreshOptions &options) const;
    // The views RefreshNotes gives under `search`. A search that only adds to the last one's words looks
    // only at the notes that one found.
    NotesViews narrowed(const SearchQuery &search);

private:
    friend NotesViews RefreshNotes(NotesCollection &, const NotesRefreshOptions &, SearchableViews *);

    bool m_valid = false;
    NotesCollection m_notes;
    NotesRefreshOptions m_options;
    NotesViews m_views;
    QList<QString> m_folded; // text and location of each note in turn; made at the first search
    SearchQuery m_lastSearch;
    QList<qsizetype> m_lastFound;
};

// The options the settings record gives, with the switches in force and the clock's now.
NotesRefreshOptions notesRefreshOptions(const Settings &settings, NotesSortOrder order, NotesFilter filter,
                                        QDate weekStart, TDateTime now, const LocaleFormats &formats);
// How the week schedule shows its days under these settings.
WeekScheduleOptions weekScheduleOptions(const Settings &settings, NotesFilter filter);
