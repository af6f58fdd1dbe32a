#include "SunMath.h"

#include <cmath>

namespace SunMath {

namespace {

long double toRadians(long double degrees)
{
    return degrees * kPi / 180.0L;
}

long double toDegrees(long double radians)
{
    return radians * 180.0L / kPi;
}

long double sinDeg(long double degrees)
{
    return std::sin(toRadians(degrees));
}

long double cosDeg(long double degrees)
{
    return std::cos(toRadians(degrees));
}

long double tanDeg(long double degrees)
{
    return std::tan(toRadians(degrees));
}

} // namespace

long double JulianDay(int year, int month, int day)
{
    if (month <= 2) {
        year -= 1;
        month += 12;
    }
    const int a = year / 100;
    const int b = 2 - a + a / 4;
    return std::floor(365.25L * (year + 4716)) + std::floor(30.6001L * (month + 1)) + day + b - 1524.5L;
}

long double JulianCenturies(long double julianDay)
{
    return (julianDay - 2451545.0L) / 36525.0L;
}

SolarPosition SolarAt(long double t)
{
    SolarPosition result;
    long double l0 = 280.46646L + t * (36000.76983L + 0.0003032L * t);
    l0 = std::fmod(l0, 360.0L);
    if (l0 < 0)
        l0 += 360.0L;
    const long double ma = 357.52911L + t * (35999.05029L - 0.0001537L * t);
    const long double e = 0.016708634L - t * (0.000042037L + 0.0000001267L * t);
    const long double c = sinDeg(ma) * (1.914602L - t * (0.004817L + 0.000014L * t))
                          + sinDeg(2 * ma) * (0.019993L - 0.000101L * t) + sinDeg(3 * ma) * 0.000289L;
    const long double trueLongitude = l0 + c;
    const long double omega = 125.04L - 1934.136L * t;
    const long double lambda = trueLongitude - 0.00569L - 0.00478L * sinDeg(omega);
    const long double obliquitySeconds = 21.448L - t * (46.815L + t * (0.00059L - t * 0.001813L));
    const long double meanObliquity = 23.0L + (26.0L + obliquitySeconds / 60.0L) / 60.0L;
    const long double obliquity = meanObliquity + 0.00256L * cosDeg(omega);

    const long double y = std::pow(tanDeg(obliquity / 2), 2);
    const long double et = y * sinDeg(2 * l0) - 2 * e * sinDeg(ma) + 4 * e * y * sinDeg(ma) * cosDeg(2 * l0)
                           - 0.5L * y * y * sinDeg(4 * l0) - 1.25L * e * e * sinDeg(2 * ma);

    result.meanLongitude = l0;
    result.meanAnomaly = ma;
    result.declination = toDegrees(std::asin(sinDeg(obliquity) * sinDeg(lambda)));
    result.equationOfTime = 4.0L * toDegrees(et);
    return result;
}

std::optional<long double> HourAngle(long double latitude, long double declination, long double zenith)
{
    const long double q =
        cosDeg(zenith) / (cosDeg(latitude) * cosDeg(declination)) - tanDeg(latitude) * tanDeg(declination);
    // Also rejects NaN.
    if (!(q >= -1.0L && q <= 1.0L))
        return std::nullopt;
    return toDegrees(std::acos(q));
}

long double NoonMinutes(long double julianDay, long double longitude)
{
    const long double t = JulianCenturies(julianDay + 0.5L + longitude / 360.0L);
    return 720.0L + 4.0L * longitude - SolarAt(t).equationOfTime;
}

std::optional<long double> EventMinutes(long double julianDay, long double latitude, long double longitude,
                                        long double zenith, bool sunrise)
{
    const long double sign = sunrise ? 1.0L : -1.0L;
    long double estimate = NoonMinutes(julianDay, longitude);
    // The first pass starts from noon, the second from the first pass's result.
    for (int pass = 0; pass < 2; ++pass) {
        const SolarPosition sun = SolarAt(JulianCenturies(julianDay + estimate / 1440.0L));
        const std::optional<long double> h = HourAngle(latitude, sun.declination, zenith);
        if (!h)
            return std::nullopt;
        estimate = 720.0L + 4.0L * (longitude - sign * *h) - sun.equationOfTime;
    }
    if (!std::isfinite(estimate))
        return std::nullopt;
    return estimate;
}

} // namespace SunMath
