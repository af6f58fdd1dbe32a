#pragma once

#include "core/DateTime.h"

#include <QList>
#include <QMap>
#include <QString>

// State kept per note beside data.txt (snooze times, delivery and sync marks, ...), by name;
// fields that this build does not know are kept and written back.
using NoteExtraFields = QMap<QString, QString>;

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
    // Stable identity (RFC 5545 UID) from the note's creation on; not part of data.txt, which old
    // copies of the program read.
    QString uid = {};
    NoteExtraFields extra = {};

    // The note's content as data.txt holds it: identity and extra state are not compared.
    bool operator==(const TNotesData &other) const
    {
        return Importance == other.Importance && Progress == other.Progress && PrivateMsg == other.PrivateMsg
            && Deadline == other.Deadline && Text == other.Text && Location == other.Location && ID == other.ID;
    }
};

// Ordered; positions change with every sort and move, uid does not.
using NotesCollection = QList<TNotesData>;

// Later notes move up one place, in order.
void DeleteNote(NotesCollection &notes, qsizetype position);
// Sets every note's ID to its position.
void renumberNotes(NotesCollection &notes);
// "Highest", "Increased" or "Normal" for importance 1, 2, 3; empty for any other.
QString importanceName(quint8 importance);
