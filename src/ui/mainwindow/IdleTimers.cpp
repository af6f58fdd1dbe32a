#include "IdleTimers.h"

#include "core/Clock.h"

#include <QDateTime>
#include <QTimer>

#include <algorithm>
#include <utility>

IdleTimers::IdleTimers(std::function<void()> dayChange, std::function<void()> shownAgain, QObject *parent)
    : QObject(parent), m_dayChange(std::move(dayChange)), m_shownAgain(std::move(shownAgain)),
      m_midnight(new QTimer(this))
{
    m_midnight->setObjectName(QStringLiteral("MidnightTimer"));
    m_midnight->setSingleShot(true);
    // Coarse timers may fire up to 5 % late, which over hours would be minutes.
    m_midnight->setTimerType(Qt::PreciseTimer);
    connect(m_midnight, &QTimer::timeout, this, [this] {
        m_dayChange();
        armMidnight();
    });
}

void IdleTimers::sleep(const QList<QTimer *> &periodic, const std::function<bool(QTimer *)> &keep)
{
    if (m_asleep)
        return;
    m_asleep = true;
    m_stopped.clear();
    for (QTimer *timer : periodic) {
        if (timer->isActive() && !keep(timer)) {
            timer->stop();
            m_stopped.append(timer);
        }
    }
    armMidnight();
}

void IdleTimers::wake()
{
    if (!m_asleep)
        return;
    m_asleep = false;
    m_midnight->stop();
    for (QTimer *timer : std::as_const(m_stopped))
        timer->start();
    m_stopped.clear();
    m_shownAgain();
}

void IdleTimers::armMidnight()
{
    const QDateTime now = Clock::now();
    const QDateTime midnight(now.date().addDays(1), QTime(0, 0));
    // A second past it, so the day has surely changed when the handler looks.
    m_midnight->start(static_cast<int>(std::max<qint64>(now.msecsTo(midnight), 0) + 1000));
}
