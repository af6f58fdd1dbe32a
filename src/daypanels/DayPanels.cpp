#include "DayPanels.h"

#include "SunTime.h"

#include "core/Rounding.h"

#include <cmath>

namespace {

QString timeText(double dayFraction, const LocaleFormats &formats)
{
    return formats.formatTime(DateTime::toQDateTime(dayFraction).time());
}

// The custom panel's three-way split: from `first` to `second` is the inside phase, the rest of
// the day (wrapping over midnight) the outside one.
struct PhaseResult
{
    DayPhase phase;
    double percent;
    double left;
};

PhaseResult splitDay(double first, double second, double now)
{
    if (!(second < now) && !(first > now))
        return {DayPhase::Inside, (now - first) / (second - first) * 100.0, second - now};
    const double outside = (1.0 - second) + first;
    if (second > now && first > now)
        return {DayPhase::BeforeStart, ((1.0 - second) + now) / outside * 100.0, first - now};
    return {DayPhase::AfterEnd, (now - second) / outside * 100.0, (first + 1.0) - now};
}

// The share of a turn from one time of day forward to another, in [0, 1).
double forward(double from, double to)
{
    const double turn = to - from;
    return turn - std::floor(turn);
}

// The sun's day runs from sunrise forward to sunset, also when that sunset comes after midnight
// or that sunrise before it (high latitudes, clocks far from the sun): a sunset belongs to the day
// it ends. The night is the rest of the turn; at equal times of day (no sunrise or sunset) it is
// the whole turn, counted from midnight.
PhaseResult splitSunDay(double sunrise, double sunset, double now)
{
    const double daylight = forward(sunrise, sunset);
    const double sinceSunrise = forward(sunrise, now);
    if (sinceSunrise <= daylight)
        return {DayPhase::Inside, sinceSunrise / daylight * 100.0, forward(now, sunset)};
    const DayPhase phase = sunset <= now ? DayPhase::AfterEnd : DayPhase::BeforeStart;
    return {phase, forward(sunset, now) / (1.0 - daylight) * 100.0, forward(now, sunrise)};
}

void applyBar(ProgressPanelView &view, const PhaseResult &result, bool showText, int previousBarValue)
{
    view.phase = result.phase;
    view.percent = result.percent;
    const std::optional<int> value = barPercent(result.percent);
    view.barValueSet = value.has_value();
    view.barValue = value.value_or(previousBarValue);
    view.barText = showText ? timeLeftText(result.left) : QString();
}

} // namespace

ProgressBarColours progressBarColours()
{
    return {QStringLiteral("white"), QStringLiteral("gray"), QStringLiteral("black"), QStringLiteral("green"),
            QStringLiteral("yellow")};
}

QString progressFormCaption(int percent)
{
    return QStringLiteral("Progress...[") + QString::number(percent) + QStringLiteral("%]");
}

ProgressPanelView sunPanelInitialView()
{
    ProgressPanelView view;
    view.leftLabel = QStringLiteral("Sunrise");
    view.rightLabel = QStringLiteral("Sunset");
    view.barText = progressFormCaption(0);
    return view;
}

ProgressPanelView customPanelInitialView()
{
    ProgressPanelView view;
    view.leftLabel = QStringLiteral("n/a");
    view.rightLabel = QStringLiteral("n/a");
    view.barText = progressFormCaption(0);
    return view;
}

double timeOfDay(TDateTime value)
{
    if (!std::isfinite(value))
        return 0;
    return std::fabs(value - std::trunc(value));
}

QString timeLeftText(double duration)
{
    if (!std::isfinite(duration) || std::fabs(duration) > 1.0e6)
        duration = 0;
    // Rounded to the millisecond first, like any DateTime shown as a time.
    const qint64 msecs = std::llabs(std::llround(duration * DateTime::kMsPerDay)) % DateTime::kMsPerDay;
    const qint64 hours = msecs / 3600000;
    const qint64 minutes = msecs / 60000 % 60;
    return QStringLiteral("%1:%2").arg(hours, 2, 10, QLatin1Char('0')).arg(minutes, 2, 10, QLatin1Char('0'));
}

