#include "AlarmWatcher.h"

#include "core/Clock.h"

#include <QTimer>

#include <algorithm>

namespace {
constexpr int kTickMs = 500;
constexpr qint64 kCheckEveryMs = 1000;
// Longest sleep while no entry is near: a clock changed by hand is noticed within it.
constexpr int kLongestSleepMs = 10 * 1000; // an alert skipped by a clock jump or a suspend is at most this late
} // namespace

AlarmWatcher::AlarmWatcher(QObject *parent) : QObject(parent), m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("JvAlarms1"));
    m_timer->setInterval(kTickMs);
    connect(m_timer, &QTimer::timeout, this, &AlarmWatcher::tick);
}

void AlarmWatcher::setEntries(const QList<AlarmEntry> &entries)
{
    m_entries = entries;
    updateTimer();
}

TDateTime AlarmWatcher::checkedUpTo(const QDateTime &now) const
{
    // A clock set back since the last check leaves that check's time out of account.
    return m_lastCheck.isValid() && m_lastCheck <= now ? DateTime::fromQDateTime(m_lastCheck) : -qInf();
}

bool AlarmWatcher::isWatching() const
{
    return m_timer->isActive();
}

void AlarmWatcher::tick()
{
    if (m_checking)
        return;
    const QDateTime now = Clock::now();
    if (m_lastCheck.isValid() && now.date() == m_lastCheck.date()) {
        const qint64 sinceLast = m_lastCheck.msecsTo(now);
        // A clock set back counts as time passed, or checks would stall until it caught up.
        if (sinceLast >= 0 && sinceLast < kCheckEveryMs) {
            updateTimer();
            return;
        }
    }
    m_lastCheck = now;
    check(now);
}

void AlarmWatcher::check(const QDateTime &now)
{
    m_checking = true;
    // Taken out before any handler runs: a refill during a reminder cannot bring them back
    // or shift them, and entries due later stay in the list for the next check.
    const QList<AlarmEntry> due = takeDueAlarms(m_entries, DateTime::fromQDateTime(now));
    for (const AlarmEntry &entry : due)
        Q_EMIT alarm(entry);
    if (!due.isEmpty())
        Q_EMIT checkDone();
    m_checking = false;
    updateTimer();
}

void AlarmWatcher::updateTimer()
{
    if (m_entries.isEmpty()) {
        m_timer->stop();
        return;
    }
    // An organiser idle in the tray should not wake twice a second for an alert hours away:
    // the tick sleeps until the first entry falls due, within ten seconds, and never ticks faster.
    double first = qInf();
    for (const AlarmEntry &entry : m_entries)
        first = std::min(first, entry.time);
    const double untilDue = (first - Clock::nowValue()) * DateTime::kMsPerDay;
    const int interval = untilDue > kLongestSleepMs ? kLongestSleepMs
                                                    : static_cast<int>(std::max<double>(kTickMs, untilDue));
    if (!m_timer->isActive() || m_timer->remainingTime() > interval)
        m_timer->start(interval);
}

int AlarmWatcher::tickInterval() const
{
    return m_timer->isActive() ? m_timer->interval() : 0;
}
