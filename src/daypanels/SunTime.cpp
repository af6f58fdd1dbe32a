#include "SunTime.h"

#include "SunMath.h"
#include "SystemTimeZone.h"

#include <cmath>

TSunTime::TSunTime(TDateTime now)
{
    const auto invalidate = [this](TAngle &) { Invalidate(); };
    m_latitude.SetOnChange(invalidate);
    m_longitude.SetOnChange(invalidate);
    m_zenithDistance.SetOnChange(invalidate);
    // The sun's upper edge on the horizon with mean refraction.
    m_zenithDistance.SetAngle(90, 50, 0);
    m_date = now;
    SetUseSysTimeZone(true);
}

void TSunTime::SetDate(TDateTime now)
{
    if (DateTime::dateOf(now) == DateTime::dateOf(m_date))
        return;
    m_date = now;
    // The new day may lie on the other side of a change to summer time.
    if (m_useSysTimeZone)
        m_timeZone = -SystemTimeZone::BiasAtLocal(m_date) / 60.0L;
    Invalidate();
}

void TSunTime::SetTimeZone(long double value)
{
    if (value == m_timeZone || !(value >= -12 && value <= 12))
        return;
    m_timeZone = value;
    m_useSysTimeZone = false;
    Invalidate();
}

void TSunTime::SetUseSysTimeZone(bool value)
{
    if (value == m_useSysTimeZone)
        return;
    m_useSysTimeZone = value;
    if (value)
        m_timeZone = -SystemTimeZone::BiasAtLocal(m_date) / 60.0L;
    // Switching off matters too: the fixed offset may differ from the rules at the event's moment.
    Invalidate();
}

TDateTime TSunTime::GetTime(int index)
{
    if (!m_valid)
        Calculate();
    switch (index) {
    case SunriseIndex:
        return m_sunrise;
    case SunsetIndex:
        return m_sunset;
    case NoonIndex:
        return m_noon;
    default:
        return 0;
    }
}

TDateTime TSunTime::toLocal(long double minutesUtc, TDateTime base) const
{
    TDateTime local = 0;
    if (m_useSysTimeZone) {
        const auto utc = static_cast<TDateTime>(base + minutesUtc / 1440.0L);
        local = utc - SystemTimeZone::BiasAtUtc(utc) / 1440.0;
    } else {
        local = static_cast<TDateTime>(base + (minutesUtc / 60.0L + m_timeZone) / 24.0L);
    }
    return std::isfinite(local) ? local : 0;
}

void TSunTime::Calculate()
{
    ++m_calculationCount;
    m_sunrise = 0;
    m_sunset = 0;
    m_noon = 0;
    m_valid = true;

    const TDateTime base = DateTime::dateOf(m_date);
    const QDate date = DateTime::toQDate(base);
    if (!date.isValid())
        return;

    const long double jd = SunMath::JulianDay(date.year(), date.month(), date.day());
    const long double latitude = m_latitude.DecimalValue();
    const long double longitude = m_longitude.DecimalValue();
    const long double zenith = m_zenithDistance.DecimalValue();

    // Each event on its own: a sunrise that never comes leaves sunset and noon standing.
    if (const auto sunrise = SunMath::EventMinutes(jd, latitude, longitude, zenith, true))
        m_sunrise = toLocal(*sunrise, base);
    if (const auto sunset = SunMath::EventMinutes(jd, latitude, longitude, zenith, false))
        m_sunset = toLocal(*sunset, base);
    const long double noon = SunMath::NoonMinutes(jd, longitude);
    if (std::isfinite(noon))
        m_noon = toLocal(noon, base);
}
