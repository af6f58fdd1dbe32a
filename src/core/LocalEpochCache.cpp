#include "LocalEpochCache.h"

#include <QTimeZone>

#include <cmath>

namespace {

// Far more than the days of any chart; a bound for a program that runs for months.
constexpr qsizetype kMostRemembered = 200000;

} // namespace

void LocalEpochCache::checkZone()
{
    const QByteArray zoneId = QTimeZone::systemTimeZoneId();
    if (zoneId != m_zoneId || m_msecs.size() > kMostRemembered) {
        m_msecs.clear();
        m_zoneId = zoneId;
    }
}

qint64 LocalEpochCache::msecsSinceEpoch(TDateTime local)
{
    if (std::isnan(local)) // never equal to itself, so never found again
        return DateTime::toQDateTime(local).toMSecsSinceEpoch();
    const auto found = m_msecs.constFind(local);
    if (found != m_msecs.cend())
        return *found;
    const qint64 msecs = DateTime::toQDateTime(local).toMSecsSinceEpoch();
    m_msecs.insert(local, msecs);
    return msecs;
}
