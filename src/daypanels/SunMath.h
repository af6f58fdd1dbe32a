#pragma once

#include <optional>

// Low-precision solar position (mean longitude, mean anomaly, equation of centre,
// nutation and obliquity terms). Angles in degrees, times in minutes after 0 h UTC.
namespace SunMath {

inline constexpr long double kPi = 3.1415926535897932385L;

struct SolarPosition
{
    long double meanLongitude = 0;  // reduced into [0, 360)
    long double meanAnomaly = 0;    // not reduced
    long double declination = 0;    // degrees
    long double equationOfTime = 0; // minutes
};

// Julian day at 0 h of the given calendar date.
long double JulianDay(int year, int month, int day);
// Julian centuries from J2000.
long double JulianCenturies(long double julianDay);
SolarPosition SolarAt(long double centuries);

// Unsigned hour angle at which the sun's centre stands at the zenith distance; nullopt when it never does
// that day (polar day or night) or the arithmetic breaks down.
std::optional<long double> HourAngle(long double latitude, long double declination, long double zenith);

// Solar noon at a longitude (west positive).
long double NoonMinutes(long double julianDay, long double longitude);

// Sunrise or sunset, refined once at the first estimate; nullopt when the event does not happen.
std::optional<long double> EventMinutes(long double julianDay, long double latitude, long double longitude,
                                        long double zenith, bool sunrise);

} // namespace SunMath
