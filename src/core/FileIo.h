#pragma once

#include "IoResult.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace FileIo {

// Larger files are not data files of ours; refusing them keeps memory bounded.
inline constexpr qint64 kMaxDataFileSize = 256 * 1024 * 1024;

// Reads a regular file only: a named pipe or a device in a file's place could block or never end.
IoResult readFile(const QString &path, QByteArray *data, qint64 maxSize = kMaxDataFileSize);

// What stands at `path` when it is not a regular file ("a folder", "a named pipe", "a socket",
// "a device"), symbolic links followed; empty for a regular file or nothing at all.
QString nonFileKind(const QString &path);

enum class Permissions { OwnerOnly, Default };

// Writes beside the target and renames over it, so a crash or a full disk
// leaves either the old file or the new one, never a truncated mix. Refuses to
// replace what is not a regular file.
IoResult writeFileAtomically(const QString &path, const QByteArray &data,
                             Permissions permissions = Permissions::OwnerOnly);

// Renames an unreadable file to NAME.unreadable-YYYYMMDD-HHMMSS so no save
// overwrites it. Returns the new path, or an empty string when the rename failed.
QString keepAside(const QString &path, const QDateTime &now);

} // namespace FileIo
