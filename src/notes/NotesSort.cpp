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

QList<qsizetype> deadlineOrderOf(const NotesCollection &notes, QList<qsizetype> positions)
{
    struct Key
    {
        qsizetype position;
        qsizetype stretch; // NaN deadlines before the note
    };
    QList<Key> keys;
    keys.reserve(positions.size());
    qsizetype stretch = 0;
    qsizetype next = 0;
    for (const qsizetype position : std::as_const(positions)) {
        for (; next < position; ++next)
            stretch += std::isnan(notes[next].Deadline) ? 1 : 0;
        keys.append({position, stretch});
    }
    std::stable_sort(keys.begin(), keys.end(), [&notes](const Key &a, const Key &b) {
        if (a.stretch != b.stretch)
            return a.stretch < b.stretch;
        return deadlineBefore(notes[a.position].Deadline, notes[b.position].Deadline);
    });
    for (qsizetype i = 0; i < keys.size(); ++i)
        positions[i] = keys[i].position;
    return positions;
}

// A collection already in order (as after most changes) is left untouched: no record moves, and a list
// shared with the history stays shared instead of being copied.
namespace {

template <class Before> void stableSortUnlessSorted(NotesCollection &notes, Before before)
{
    if (!std::is_sorted(notes.cbegin(), notes.cend(), before))
        std::stable_sort(notes.begin(), notes.end(), before);
}

bool inDeadlineOrder(const NotesCollection &notes)
{
    // Each stretch between NaN deadlines is ordered on its own (see sortByDeadline).
    for (qsizetype i = 1; i < notes.size(); ++i) {
        const TDateTime previous = notes.at(i - 1).Deadline;
        const TDateTime current = notes.at(i).Deadline;
        if (!std::isnan(previous) && !std::isnan(current) && deadlineBefore(current, previous))
            return false;
    }
    return true;
}

} // namespace

void SortByPriority(NotesCollection &notes)
{
    stableSortUnlessSorted(notes, [](const TNotesData &a, const TNotesData &b) { return a.Importance < b.Importance; });
}

void SortByDaysLeft(NotesCollection &notes)
{
    if (!inDeadlineOrder(notes))
        sortByDeadline(notes.begin(), notes.end(), [](const TNotesData &note) { return note.Deadline; });
}

void SortByPercentDone_desc(NotesCollection &notes)
{
    stableSortUnlessSorted(notes, [](const TNotesData &a, const TNotesData &b) { return a.Progress < b.Progress; });
}

void SortByPrivateNonprivate(NotesCollection &notes)
{
    const auto isPrivate = [](const TNotesData &note) { return note.PrivateMsg; };
    if (!std::is_partitioned(notes.cbegin(), notes.cend(), isPrivate))
        std::stable_partition(notes.begin(), notes.end(), isPrivate);
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
