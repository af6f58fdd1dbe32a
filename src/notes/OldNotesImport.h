#pragma once

#include "NotesData.h"

#include "core/IoResult.h"

#include <QByteArray>
#include <QString>

// The plain-text notes of older versions: per line the deadline (days since 30 December 1899,
// "." as decimal separator, -1 for none), the importance, the percentage and the private flag
// as numbers, one separator character, and the rest of the line as the text. Blanks and line
// ends before each number are skipped, as plain-text number reading does.
namespace OldNotesImport {

struct Result
{
    NotesCollection notes; // those read before a failure, IDs from 0
    IoResult status;       // the failure says which line and why
    int failedLine = 0;    // 1-based; 0 when every line was read
};

Result parse(const QByteArray &data);

// Adds the file's notes after the existing ones, IDs = their positions. When a line cannot
// be read, the notes of the lines before it are added all the same and the error names it.
IoResult appendFromFile(const QString &fileName, NotesCollection &notes);

} // namespace OldNotesImport
