#pragma once

#include "core/DateTime.h"

// The system's time-zone rules, daylight saving included, as a bias: the minutes to add to local
// time to get UTC (local = UTC - bias). Read from the C library each time, so a changed TZ applies.
namespace SystemTimeZone {

// Bias in force at a UTC moment.
double BiasAtUtc(TDateTime utc);
// Bias in force at a local date and time (in a gap or overlap, whichever the system picks).
double BiasAtLocal(TDateTime local);

} // namespace SystemTimeZone
