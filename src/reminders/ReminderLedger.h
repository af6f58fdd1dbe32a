#pragma once

#include "Alarms.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// Where each note's reminder stands, so that every alert is delivered exactly once per due time,
// whatever mix of refreshes, notifications, windows, snoozes and restarts comes between.
// A note is known by reminderKey(); its alert by the due time, so a note moved to another
// deadline reminds again while a refresh of the same note never does.
struct ReminderState
{
    TDateTime deliveredDue = qQNaN(); // the due time last delivered (or passed over)
    TDateTime snoozedUntil = qQNaN(); // when the delivered one comes back; NaN: not snoozed

    bool isSnoozed() const { return !qIsNaN(snoozedUntil); }
    bool operator==(const ReminderState &other) const;
};

// The note's identity for its reminder: its uid; a digest of its text for a note not given one yet.
QString reminderKey(const TNotesData &note);

class ReminderLedger
{
public:
    // When the alert due at `due` should show: `due` itself, its snooze time, or nullopt when
    // it has been delivered already.
    std::optional<TDateTime> pendingTime(const QString &key, TDateTime due) const;
    // Takes the alert for delivery: true exactly once while it is pending and its time has come.
    bool claim(const QString &key, TDateTime due, TDateTime now);
    // Delivered and to come back at `until`.
    void snooze(const QString &key, TDateTime due, TDateTime until);
    // Passed over without showing (alerts off, or missed while "missed reminders" is off).
    void settle(const QString &key, TDateTime due);

    // The last moment the alerts were checked; NaN when never (a new folder).
    TDateTime lastChecked() const { return m_lastChecked; }
    void setLastChecked(TDateTime when) { m_lastChecked = when; }

    // Forgets the notes that are gone and those whose deadline passed before `checked`, a last
    // check already on disk (nothing can bring their alert back then); snoozes stay. True when
    // anything was forgotten.
    bool keepOnly(const NotesCollection &notes, TDateTime checked);

    // The states travel with the notes, in their extra fields, so they are saved beside data.txt
    // with them and keep to them whatever moves or sorts come between.
    void writeTo(NotesCollection &notes) const;
    void readFrom(const NotesCollection &notes);

    const QHash<QString, ReminderState> &states() const { return m_states; }
    void setStates(const QHash<QString, ReminderState> &states) { m_states = states; }

    bool operator==(const ReminderLedger &other) const;

private:
    QHash<QString, ReminderState> m_states;
    TDateTime m_lastChecked = qQNaN();
};

// The alarm list as the ledger sees it: each note with a deadline whose alert is pending, at the
// time it is to show. An alert already due is kept when its deadline is still ahead (a note saved
// after its alert time reminds at once) or when it fell due after the last check (it waits for
// that check, a refresh must not swallow it).
QList<AlarmEntry> pendingAlarmEntries(const NotesCollection &notes, int alertHours, TDateTime now,
                                      const ReminderLedger &ledger);

// At start or on waking: the alerts that fell due since the last check (and the snoozes that
// ran out), claimed for delivery together, in collection order. Older ones that are still
// undelivered were passed over by an earlier run and are settled silently, and so are all of
// them when `deliverMissed` is off. The ledger's last check becomes `now`.
QList<AlarmEntry> catchUpMissed(const NotesCollection &notes, int alertHours, TDateTime now, ReminderLedger &ledger,
                                bool deliverMissed);
