#include "ReminderLedger.h"

#include <QCryptographicHash>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

bool sameTime(TDateTime a, TDateTime b)
{
    return (qIsNaN(a) && qIsNaN(b)) || a == b;
}

bool hasDeadline(const TNotesData &note)
{
    return note.Deadline != DateTime::kNoDeadline && std::isfinite(note.Deadline);
}

TDateTime dueTime(const TNotesData &note, int alertHours)
{
    return note.Deadline - alertHours / 24.0;
}

} // namespace

bool ReminderState::operator==(const ReminderState &other) const
{
    return sameTime(deliveredDue, other.deliveredDue) && sameTime(snoozedUntil, other.snoozedUntil);
}

QString reminderKey(const TNotesData &note)
{
    if (!note.uid.isEmpty())
        return note.uid;
    // A digest keeps the ledger small and says nothing of a protected folder's texts.
    return QString::fromLatin1(
        QCryptographicHash::hash(note.Text.toUtf8(), QCryptographicHash::Sha1).toHex().left(20));
}

std::optional<TDateTime> ReminderLedger::pendingTime(const QString &key, TDateTime due) const
{
    const auto found = m_states.constFind(key);
    if (found == m_states.constEnd() || found->deliveredDue != due)
        return due;
    if (found->isSnoozed())
        return found->snoozedUntil;
    return std::nullopt;
}

bool ReminderLedger::claim(const QString &key, TDateTime due, TDateTime now)
{
    const std::optional<TDateTime> when = pendingTime(key, due);
    if (!when || *when > now)
        return false;
    settle(key, due);
    return true;
}

void ReminderLedger::snooze(const QString &key, TDateTime due, TDateTime until)
{
    m_states.insert(key, ReminderState{due, until});
}

void ReminderLedger::settle(const QString &key, TDateTime due)
{
    m_states.insert(key, ReminderState{due, qQNaN()});
}

namespace {
const QString kDueField = QStringLiteral("ReminderDue");
const QString kUntilField = QStringLiteral("ReminderSnoozedUntil");

// Full precision and no locale: a time read back must equal the one written, or the alert repeats.
QString timeText(TDateTime value)
{
    return QString::number(value, 'g', 17);
}

TDateTime timeOf(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && qIsFinite(value) ? value : qQNaN();
}
} // namespace

void ReminderLedger::writeTo(NotesCollection &notes) const
{
    for (TNotesData &note : notes) {
        const auto found = m_states.constFind(reminderKey(note));
        note.extra.remove(kDueField);
        note.extra.remove(kUntilField);
        if (found == m_states.constEnd())
            continue;
        note.extra.insert(kDueField, timeText(found->deliveredDue));
        if (found->isSnoozed())
            note.extra.insert(kUntilField, timeText(found->snoozedUntil));
    }
}

void ReminderLedger::readFrom(const NotesCollection &notes)
{
    m_states.clear();
    for (const TNotesData &note : notes) {
        const TDateTime due = timeOf(note.extra.value(kDueField));
        if (!qIsNaN(due))
            m_states.insert(reminderKey(note), ReminderState{due, timeOf(note.extra.value(kUntilField))});
    }
}

bool ReminderLedger::keepOnly(const NotesCollection &notes, TDateTime checked)
{
    // The latest deadline under each key: two notes of the same text share one state.
    QHash<QString, TDateTime> latest;
    for (const TNotesData &note : notes) {
        auto found = latest.find(reminderKey(note));
        if (found == latest.end())
            latest.insert(reminderKey(note), note.Deadline);
        else
            *found = std::max(*found, note.Deadline);
    }
    return m_states.removeIf([&](const auto &entry) {
        const auto found = latest.constFind(entry.key());
        if (found == latest.constEnd())
            return true;
        return !entry.value().isSnoozed() && *found < checked;
    }) > 0;
}

bool ReminderLedger::operator==(const ReminderLedger &other) const
{
    return m_states == other.m_states && sameTime(m_lastChecked, other.m_lastChecked);
}

QList<AlarmEntry> pendingAlarmEntries(const NotesCollection &notes, int alertHours, TDateTime now,
                                      const ReminderLedger &ledger)
{
    QList<AlarmEntry> alarms;
    const TDateTime lastChecked = ledger.lastChecked();
    for (qsizetype i = 0; i < notes.size(); ++i) {
        const TNotesData &note = notes[i];
        if (!hasDeadline(note))
            continue;
        const TDateTime due = dueTime(note, alertHours);
        const std::optional<TDateTime> when = ledger.pendingTime(reminderKey(note), due);
        if (!when)
            continue;
        const bool snoozed = *when != due;
        const bool uncheckedYet = qIsNaN(lastChecked) || due > lastChecked;
        if (snoozed || due >= now || note.Deadline >= now || uncheckedYet)
            alarms.append(AlarmEntry{QString::number(i), *when, note, due});
    }
    return alarms;
}

QList<AlarmEntry> catchUpMissed(const NotesCollection &notes, int alertHours, TDateTime now, ReminderLedger &ledger,
                                bool deliverMissed)
{
    QList<AlarmEntry> missed;
    // A new folder has no past to catch up on.
    const TDateTime since = qIsNaN(ledger.lastChecked()) ? now : ledger.lastChecked();
    for (qsizetype i = 0; i < notes.size(); ++i) {
        const TNotesData &note = notes[i];
        if (!hasDeadline(note))
            continue;
        const TDateTime due = dueTime(note, alertHours);
        const QString key = reminderKey(note);
        const std::optional<TDateTime> when = ledger.pendingTime(key, due);
        if (!when || *when > now)
            continue;
        const bool snoozed = *when != due;
        if (deliverMissed && (snoozed || due > since)) {
            ledger.claim(key, due, now);
            missed.append(AlarmEntry{QString::number(i), *when, note, due});
        } else if (snoozed || note.Deadline >= now || due > since) {
            // Each would fire at the first refresh; older ones cannot, and need no record.
            ledger.settle(key, due);
        }
    }
    ledger.setLastChecked(now);
    return missed;
}
