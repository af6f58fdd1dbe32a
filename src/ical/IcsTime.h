#pragma once

#include "core/DateTime.h"

#include <libical/ical.h>

#include <QByteArray>
#include <QString>

// Between the program's local date-times and libical's times, and the small RAII helpers the
// calendar code needs around libical's C API.
namespace IcsTime {

// The system zone as libical knows it (from the system zoneinfo), or null when the system zone
// has no IANA name that libical finds: times are then written floating.
icaltimezone *localZone();

// A local deadline as wall-clock fields (zone left unset: the caller adds TZID or writes floating).
icaltimetype wallClock(TDateTime local);
// "yyyyMMddTHHmmssZ" for a moment given as local TDateTime.
QByteArray utcStamp(TDateTime local);
icaltimetype fromUtcStamp(const QString &stamp);

// The local date-time a calendar time means: a DATE is that day at 00:00; UTC and zoned
// times are converted to the system zone; floating times are taken as they read.
// NaN for a time libical could not read.
TDateTime toLocal(const icaltimetype &time, icaltimezone *zone);

struct ComponentDeleter
{
    void operator()(icalcomponent *component) const { icalcomponent_free(component); }
};

} // namespace IcsTime
