#pragma once

#include "NotesData.h"

#include "core/ExportFile.h"
#include "core/IoResult.h"
#include "core/LocaleFormats.h"

#include <QByteArray>
#include <QString>

// The semicolon-separated export for spreadsheets: CR LF lines, no quoting.
namespace NotesCsv {

QString header(); // "Due;Name;% done;Importance;Location;Private?"

// Date, a blank and the time, or the date alone at midnight; "n/a" without deadline.
QString dueText(TDateTime deadline, const LocaleFormats &formats);
// The text with every ";", CR and LF removed, so a field never breaks the line or the columns.
QString fieldText(const QString &text);
QString line(const TNotesData &note, const LocaleFormats &formats);

// The whole file: header, one line per note in collection order, Latin-1 unless a
// character needs UTF-8 (then with a byte-order mark).
QByteArray csvData(const NotesCollection &notes, const LocaleFormats &formats);

// Replaces the file as a whole: a failed write leaves the old file, never a cut-off export.
// A named pipe or a terminal gets the bytes straight (ExportFile).
IoResult ExportDataToCSV(const QString &fileName, const NotesCollection &notes, const LocaleFormats &formats,
                         ExportFile::NoReader noReader = ExportFile::NoReader::Refuse);

} // namespace NotesCsv
