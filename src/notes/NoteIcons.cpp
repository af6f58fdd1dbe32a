#include "NoteIcons.h"

namespace NoteIcons {

int forImportance(quint8 importance)
{
    switch (importance) {
    case 1:
        return Highest;
    case 2:
        return Increased;
    case 3:
        return Normal;
    default:
        return None;
    }
}

int forNote(const TNotesData &note)
{
    return note.Progress == 100 ? Finished : forImportance(note.Importance);
}

} // namespace NoteIcons
