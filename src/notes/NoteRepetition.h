#pragma once

#include "NotesData.h"

#include <QDate>
#include <QList>
#include <QTime>

// How the note editor repeats a new note with a deadline.
enum class RepeatKind
{
    None,
    EveryDay,
    EveryWeek,
    EveryMonth,
    EveryYear,
    EveryNDays
};

struct RepeatRule
{
    RepeatKind kind = RepeatKind::None;
    int everyDays = 1; // for EveryNDays: 1..365, values outside are clamped
};

// The days the editor offers for a deadline: earlier ones would read back as "no deadline" (-1)
// or other negative day counts, later ones are beyond what the files read back.
QDate firstDeadlineDay();
QDate lastDeadlineDay();

// The deadline the editor composes: the date at midnight plus hours and minutes of `time`.
TDateTime composeDeadline(QDate date, QTime time);

// Deadlines of the notes a repetition creates: the first on `start`, then one per step up
// to `end`. An invalid or earlier end means `start`, giving one deadline.
QList<TDateTime> repetitionDeadlines(QDate start, QDate end, QTime time, RepeatRule rule);
// How many deadlines repetitionDeadlines gives, without making them.
qint64 repetitionCount(QDate start, QDate end, RepeatRule rule);

// What the editor's "OK" appends when adding: one note without a deadline when
// `hasDeadline` is false, otherwise one per deadline of the repetition. `fields` supplies
// importance, progress, private flag, text and location.
void appendEditorNotes(NotesCollection &notes, const TNotesData &fields, bool hasDeadline, QDate date, QTime time,
                       RepeatRule rule, QDate endDate);
