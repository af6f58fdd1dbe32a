#pragma once

#include "notes/NotesData.h"

#include <QByteArray>

// Notes as an iCalendar file (RFC 5545): one VTODO per note.
namespace IcsExport {

struct Options
{
    TDateTime now = 0;     // DTSTAMP, and CREATED / LAST-MODIFIED of notes that carry none
    bool alertsOn = false; // a VALARM per note with a deadline
    int alertHours = 1;    // how long before the deadline
};

// Deadlines are written in the system zone with its VTIMEZONE, or floating when libical does
// not know the system zone.
QByteArray exportNotes(const NotesCollection &notes, const Options &options);

// Extra fields a note carries its calendar times in, as UTC stamps ("20260314T083000Z").
inline constexpr char kCreatedField[] = "Created";
inline constexpr char kModifiedField[] = "LastModified";
inline constexpr char kCompletedField[] = "Completed";

// A location that a click opens, as the notes list finds links.
bool isHyperlink(const QString &location);

} // namespace IcsExport
