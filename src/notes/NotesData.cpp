#include "NotesData.h"

void DeleteNote(NotesCollection &notes, qsizetype position)
{
    if (position < 0 || position >= notes.size())
        return;
    notes.removeAt(position);
}

void renumberNotes(NotesCollection &notes)
{
    // Read first: a note already numbered is not written, so a list shared with the history is not copied.
    for (qsizetype i = 0; i < notes.size(); ++i)
        if (notes.at(i).ID != static_cast<qint32>(i))
            notes[i].ID = static_cast<qint32>(i);
}

QString importanceName(quint8 importance)
{
    switch (importance) {
    case 1:
        return QStringLiteral("Highest");
    case 2:
        return QStringLiteral("Increased");
    case 3:
        return QStringLiteral("Normal");
    default:
        return {};
    }
}
