#pragma once

#include <QtGlobal>

#include <functional>

// An angle as degrees, minutes and seconds with a sign. Every write that really
// changes the value notifies the owner, at most once per BeginUpdate/EndUpdate
// batch, so the owner can drop results computed from the old value.
class TAngle
{
public:
    using TChangeEvent = std::function<void(TAngle &)>;

    TAngle() = default;
    virtual ~TAngle() = default;
    TAngle(const TAngle &) = delete;
    TAngle &operator=(const TAngle &) = delete;

    quint16 Degrees() const { return m_degrees; }
    quint16 Minutes() const { return m_minutes; }
    quint16 Seconds() const { return m_seconds; }
    bool Negative() const { return m_negative; }
    int UpdateCount() const { return m_updateCount; }
    bool ChangePending() const { return m_changePending; }

    // Subclasses fold the value into their range first, then call this rule.
    virtual void SetDegrees(quint16 value);
    // 60 or more carries into the next larger unit through its writer.
    void SetMinutes(quint16 value);
    void SetSeconds(quint16 value);
    void SetNegative(bool value);

    void SetOnChange(TChangeEvent handler) { m_onChange = std::move(handler); }

    void BeginUpdate();
    void EndUpdate();

    double DecimalValue() const;
    // Whole parts are cut toward zero; a non-finite value is ignored.
    void SetDecimalValue(double value);
    void SetAngle(qint64 degrees, quint16 minutes, quint16 seconds);
    void Assign(const TAngle &source);

protected:
    void Changed();

private:
    quint16 m_degrees = 0;
    quint16 m_minutes = 0;
    quint16 m_seconds = 0;
    bool m_negative = false;
    int m_updateCount = 0;
    bool m_changePending = false;
    quint64 m_changeCount = 0; // lets a carry tell whether the degrees write already notified
    TChangeEvent m_onChange;
};

enum class TLatitudeDir { dNorth = 0, dSouth = 1 };
enum class TLongitudeDir { dWest = 0, dEast = 1 };

// North positive, south negative; degrees fold into 0..90.
class TLatitude final : public TAngle
{
public:
    void SetDegrees(quint16 value) override;
    TLatitudeDir Dir() const { return Negative() ? TLatitudeDir::dSouth : TLatitudeDir::dNorth; }
    void SetDir(TLatitudeDir value) { SetNegative(value == TLatitudeDir::dSouth); }
};

// West positive, east negative, as the sun formulas expect; degrees fold into 0..180.
class TLongitude final : public TAngle
{
public:
    void SetDegrees(quint16 value) override;
    TLongitudeDir Dir() const { return Negative() ? TLongitudeDir::dEast : TLongitudeDir::dWest; }
    void SetDir(TLongitudeDir value) { SetNegative(value == TLongitudeDir::dEast); }
};

// Distance of the sun's centre from the zenith at the event.
class TZenith final : public TAngle
{
};
