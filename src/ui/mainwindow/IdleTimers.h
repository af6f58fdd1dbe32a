#pragma once

#include <QList>
#include <QObject>

#include <functional>

class QTimer;

// While nothing shows what the window's periodic timers update (hidden in the tray or minimised), they
// stop, and one single-shot timer wakes the program at the next midnight for the day change. The alarm
// list keeps its own wake-up for the next alert, and saves schedule their own.
class IdleTimers final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(IdleTimers)

public:
    // `dayChange` runs at each midnight while asleep, `shownAgain` once the window shows again.
    IdleTimers(std::function<void()> dayChange, std::function<void()> shownAgain, QObject *parent);

    // Stops every active timer of `periodic` except those `keep` keeps running (one whose results stay
    // on show elsewhere).
    void sleep(const QList<QTimer *> &periodic, const std::function<bool(QTimer *)> &keep);
    // Starts again what sleep() stopped.
    void wake();
    bool isAsleep() const { return m_asleep; }
    // "MidnightTimer": single-shot, active only while asleep.
    QTimer *midnightTimer() const { return m_midnight; }

private:
    void armMidnight();

    std::function<void()> m_dayChange;
    std::function<void()> m_shownAgain;
    QTimer *m_midnight = nullptr;
    QList<QTimer *> m_stopped;
    bool m_asleep = false;
};
