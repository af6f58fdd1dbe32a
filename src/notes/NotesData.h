#pragma once

#include "core/DateTime.h"

#include <QList>
#include <QString>

// One task or appointment.
struct TNotesData
{
    quint8 Importance = 0; // 1 "Highest", 2 "Increased", 3 "Normal"
    quint8 Progress = 0;   // percent done; 100 = finished
    bool PrivateMsg = false;
    TDateTime Deadline = 0; // DateTime::kNoDeadline when there is none
    QString Text;
    QString Location;
    qint32 ID = 0; // position in the collection, renumbered at every refresh

    bool operator==(const TNotesData &) const = default;
};

// Ordered; a note is known only by its position.
using NotesCollection = QList<TNotesData>;

// Later notes move up one place, in order.
void DeleteNote(NotesCollection &notes, qsizetype position);
// Sets every note's ID to its position.
void renumberNotes(NotesCollection &notes);
// "Highest", "Increased" or "Normal" for importance 1, 2, 3; empty for any other.
QString importanceName(quint8 importance);
