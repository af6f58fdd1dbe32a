#include "WeekEditing.h"

#include <cmath>

namespace WeekEditing {

qsizetype findNoteById(const NotesCollection &notes, const QString &idText)
{
    bool ok = false;
    const int id = idText.toInt(&ok);
    if (!ok)
        return -1;
    for (qsizetype i = 0; i < notes.size(); ++i)
        if (notes[i].ID == id)
            return i;
    return -1;
}

TDateTime onDayKeepingTime(TDateTime day, TDateTime deadline)
{
    const TDateTime date = DateTime::dateOf(day);
    if (!std::isfinite(deadline))
        return date;
    // Negative values keep their time of day as a positive fraction.
    return date + std::fabs(deadline - DateTime::dateOf(deadline));
}

bool pasteNote(NotesCollection &notes, const TNotesData &clipboard, TDateTime day)
{
    if (clipboard.Importance == 0)
        return false;
    TNotesData note = clipboard;
    // A pasted copy is a note of its own; the next refresh gives it its identity.
    note.uid.clear();
    note.extra.clear();
    note.Deadline = onDayKeepingTime(day, clipboard.Deadline);
    notes.append(note);
    return true;
}

bool moveNoteToDay(NotesCollection &notes, qsizetype position, TDateTime day)
{
    if (position < 0 || position >= notes.size())
        return false;
    notes[position].Deadline = onDayKeepingTime(day, notes[position].Deadline);
    return true;
}

} // namespace WeekEditing
