#pragma once

#include "notes/NotesData.h"
#include "notes/NotesList.h"

#include <QList>
#include <QString>

// One row of the "Upcoming events" list.
struct UpcomingEvent
{
    qsizetype position = 0; // of the note in the collection
    int icon = -1;          // NoteIcons index, -1 for none
    QString note;           // the text on one line
    QString left;           // e.g. "2d 05h30m"
};

// Time from now to a deadline not before it: whole days, "d ", hours "h" minutes, "m": "0d 00h40m".
QString upcomingLeftText(TDateTime deadline, TDateTime now);

// Notes still ahead whose deadline day starts no more than `horizonDays` whole days from now,
// soonest first (ties in collection order), under the notes list's switches. The collection
// is not reordered.
QList<UpcomingEvent> upcomingEvents(const NotesCollection &notes, NotesFilter filter, int horizonDays, TDateTime now);

// One line of the wallpaper and of `--upcoming`: the time left, two spaces, the text cut to
// 60 characters and "..." when longer.
QString wallpaperLine(const UpcomingEvent &event);

// Counts the ticks of the 60-second timer; true on the tick that is due for a rebuild.
class UpcomingRefreshCounter
{
public:
    bool tick(int refreshMinutes);
    int count() const { return m_count; }

private:
    int m_count = 0;
};
