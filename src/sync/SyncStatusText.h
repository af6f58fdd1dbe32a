#pragma once

#include "SyncState.h"

#include <QDateTime>
#include <QString>

// What the status bar says about sync. Progress shows only for a sync of many items (a first one),
// where a count helps; a short one just says it runs.
namespace SyncStatusText {

inline constexpr int kProgressFrom = 50;

struct Progress
{
    bool running = false;
    int done = 0;
    int total = 0;
};

// now and the state's times are compared in local time; "HH:mm" today, the date before it otherwise.
QString text(const SyncState &state, const Progress &progress, const QDateTime &now);
QString when(const QDateTime &moment, const QDateTime &now);

} // namespace SyncStatusText
