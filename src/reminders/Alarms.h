#pragma once

#include "notes/NotesData.h"

#include <QList>
#include <QString>
#include <QtNumeric>

// One alert: the note's position, as it was at the last refresh, when it falls due, and the
// note itself as it stood then. The reminder shows the copy, so an alert that fires after the
// collection has been re-sorted still shows its own note.
struct AlarmEntry
{
    QString name; // the position in decimal
    TDateTime time = 0;
    TNotesData note;
    TDateTime due = 0; // the alert's own time; `time` is later when it has been snoozed

    bool operator==(const AlarmEntry &) const = default;
};

// The alarm list a refresh builds: one entry per note with a deadline not before now, due
// `alertHours` before it; entries already due are left out, so such notes get no alert.
QList<AlarmEntry> alarmEntries(const NotesCollection &notes, int alertHours, TDateTime now);

// The same list built while `previous` is still waiting: an entry of `previous` that fell due
// but has not been checked yet (a reminder was open, or the check had not come round) is kept
// when its note still stands with the same due time, so a refresh never swallows an alert.
// `previous` holds only entries no check has taken yet; every alert due at or before
// `checkedUpTo` has been taken by a check, so no other entry that early is added again (a
// refresh in the very millisecond of the check would otherwise repeat an alert due "now").
QList<AlarmEntry> rebuildAlarmEntries(const QList<AlarmEntry> &previous, const NotesCollection &notes, int alertHours,
                                      TDateTime now, TDateTime checkedUpTo = -qInf());

// Takes out the entries due at `now`, last entry first, in the order they fire.
QList<AlarmEntry> takeDueAlarms(QList<AlarmEntry> &alarms, TDateTime now);
