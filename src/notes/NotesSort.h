#pragma once

#include "NotesData.h"

// The sort orders of the notes list's "Sort" menu; Disabled leaves the order alone.
enum class NotesSortOrder
{
    Disabled,
    ByPriority,
    ByDaysLeft,
    ByPercentDone,
    ByPrivateNonPrivate
};

// Deadline order: earliest first, notes without a deadline (-1) last, ties keep their order.
// A NaN deadline never trades places with a neighbour, so it stays where it is and the notes
// on either side of it are sorted separately.
bool deadlineBefore(TDateTime first, TDateTime second);

// Each reorders the whole collection in place, stably.
void SortByPriority(NotesCollection &notes);
void SortByDaysLeft(NotesCollection &notes);
void SortByPercentDone_desc(NotesCollection &notes); // ascending: least done first
void SortByPrivateNonprivate(NotesCollection &notes);

void applySortOrder(NotesCollection &notes, NotesSortOrder order);
