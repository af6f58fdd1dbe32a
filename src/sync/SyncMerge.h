#pragma once

#include "notes/NotesData.h"

// The field-wise three-way merge of one note: base (last in step), this side, the server's side.
namespace SyncMerge {

// The same in every field that the calendar item carries (deadlines to the second).
bool sameContent(const TNotesData &a, const TNotesData &b);

struct Result
{
    TNotesData note;       // this side's note with the server's one-sided changes taken in
    bool conflict = false; // some field changed on both sides to different values
    TNotesData serverCopy; // then: the server's version, as a new note marked as a conflict copy
};

Result merge(const TNotesData &base, const TNotesData &local, const TNotesData &server);

} // namespace SyncMerge
