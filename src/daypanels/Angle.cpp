#include "Angle.h"

#include <cmath>

namespace {

// A whole number of degrees lands in a 16-bit field: wrap as the field would, without overflow.
quint16 toWord(double whole)
{
    return static_cast<quint16>(static_cast<qint64>(std::fmod(whole, 65536.0)));
}

class UpdateGuard
{
public:
    explicit UpdateGuard(TAngle &angle) : m_angle(angle) { m_angle.BeginUpdate(); }
    ~UpdateGuard() { m_angle.EndUpdate(); }
    UpdateGuard(const UpdateGuard &) = delete;
    UpdateGuard &operator=(const UpdateGuard &) = delete;

private:
    TAngle &m_angle;
};

} // namespace

void TAngle::SetDegrees(quint16 value)
{
    if (value == m_degrees)
        return;
    m_degrees = value % 360;
    Changed();
}

void TAngle::SetMinutes(quint16 value)
{
    if (value == m_minutes)
        return;
    if (value < 60) {
        m_minutes = value;
        Changed();
        return;
    }
    const quint16 oldMinutes = m_minutes;
    const quint64 changesBefore = m_changeCount;
    m_minutes = value % 60;
    SetDegrees(static_cast<quint16>(value / 60 + m_degrees));
    // A carry that folds back onto the same degrees must still report the new minutes.
    if (m_changeCount == changesBefore && m_minutes != oldMinutes)
        Changed();
}

void TAngle::SetSeconds(quint16 value)
{
    if (value == m_seconds)
        return;
    if (value < 60) {
        m_seconds = value;
        Changed();
        return;
    }
    const quint16 oldSeconds = m_seconds;
    const quint64 changesBefore = m_changeCount;
    m_seconds = value % 60;
    SetMinutes(static_cast<quint16>(value / 60 + m_minutes));
    if (m_changeCount == changesBefore && m_seconds != oldSeconds)
        Changed();
}

void TAngle::SetNegative(bool value)
{
    if (value == m_negative)
        return;
    m_negative = value;
    Changed();
}

void TAngle::Changed()
{
    ++m_changeCount;
    if (m_updateCount != 0) {
        m_changePending = true;
        return;
    }
    m_changePending = false;
    if (m_onChange)
        m_onChange(*this);
}

void TAngle::BeginUpdate()
{
    ++m_updateCount;
}

void TAngle::EndUpdate()
{
    // An unmatched EndUpdate would leave the count negative and swallow every later change.
    if (m_updateCount == 0)
        return;
    --m_updateCount;
    if (m_updateCount == 0 && m_changePending)
        Changed();
}

double TAngle::DecimalValue() const
{
    const double value = m_degrees + m_minutes / 60.0 + m_seconds / 3600.0;
    return m_negative ? -value : value;
}

void TAngle::SetDecimalValue(double value)
{
    if (!std::isfinite(value))
        return;
    UpdateGuard guard(*this);
    SetNegative(value < 0);
    value = std::fabs(value);
    const double whole = std::trunc(value);
    SetDegrees(toWord(whole));
    const double minutes = (value - whole) * 60.0;
    const double wholeMinutes = std::trunc(minutes);
    SetMinutes(static_cast<quint16>(wholeMinutes));
    SetSeconds(static_cast<quint16>(std::trunc((minutes - wholeMinutes) * 60.0)));
}

void TAngle::SetAngle(qint64 degrees, quint16 minutes, quint16 seconds)
{
    UpdateGuard guard(*this);
    SetNegative(degrees < 0);
    const quint64 magnitude = degrees < 0 ? 0 - static_cast<quint64>(degrees) : static_cast<quint64>(degrees);
    SetDegrees(static_cast<quint16>(magnitude));
    SetMinutes(minutes);
    SetSeconds(seconds);
}

void TAngle::Assign(const TAngle &source)
{
    SetDecimalValue(source.DecimalValue());
}

void TLatitude::SetDegrees(quint16 value)
{
    while (value > 90)
        value -= 90;
    TAngle::SetDegrees(value);
}

void TLongitude::SetDegrees(quint16 value)
{
    while (value > 180)
        value -= 180;
    TAngle::SetDegrees(value);
}
