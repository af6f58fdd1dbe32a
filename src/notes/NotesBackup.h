#pragma once

#include "NotesData.h"

#include "core/ExportFile.h"
#include "core/IoResult.h"

#include <QString>

// The XML notes file: data.txt's format, always plain, written by "Export notes..." and
// read back by "Import notes..." with or without append.
namespace NotesBackup {

// The document of the notes, written atomically and unenciphered (into a named pipe or a
// terminal straight, ExportFile).
IoResult writeNotesFile(const QString &fileName, const NotesCollection &notes,
                        ExportFile::NoReader noReader = ExportFile::NoReader::Refuse);

// Reads the file and puts its notes in place of the collection's (append false)
// or after them (append true); the new notes' IDs are their positions. A file that cannot be
// read or parsed, whose count is missing (another XML file, such as settings.xml), negative or
// larger than the file could hold, changes nothing.
IoResult ReadNotes(const QString &fileName, bool append, NotesCollection &notes);

} // namespace NotesBackup
