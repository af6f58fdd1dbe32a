#include "Alarms.h"

#include <cmath>

namespace {

bool hasDeadline(const TNotesData &note)
{
    // NaN would be "not earlier than now" and fire at once; infinity never falls due.
    return note.Deadline != DateTime::kNoDeadline && std::isfinite(note.Deadline);
}

TDateTime dueTime(const TNotesData &note, int alertHours)
{
    return note.Deadline - alertHours / 24.0;
}

// The same alert: same due time and the same reminder to show.
bool sameAlert(const AlarmEntry &entry, const TNotesData &note, TDateTime due)
{
    return entry.time == due && entry.note.Deadline == note.Deadline && entry.note.Text == note.Text &&
           entry.note.Location == note.Location && entry.note.Importance == note.Importance;
}

} // namespace

QList<AlarmEntry> alarmEntries(const NotesCollection &notes, int alertHours, TDateTime now)
{
    return rebuildAlarmEntries({}, notes, alertHours, now);
}

QList<AlarmEntry> rebuildAlarmEntries(const QList<AlarmEntry> &previous, const NotesCollection &notes, int alertHours,
                                      TDateTime now, TDateTime checkedUpTo)
{
    // Only entries already due can be lost by the rule below; usually there are none.
    QList<AlarmEntry> overdue;
    for (const AlarmEntry &entry : previous) {
        if (entry.time < now)
            overdue.append(entry);
    }

    QList<AlarmEntry> alarms;
    for (qsizetype i = 0; i < notes.size(); ++i) {
        const TNotesData &note = notes[i];
        if (!hasDeadline(note))
            continue;
        const TDateTime due = dueTime(note, alertHours);
        bool keep = note.Deadline >= now && due >= now && due > checkedUpTo;
        if (!keep) {
            for (qsizetype k = 0; k < overdue.size(); ++k) {
                if (sameAlert(overdue[k], note, due)) {
                    overdue.removeAt(k); // two equal notes keep two alerts, not one twice
                    keep = true;
                    break;
                }
            }
        }
        if (keep)
            alarms.append(AlarmEntry{QString::number(i), due, note, due});
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

