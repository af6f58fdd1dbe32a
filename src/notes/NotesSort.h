#pragma once

#include "NotesData.h"
#include "NotesSortOrder.h"

#include <algorithm>
#include <cmath>

// Deadline order: earliest first, notes without a deadline (-1) last, ties keep their order.
// A NaN deadline never trades places with a neighbour, so it stays where it is and the notes
// on either side of it are sorted separately.
bool deadlineBefore(TDateTime first, TDateTime second);

// Deadline order on any range; `deadlineOf` maps an element to its deadline.
template <class Iterator, class DeadlineOf> void sortByDeadline(Iterator first, Iterator last, DeadlineOf deadlineOf)
{
    // NaN compares with nothing and would break the ordering a stable sort relies on;
    // each stretch between NaNs is sorted on its own instead.
    const auto before = [&deadlineOf](const auto &a, const auto &b) {
        return deadlineBefore(deadlineOf(a), deadlineOf(b));
    };
    Iterator runStart = first;
    for (Iterator it = first; it != last; ++it) {
        if (std::isnan(deadlineOf(*it))) {
            std::stable_sort(runStart, it, before);
            runStart = std::next(it);
        }
    }
    std::stable_sort(runStart, last, before);
}

// The positions (ascending, none with a NaN deadline) in the order sortByDeadline over the whole
// collection would put them: a NaN deadline elsewhere still keeps the notes before it ahead of
// those after it. Lets a view sort only the few notes it shows.
QList<qsizetype> deadlineOrderOf(const NotesCollection &notes, QList<qsizetype> positions);

// Each reorders the whole collection in place, stably.
void SortByPriority(NotesCollection &notes);
void SortByDaysLeft(NotesCollection &notes);
void SortByPercentDone_desc(NotesCollection &notes); // ascending: least done first
void SortByPrivateNonprivate(NotesCollection &notes);

void applySortOrder(NotesCollection &notes, NotesSortOrder order);
