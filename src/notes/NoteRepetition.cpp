#include "NoteRepetition.h"

#include <algorithm>

namespace {

// The day of `day` in the given month, or the month's last day when it is shorter.
QDate clampedDate(int year, int month, int day)
{
    const QDate first(year, month, 1);
    return QDate(year, month, std::min(day, first.daysInMonth()));
}

QDate nextCandidate(QDate current, QDate start, RepeatRule rule)
{
    switch (rule.kind) {
    case RepeatKind::EveryDay:
        return current.addDays(1);
    case RepeatKind::EveryWeek:
        return current.addDays(7);
    case RepeatKind::EveryNDays:
        return current.addDays(rule.everyDays);
    case RepeatKind::EveryMonth: {
        const bool december = current.month() == 12;
        return clampedDate(current.year() + (december ? 1 : 0), december ? 1 : current.month() + 1, start.day());
    }
    case RepeatKind::EveryYear:
        return clampedDate(current.year() + 1, start.month(), start.day());
    case RepeatKind::None:
        break;
    }
    return {};
}

// Calls `visit` with the start and then each step up to `end`.
template <class Visit> void forEachOccurrence(QDate start, QDate end, RepeatRule rule, Visit visit)
{
    rule.everyDays = std::clamp(rule.everyDays, 1, 365);
    if (!end.isValid() || end < start)
        end = start;
    visit(start);
    // Every step lands later than the one before, so the first one past the end closes the series.
    for (QDate current = nextCandidate(start, start, rule); current.isValid() && current <= end;
         current = nextCandidate(current, start, rule))
        visit(current);
}

} // namespace

QDate firstDeadlineDay()
{
    return {1900, 1, 1};
}

QDate lastDeadlineDay()
{
    return {9999, 12, 31};
}

TDateTime composeDeadline(QDate date, QTime time)
{
    // Built from the day count rather than a local QDateTime, so a time inside a
    // daylight-saving gap is kept as typed.
    const double day = DateTime::fromQDate(date);
    const double fraction = (time.hour() * 60 + time.minute()) / 1440.0;
    return day >= 0 ? day + fraction : day - fraction;
}

QList<TDateTime> repetitionDeadlines(QDate start, QDate end, QTime time, RepeatRule rule)
{
    QList<TDateTime> deadlines;
    forEachOccurrence(start, end, rule, [&](QDate date) { deadlines.append(composeDeadline(date, time)); });
    return deadlines;
}

qint64 repetitionCount(QDate start, QDate end, RepeatRule rule)
{
    qint64 count = 0;
    forEachOccurrence(start, end, rule, [&count](QDate) { ++count; });
    return count;
}

void appendEditorNotes(NotesCollection &notes, const TNotesData &fields, bool hasDeadline, QDate date, QTime time,
                       RepeatRule rule, QDate endDate)
{
    TNotesData note = fields;
    if (!hasDeadline) {
        note.Deadline = DateTime::kNoDeadline;
        notes.append(note);
        return;
    }
    if (rule.kind == RepeatKind::None) {
        note.Deadline = composeDeadline(date, time);
        notes.append(note);
        return;
    }
    for (const TDateTime deadline : repetitionDeadlines(date, endDate, time, rule)) {
        note.Deadline = deadline;
        notes.append(note);
    }
}
