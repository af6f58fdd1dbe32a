#include "SyncSchedule.h"

#include <algorithm>

void SyncSchedule::setInterval(int minutes, const QDateTime &now)
{
    m_intervalMinutes = std::max(0, minutes);
    if (!m_running && !m_failures)
        m_due = periodic(now);
}

void SyncSchedule::programStarted(const QDateTime &now)
{
    requested(now);
}

void SyncSchedule::notesChanged(const QDateTime &now)
{
    if (m_running) {
        m_changedWhileRunning = true;
        return;
    }
    dueNoLaterThan(now.addMSecs(kChangeDelayMs));
}

void SyncSchedule::requested(const QDateTime &now)
{
    if (m_running) {
        m_requestedWhileRunning = true;
        return;
    }
    m_retryAt.reset();
    m_due = now;
}

void SyncSchedule::syncBegan()
{
    m_running = true;
    m_changedWhileRunning = false;
    m_requestedWhileRunning = false;
    m_due.reset();
}

void SyncSchedule::syncEnded(bool ok, const QDateTime &now)
{
    m_running = false;
    m_due.reset();
    m_retryAt.reset();
    if (ok) {
        m_failures = 0;
        m_due = periodic(now);
    } else {
        ++m_failures;
        const int doublings = std::min(m_failures - 1, 16);
        const qint64 wait = std::min(kFirstRetryMs << doublings, kLongestRetryMs);
        m_retryAt = now.addMSecs(wait);
        m_due = m_retryAt;
    }
    if (m_requestedWhileRunning)
        requested(now);
    else if (m_changedWhileRunning)
        notesChanged(now);
    m_changedWhileRunning = m_requestedWhileRunning = false;
}

std::optional<QDateTime> SyncSchedule::nextDue() const
{
    if (m_running)
        return std::nullopt;
    return m_due;
}

void SyncSchedule::dueNoLaterThan(const QDateTime &when)
{
    // A server that failed is not asked again before its retry time, whatever the user edits.
    const QDateTime at = m_retryAt ? std::max(when, *m_retryAt) : when;
    if (!m_due || at < *m_due)
        m_due = at;
}

std::optional<QDateTime> SyncSchedule::periodic(const QDateTime &from) const
{
    if (m_intervalMinutes <= 0)
        return std::nullopt;
    return from.addSecs(qint64(m_intervalMinutes) * 60);
}
