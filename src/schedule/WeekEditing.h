#pragma once

#include "notes/NotesData.h"

#include <QString>

// Changes the week schedule's commands make to the collection; each caller refreshes afterwards.
namespace WeekEditing {

// The first position whose note has the ID written in `idText` (decimal), -1 when none has.
qsizetype findNoteById(const NotesCollection &notes, const QString &idText);

// The date of `day` with the time of day of `deadline` (a deadline without a usable time keeps 00:00).
TDateTime onDayKeepingTime(TDateTime day, TDateTime deadline);

// Appends a copy of `clipboard` due on `day` at its own time of day; false (nothing added) while
// the clipboard holds no note, which its importance of 0 tells.
bool pasteNote(NotesCollection &notes, const TNotesData &clipboard, TDateTime day);

// Moves note `position` to `day`, keeping its time of day; false for a position outside the collection.
bool moveNoteToDay(NotesCollection &notes, qsizetype position, TDateTime day);

} // namespace WeekEditing