std::optional<int> barPercent(double percent)
{
    // NaN (zero over zero at the very instant a phase both starts and ends) keeps the bar too.
    if (!(percent > -1.0 && percent < 101.0))
        return std::nullopt;
    const double rounded = Rounding::halfToEven(percent);
    if (rounded < 0.0 || rounded > 100.0)
        return std::nullopt;
    return static_cast<int>(rounded);
}

ProgressPanelView sunPanelStep(TDateTime sunrise, TDateTime sunset, TDateTime now, bool showText,
                               const LocaleFormats &formats, int previousBarValue)
{
    const double r = timeOfDay(sunrise);
    const double s = timeOfDay(sunset);
    const PhaseResult result = splitSunDay(r, s, timeOfDay(now));
    ProgressPanelView view;
    if (result.phase == DayPhase::Inside) {
        view.leftLabel = QStringLiteral(" Sunrise ") + timeText(r, formats);
        view.rightLabel = QStringLiteral("Sunset ") + timeText(s, formats) + QStringLiteral("  ");
    } else {
        view.rightLabel = QStringLiteral("Sunrise ") + timeText(r, formats) + QStringLiteral("  ");
        view.leftLabel = QStringLiteral(" Sunset ") + timeText(s, formats);
    }
    applyBar(view, result, showText, previousBarValue);
    return view;
}

ProgressPanelView customPanelStep(TDateTime start, TDateTime end, TDateTime now, bool showText,
                                  const LocaleFormats &formats, int previousBarValue)
{
    const double a = timeOfDay(start);
    const double b = timeOfDay(end);
    const PhaseResult result = splitDay(a, b, timeOfDay(now));
    ProgressPanelView view;
    if (result.phase == DayPhase::Inside) {
        view.leftLabel = QStringLiteral("  ") + timeText(a, formats);
        view.rightLabel = QStringLiteral(" ") + timeText(b, formats) + QStringLiteral("  ");
    } else {
        view.rightLabel = timeText(a, formats) + QStringLiteral("  ");
        view.leftLabel = QStringLiteral(" ") + timeText(b, formats);
    }
    applyBar(view, result, showText, previousBarValue);
    return view;
}

void feedPlace(TSunTime &sun, const SunPlace &place)
{
    // Settings values go into the 16-bit fields as they are; the angle writers fold them into range.
    TLatitude &latitude = sun.Latitude();
    latitude.SetDegrees(static_cast<quint16>(place.latDeg));
    latitude.SetMinutes(static_cast<quint16>(place.latMin));
    latitude.SetSeconds(0);
    latitude.SetDir(place.latNorth ? TLatitudeDir::dNorth : TLatitudeDir::dSouth);
    TLongitude &longitude = sun.Longitude();
    longitude.SetDegrees(static_cast<quint16>(place.lonDeg));
    longitude.SetMinutes(static_cast<quint16>(place.lonMin));
    longitude.SetSeconds(0);
    longitude.SetDir(place.lonEast ? TLongitudeDir::dEast : TLongitudeDir::dWest);
}

ClockPanelMode clockPanelMode(bool clockType)
{
    return clockType ? ClockPanelMode{true, 80} : ClockPanelMode{false, 50};
}

ZoneClockView zoneClock(TDateTime now, double shiftHours)
{
    if (!std::isfinite(shiftHours))
        shiftHours = 0;
    QTime time = DateTime::toQDateTime(now + shiftHours / 24.0).time();
    if (!time.isValid())
        time = QTime(0, 0);
    return clockFace(time);
}

ZoneClockView clockFace(QTime time)
{
    ZoneClockView view;
    view.time = time;
    view.hourHandDegrees = (time.hour() % 12) * 30.0 + time.minute() * 0.5;
    view.minuteHandDegrees = time.minute() * 6.0;
    view.digitalText = time.toString(QStringLiteral("HH:mm"));
    return view;
}

std::array<QString, 3> zoneClockInitialCaptions()
{
    return {QStringLiteral("T1"), QStringLiteral("Local Time"), QStringLiteral("T2")};
}
