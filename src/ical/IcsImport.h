#pragma once

#include "notes/NotesData.h"

#include <QByteArray>
#include <QMap>
#include <QString>

// Tasks and events of an iCalendar file (RFC 5545) as notes.
namespace IcsImport {

struct Result
{
    bool isCalendar = false;
    // One note per VTODO or VEVENT, and one per occurrence of a repeated one, each with its UID
    // (an occurrence after the first: the item's UID and the occurrence's start).
    NotesCollection notes;
    int skipped = 0;
    QMap<QString, int> skipReasons; // why, and how many items for each reason
};

// A repeated item without an end is expanded up to a year after `now`; no item yields more
// than kMaxOccurrences notes.
inline constexpr int kMaxOccurrences = 3660;

Result parse(const QByteArray &data, TDateTime now);

// How many of `incoming` would be added rather than update a note of the same UID.
qsizetype countNew(const NotesCollection &notes, const NotesCollection &incoming);

struct Merged
{
    qsizetype added = 0;
    qsizetype updated = 0;
};
// A note whose UID is already in the collection is updated in place (its position and extra
// state kept); the others are appended.
Merged merge(NotesCollection &notes, const NotesCollection &incoming);

// "The file is not an iCalendar (.ics) file. Nothing was imported." and the like, for the user.
QString notCalendarMessage();
// Empty when nothing was skipped.
QString skippedMessage(const Result &result);

} // namespace IcsImport
