#include "NotesData.h"

void DeleteNote(NotesCollection &notes, qsizetype position)
{
    if (position < 0 || position >= notes.size())
        return;
    notes.removeAt(position);
}

void renumberNotes(NotesCollection &notes)
{
    for (qsizetype i = 0; i < notes.size(); ++i)
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
