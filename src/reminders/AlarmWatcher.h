#pragma once

#include "Alarms.h"

#include <QDateTime>
#include <QObject>

class QTimer;

// The alarm list and its watcher: a tick of at least 500 ms checks at most once per second of
// clock time and fires every due entry once, last entry first. While no entry is near, the tick
// sleeps until the first one falls due (a minute at most). A check never starts while another one
// runs, which is the case while the handler of an alarm shows its reminder.
class AlarmWatcher final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AlarmWatcher)

public:
    explicit AlarmWatcher(QObject *parent = nullptr);

    // The list anew (every refresh, built from entries() and checkedUpTo()). Safe while a check
    // runs: that check holds the entries it took and fires them from their own copies of the notes.
    void setEntries(const QList<AlarmEntry> &entries);
    const QList<AlarmEntry> &entries() const { return m_entries; }
    // Alerts due this early have been taken by a check; -infinity before the first one.
    TDateTime checkedUpTo(const QDateTime &now) const;
    bool isChecking() const { return m_checking; }
    // The tick runs only while the list holds entries.
    bool isWatching() const;

    // The tick.
    void tick();
    // Milliseconds between ticks as now scheduled; 0 while not watching.
    int tickInterval() const;

Q_SIGNALS:
    // An entry is due; it is already out of the list.
    void alarm(const AlarmEntry &entry);
    // Every due entry of a check has been handed out (still inside the check).
    void checkDone();

private:
    void check(const QDateTime &now);
    void updateTimer();

    QTimer *m_timer = nullptr;
    QList<AlarmEntry> m_entries;
    QDateTime m_lastCheck;
    bool m_checking = false;
};
