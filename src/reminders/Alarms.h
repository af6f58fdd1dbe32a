#pragma once

#include "notes/NotesData.h"

#include <QList>
#include <QString>

// One alert: the note's position, as it was at the last refresh, and when it falls due.
struct AlarmEntry
{
    QString name; // the position in decimal
    TDateTime time = 0;

    bool operator==(const AlarmEntry &) const = default;
};

// The alarm list a refresh builds: one entry per note with a deadline not before now, due
// `alertHours` before it; entries already due are left out, so such notes get no alert.
QList<AlarmEntry> alarmEntries(const NotesCollection &notes, int alertHours, TDateTime now);

// Takes out the entries due at `now`, last entry first, in the order they fire.
QList<AlarmEntry> takeDueAlarms(QList<AlarmEntry> &alarms, TDateTime now);
