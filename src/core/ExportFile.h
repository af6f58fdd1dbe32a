#pragma once

#include "IoResult.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Where an export may go. A regular file, or none yet, is replaced whole; a named pipe or a
// terminal gets the bytes straight, as a shell's redirection would; anything else is refused, so
// an export never puts a file in place of a device, a folder or a pipe.
namespace ExportFile {

// A named pipe without a reader: a command waits for one, as a shell's redirection does; a
// window must never hang, so it refuses.
enum class NoReader
{
    Wait,
    Refuse
};

IoResult write(const QString &path, const QByteArray &data, NoReader noReader);

// Refuses, before anything is written, what no export may write to: the data folder's own files
// (ownNames) and the copies kept aside (by whatever name leads to them), and what is neither a
// file, a named pipe nor a terminal.
IoResult check(const QString &path, const QString &appDir, const QStringList &ownNames);

} // namespace ExportFile
