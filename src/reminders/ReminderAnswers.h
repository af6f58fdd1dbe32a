#pragma once

#include "core/DateTime.h"
#include "core/LocaleFormats.h"
#include "notes/NotesData.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

// What a person can answer to a reminder, in a notification or in the reminder window.
enum class ReminderAnswer
{
    Snooze10Min,
    SnoozeHour,
    Tomorrow,
    Done,
    Show, // the click on the notification itself: bring the note up
};

// The action key sent over the bus ("default" for Show) and back.
QString answerKey(ReminderAnswer answer);
std::optional<ReminderAnswer> answerFromKey(const QString &key);
// The button's text; empty for Show, which has no button.
QString answerLabel(ReminderAnswer answer);
// Pairs of key and label in the order the buttons appear, the default action first.
QStringList notificationActions();

// When a snoozed reminder comes back; nullopt for the answers that do not snooze. "Tomorrow" is
// the same time of day on the next calendar day, so a change to or from summer time keeps the hour.
std::optional<QDateTime> snoozedUntil(const QDateTime &now, ReminderAnswer answer);

// A reminder as a notification shows it.
struct ReminderMessage
{
    QString summary;  // the note's first line
    QString body;     // deadline, location, importance; one a line, the empty ones left out
    int urgency = 1;  // 0 low, 1 normal, 2 critical
};
ReminderMessage reminderMessage(const TNotesData &note, const LocaleFormats &formats);

// The summary of several reminders shown together: "3 reminders while you were away".
QString awayTitle(qsizetype count);
