#pragma once

#include "Angle.h"
#include "core/DateTime.h"

// Sunrise, sunset and solar noon in local time for a place and a date, at first
// the date the component was made on. Results are computed on first reading after
// a change and then kept; an event the sun does not reach that day reads 0.
class TSunTime final
{
public:
    enum TimeIndex { SunriseIndex = 1, SunsetIndex = 2, NoonIndex = 3 };

    explicit TSunTime(TDateTime now);
    TSunTime(const TSunTime &) = delete;
    TSunTime &operator=(const TSunTime &) = delete;

    TDateTime Date() const { return m_date; }
    // Only another day makes the times be computed anew, so a running program may pass every "now".
    void SetDate(TDateTime now);

    // Hours east of UTC, used when UseSysTimeZone is off. Values outside -12..12 are ignored;
    // an accepted value switches UseSysTimeZone off.
    long double TimeZone() const { return m_timeZone; }
    void SetTimeZone(long double value);
    bool UseSysTimeZone() const { return m_useSysTimeZone; }
    // Switching on takes TimeZone from the system's offset at Date.
    void SetUseSysTimeZone(bool value);

    TLatitude &Latitude() { return m_latitude; }
    TLongitude &Longitude() { return m_longitude; }
    TZenith &ZenithDistance() { return m_zenithDistance; }
    const TLatitude &Latitude() const { return m_latitude; }
    const TLongitude &Longitude() const { return m_longitude; }
    const TZenith &ZenithDistance() const { return m_zenithDistance; }
    void SetLatitude(const TAngle &source) { m_latitude.Assign(source); }
    void SetLongitude(const TAngle &source) { m_longitude.Assign(source); }
    void SetZenithDistance(const TAngle &source) { m_zenithDistance.Assign(source); }

    TDateTime Sunrise() { return GetTime(SunriseIndex); }
    TDateTime Sunset() { return GetTime(SunsetIndex); }
    TDateTime Noon() { return GetTime(NoonIndex); }
    // 1 sunrise, 2 sunset, 3 noon; any other index reads 0.
    TDateTime GetTime(int index);

    bool Valid() const { return m_valid; }
    void Invalidate() { m_valid = false; }
    void Calculate();
    // How often Calculate ran, so callers can see results are reused.
    int CalculationCount() const { return m_calculationCount; }

private:
    TDateTime toLocal(long double minutesUtc, TDateTime base) const;

    TDateTime m_date = 0;
    long double m_timeZone = 0;
    bool m_useSysTimeZone = false;
    TLatitude m_latitude;
    TLongitude m_longitude;
    TZenith m_zenithDistance;
    TDateTime m_sunrise = 0;
    TDateTime m_sunset = 0;
    TDateTime m_noon = 0;
    bool m_valid = false;
    int m_calculationCount = 0;
};
