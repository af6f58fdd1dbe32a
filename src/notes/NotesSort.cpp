#include "NotesSort.h"

#include <algorithm>

bool deadlineBefore(TDateTime first, TDateTime second)
{
    if (first == DateTime::kNoDeadline)
        return false;
    if (second == DateTime::kNoDeadline)
        return true;
    return first < second;
}

void SortByPriority(NotesCollection &notes)
{
    std::stable_sort(notes.begin(), notes.end(),
                     [](const TNotesData &a, const TNotesData &b) { return a.Importance < b.Importance; });
}

void SortByDaysLeft(NotesCollection &notes)
{
    sortByDeadline(notes.begin(), notes.end(), [](const TNotesData &note) { return note.Deadline; });
}

void SortByPercentDone_desc(NotesCollection &notes)
{
    std::stable_sort(notes.begin(), notes.end(),
                     [](const TNotesData &a, const TNotesData &b) { return a.Progress < b.Progress; });
}

void SortByPrivateNonprivate(NotesCollection &notes)
{
    std::stable_partition(notes.begin(), notes.end(), [](const TNotesData &note) { return note.PrivateMsg; });
}

void applySortOrder(NotesCollection &notes, NotesSortOrder order)
{
    switch (order) {
    case NotesSortOrder::Disabled:
        return;
    case NotesSortOrder::ByPriority:
        SortByPriority(notes);
        return;
    case NotesSortOrder::ByDaysLeft:
        SortByDaysLeft(notes);
        return;
    case NotesSortOrder::ByPercentDone:
        SortByPercentDone_desc(notes);
        return;
    case NotesSortOrder::ByPrivateNonPrivate:
        SortByPrivateNonprivate(notes);
        return;
    }
}
