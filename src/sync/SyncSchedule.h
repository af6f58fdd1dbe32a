#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// When the next sync is due: at start, a few seconds after a change to the notes (one sync for a
// burst of edits), every N minutes, and at once on request; after a failure the next try waits
// longer each time, and changes made meanwhile wait for it. Knows nothing of the network: the
// caller reports begin and end and runs a sync when nextDue() has come.
class SyncSchedule
{
public:
    static constexpr qint64 kChangeDelayMs = 5'000;
    static constexpr qint64 kFirstRetryMs = 30'000;
    static constexpr qint64 kLongestRetryMs = 60 * 60'000;

    // minutes between syncs; 0: none on a period.
    void setInterval(int minutes, const QDateTime &now);
    void programStarted(const QDateTime &now);
    void notesChanged(const QDateTime &now);
    void requested(const QDateTime &now);

    void syncBegan();
    void syncEnded(bool ok, const QDateTime &now);

    bool isRunning() const { return m_running; }
    int failuresInARow() const { return m_failures; }
    // Empty while a sync runs or nothing is due; may lie in the past (then: sync now).
    std::optional<QDateTime> nextDue() const;

private:
    void dueNoLaterThan(const QDateTime &when);
    std::optional<QDateTime> periodic(const QDateTime &from) const;

    int m_intervalMinutes = 15;
    bool m_running = false;
    bool m_changedWhileRunning = false;
    bool m_requestedWhileRunning = false;
    int m_failures = 0;
    std::optional<QDateTime> m_due;
    std::optional<QDateTime> m_retryAt; // after a failure nothing but a request comes sooner
};
