#include "NotesMoves.h"

#include <algorithm>

namespace {

bool inRange(const NotesCollection &notes, qsizetype position)
{
    return position >= 0 && position < notes.size();
}

} // namespace

qsizetype MoveNoteUp(NotesCollection &notes, qsizetype position, NotesFilter filter)
{
    if (!inRange(notes, position))
        return position;
    while (position > 0) {
        notes.swapItemsAt(position, position - 1);
        const bool passedListed = filter.isListed(notes[position]);
        --position;
        if (passedListed)
            break;
    }
    return position;
}

qsizetype MoveNoteDown(NotesCollection &notes, qsizetype position, NotesFilter filter)
{
    if (!inRange(notes, position))
        return position;
    while (position < notes.size() - 1) {
        notes.swapItemsAt(position, position + 1);
        const bool passedListed = filter.isListed(notes[position]);
        ++position;
        if (passedListed)
            break;
    }
    return position;
}

qsizetype moveNoteToTop(NotesCollection &notes, qsizetype position)
{
    if (!inRange(notes, position))
        return position;
    std::rotate(notes.begin(), notes.begin() + position, notes.begin() + position + 1);
    return 0;
}

qsizetype moveNoteToBottom(NotesCollection &notes, qsizetype position)
{
    if (!inRange(notes, position))
        return position;
    std::rotate(notes.begin() + position, notes.begin() + position + 1, notes.end());
    return notes.size() - 1;
}

void markAsFinished(NotesCollection &notes, qsizetype position)
{
    if (inRange(notes, position))
        notes[position].Progress = 100;
}

qsizetype deleteFinishedNotes(NotesCollection &notes)
{
    return notes.removeIf([](const TNotesData &note) { return note.Progress == 100; });
}
