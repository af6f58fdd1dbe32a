#pragma once

#include "DateTime.h"

#include <QByteArray>
#include <QHash>

// Milliseconds since the epoch of local date-times, remembered. The C library looks at
// /etc/localtime on every local-time conversion (to notice a change of zone), and a chart
// of five years of days made that a third of a refresh. What is remembered is dropped when
// the system's zone has changed since the last check.
class LocalEpochCache
{
public:
    // Once before a batch of conversions: costs a look at the zone, as one conversion does.
    void checkZone();
    qint64 msecsSinceEpoch(TDateTime local);

private:
    QByteArray m_zoneId;
    QHash<TDateTime, qint64> m_msecs;
};
