#pragma once

#include "core/IoResult.h"

#include <QByteArray>
#include <QString>

// Start with the system: the user's XDG autostart entry.
namespace Autostart {

// The entry's file inside a configuration folder ($XDG_CONFIG_HOME, usually ~/.config).
QString entryPath(const QString &configDir);

// One Exec argument as a desktop entry writes it: quoted when it holds a space or a reserved
// character, '"', '`', '$' and '\' escaped inside the quotes, '%' doubled, then the value's own
// escapes (a backslash doubled again, line breaks and tabs as \n, \r, \t).
QString execArgument(const QString &argument);

// Name=Marevo Notes, Exec=the program, Type=Application. A data folder that was named on the
// command line is named again (--data-dir), or the next login would open another folder.
QByteArray entry(const QString &executablePath, const QString &dataDir = QString());

// Writes the entry again whether or not it exists; on failure nothing is left behind and the
// error carries the system's reason.
IoResult write(const QString &configDir, const QString &executablePath, const QString &dataDir = QString());

} // namespace Autostart
