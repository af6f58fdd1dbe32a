#include "NotesSort.h"

#include <algorithm>
#include <cmath>

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
    // NaN compares with nothing, so it would break the ordering a stable sort relies on;
    // sort each stretch between NaNs on its own instead.
    auto runStart = notes.begin();
    const auto byDeadline = [](const TNotesData &a, const TNotesData &b) {
        return deadlineBefore(a.Deadline, b.Deadline);
    };
    for (auto it = notes.begin(); it != notes.end(); ++it) {
        if (std::isnan(it->Deadline)) {
            std::stable_sort(runStart, it, byDeadline);
            runStart = it + 1;
        }
    }
    std::stable_sort(runStart, notes.end(), byDeadline);
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
