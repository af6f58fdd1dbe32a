#include "Alarms.h"

#include <cmath>

QList<AlarmEntry> alarmEntries(const NotesCollection &notes, int alertHours, TDateTime now)
{
    QList<AlarmEntry> alarms;
    for (qsizetype i = 0; i < notes.size(); ++i) {
        const TDateTime deadline = notes[i].Deadline;
        // NaN would be "not earlier than now" and fire at once; infinity never falls due.
        if (deadline == DateTime::kNoDeadline || !std::isfinite(deadline) || deadline < now)
            continue;
        const TDateTime due = deadline - alertHours / 24.0;
        if (due < now)
            continue;
        alarms.append(AlarmEntry{QString::number(i), due});
    }
    return alarms;
}

QList<AlarmEntry> takeDueAlarms(QList<AlarmEntry> &alarms, TDateTime now)
{
    QList<AlarmEntry> due;
    for (qsizetype i = alarms.size() - 1; i >= 0; --i) {
        if (alarms[i].time <= now) {
            due.append(alarms[i]);
            alarms.removeAt(i);
        }
    }
    return due;
}
