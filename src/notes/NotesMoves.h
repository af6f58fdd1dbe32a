#pragma once

#include "NotesData.h"
#include "NotesList.h"

// Moves by hand and the finishing commands of the notes list. A position outside the
// collection (no row selected, or a row past the end) changes nothing.

// Climbs over notes the list hides until it has passed one listed note, or reaches 0.
// Returns the note's new position.
qsizetype MoveNoteUp(NotesCollection &notes, qsizetype position, NotesFilter filter);
// The same downwards; at the last position nothing moves.
qsizetype MoveNoteDown(NotesCollection &notes, qsizetype position, NotesFilter filter);
// Hidden notes above it end up below it. Both return the note's new position.
qsizetype moveNoteToTop(NotesCollection &notes, qsizetype position);
qsizetype moveNoteToBottom(NotesCollection &notes, qsizetype position);

void markAsFinished(NotesCollection &notes, qsizetype position);
// Removes every note at 100 %, listed or not, keeping the others in order; returns how many.
qsizetype deleteFinishedNotes(NotesCollection &notes);
