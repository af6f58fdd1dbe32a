#pragma once

#include "IoResult.h"

#include <QString>

namespace AppDir {

// The data folder: the one given on the command line; else the executable's
// folder when it is writable and not a system folder such as /usr/bin (portable use); else
// the user's data location.
// Always ends with "/". Created when missing.
QString resolve(const QString &commandLineDir, const QString &executableDir, QString *error);

} // namespace AppDir
