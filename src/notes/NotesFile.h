#pragma once

#include "NotesData.h"

#include "core/IoResult.h"

#include <QByteArray>
#include <QStringList>

// data.txt and notepad.txt.
namespace NotesFile {

// data.txt without a count holds no note; a file to import without one is some other file.
enum class CountKey
{
    MayBeMissing,
    Required
};

// The notes of data.txt's plain bytes, and the name of its root element. A negative count, or a
// count beyond what the file could hold, is refused before anything is allocated; so is a file
// without a count when it is required. notes stays untouched on any failure.
IoResult parseNotes(const QByteArray &plain, NotesCollection *notes, QString *rootName = nullptr,
                    CountKey countKey = CountKey::MayBeMissing);
// NumberOfNotes and six keys per note, in the stored order, under the root element the
// last file read had (a hand-edited file keeps its name).
QByteArray notesData(const NotesCollection &notes, const QString &rootName = QStringLiteral("Configuration"));

QStringList parseNotepad(const QByteArray &plain);
QByteArray notepadData(const QStringList &lines);

} // namespace NotesFile
