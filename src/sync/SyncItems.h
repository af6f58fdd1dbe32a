#pragma once

#include "ical/IcsExport.h"
#include "notes/NotesData.h"

#include <QByteArray>
#include <QString>

// Calendar items of a task list as notes, and notes as items, through the program's iCalendar mapping.
namespace SyncItems {

struct Item
{
    bool isTask = false; // holds a VTODO; anything else on the server is left alone
    QString uid;
    bool recurring = false; // shown as its occurrences, never sent back as separate items
    NotesCollection notes;
};

Item read(const QByteArray &ics, TDateTime now);

// One note as a calendar object of its own.
QByteArray write(const TNotesData &note, const IcsExport::Options &options);

// A repeated item with this side's changes to some occurrences: a removed occurrence becomes an EXDATE,
// a changed one (finished, edited) an override with its RECURRENCE-ID. Empty when the item cannot be read.
QByteArray withOccurrences(const QByteArray &ics, const NotesCollection &changed, const QStringList &removed,
                           const IcsExport::Options &options);

} // namespace SyncItems
