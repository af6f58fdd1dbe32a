#pragma once

#include "NotesData.h"

#include "core/IoResult.h"
#include "core/KeyValueXmlFile.h"

#include <QByteArray>
#include <QStringList>

// data.txt and notepad.txt.
namespace NotesFile {

// Reads notes from a loaded store. A negative count, or a count beyond what the
// file could hold, is refused before anything is allocated; notes stays untouched then.
IoResult readNotes(const TKeyValueXmlFile &store, NotesCollection *notes);

// Loads data.txt's plain bytes into the store and reads the notes from it.
IoResult parseNotes(const QByteArray &plain, TKeyValueXmlFile &store, NotesCollection *notes);
// NumberOfNotes and six keys per note, in the stored order, under the root element the
// last file read had (a hand-edited file keeps its name).
QByteArray notesData(const NotesCollection &notes, const QString &rootName = QStringLiteral("Configuration"));

QStringList parseNotepad(const QByteArray &plain);
QByteArray notepadData(const QStringList &lines);

} // namespace NotesFile
