#include "SyncStatusText.h"

namespace SyncStatusText {

QString when(const QDateTime &moment, const QDateTime &now)
{
    const QDateTime local = moment.toLocalTime();
    if (local.date() == now.toLocalTime().date())
        return local.toString(QStringLiteral("HH:mm"));
    return local.toString(QStringLiteral("HH:mm dd-MM-yyyy"));
}

QString text(const SyncState &state, const Progress &progress, const QDateTime &now)
{
    if (progress.running) {
        if (progress.total >= kProgressFrom)
            return QStringLiteral("Syncing: %1 of %2").arg(progress.done).arg(progress.total);
        return QStringLiteral("Syncing...");
    }
    const QString last = state.lastSuccess.isValid()
                             ? QStringLiteral("Last synced at %1.").arg(when(state.lastSuccess, now))
                             : QStringLiteral("Never synced.");
    if (!state.lastError.isEmpty())
        return QStringLiteral("Sync failed: %1 %2").arg(state.lastError, last);
    if (state.lastSuccess.isValid())
        return QStringLiteral("Synced at %1").arg(when(state.lastSuccess, now));
    return QString();
}

} // namespace SyncStatusText
