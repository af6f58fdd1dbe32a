#include "ReminderAnswers.h"

#include "notes/NotesList.h"

#include <array>

namespace {

struct AnswerText
{
    ReminderAnswer answer;
    const char *key;
    const char *label;
};

constexpr std::array<AnswerText, 5> kAnswers{{
    {ReminderAnswer::Show, "default", ""},
    {ReminderAnswer::Snooze10Min, "snooze-10", "Snooze 10 min"},
    {ReminderAnswer::SnoozeHour, "snooze-60", "Snooze 1 hour"},
    {ReminderAnswer::Tomorrow, "tomorrow", "Tomorrow"},
    {ReminderAnswer::Done, "done", "Done"},
}};

const AnswerText &textOf(ReminderAnswer answer)
{
    for (const AnswerText &text : kAnswers) {
        if (text.answer == answer)
            return text;
    }
    return kAnswers[0];
}

} // namespace

QString answerKey(ReminderAnswer answer)
{
    return QString::fromLatin1(textOf(answer).key);
}

std::optional<ReminderAnswer> answerFromKey(const QString &key)
{
    for (const AnswerText &text : kAnswers) {
        if (key == QLatin1StringView(text.key))
            return text.answer;
    }
    return std::nullopt;
}

QString answerLabel(ReminderAnswer answer)
{
    return QString::fromLatin1(textOf(answer).label);
}

QStringList notificationActions()
{
    QStringList actions;
    for (const AnswerText &text : kAnswers)
        actions << QString::fromLatin1(text.key) << QString::fromLatin1(text.label);
    return actions;
}

std::optional<QDateTime> snoozedUntil(const QDateTime &now, ReminderAnswer answer)
{
    switch (answer) {
    case ReminderAnswer::Snooze10Min:
        return now.addSecs(10 * 60);
    case ReminderAnswer::SnoozeHour:
        return now.addSecs(60 * 60);
    case ReminderAnswer::Tomorrow:
        return now.addDays(1);
    case ReminderAnswer::Done:
    case ReminderAnswer::Show:
        break;
    }
    return std::nullopt;
}

ReminderMessage reminderMessage(const TNotesData &note, const LocaleFormats &formats)
{
    ReminderMessage message;
    message.summary = note.Text.section(QLatin1Char('\n'), 0, 0).remove(QLatin1Char('\r')).trimmed();
    if (message.summary.isEmpty())
        message.summary = QStringLiteral("Reminder");
    QStringList lines{deadlineText(note.Deadline, formats), note.Location.trimmed(), importanceName(note.Importance)};
    lines.removeAll(QString());
    message.body = lines.join(QLatin1Char('\n'));
    // Only the highest importance may break through "do not disturb"; a normal one still pops up.
    message.urgency = note.Importance == 1 ? 2 : 1;
    return message;
}

QString awayTitle(qsizetype count)
{
    return QStringLiteral("%1 reminders while you were away").arg(count);
}
