#include "DateTime.h"

#include <cmath>
#include <optional>

namespace DateTime {

QDate epoch()
{
    // Every conversion starts here; working out the day number once is measurably cheaper.
    static const QDate kEpoch(1899, 12, 30);
    return kEpoch;
}

TDateTime fromQDate(QDate date)
{
    return static_cast<double>(epoch().daysTo(date));
}

TDateTime fromQDateTime(const QDateTime &value)
{
    const double days = fromQDate(value.date());
    const double fraction = static_cast<double>(value.time().msecsSinceStartOfDay()) / kMsPerDay;
    return days >= 0 ? days + fraction : days - fraction;
}

namespace {

struct DayAndTime
{
    qint64 days = 0;
    int msecs = 0;
};

std::optional<DayAndTime> split(TDateTime value)
{
    if (!std::isfinite(value) || std::fabs(value) > 3.0e6)
        return std::nullopt;
    const double whole = std::trunc(value);
    double fraction = std::fabs(value - whole);
    auto msecs = static_cast<qint64>(std::llround(fraction * kMsPerDay));
    auto days = static_cast<qint64>(whole);
    if (msecs >= kMsPerDay) {
        msecs -= kMsPerDay;
        days += value >= 0 ? 1 : -1;
    }
    return DayAndTime{days, static_cast<int>(msecs)};
}

} // namespace

QDateTime toQDateTime(TDateTime value)
{
    const std::optional<DayAndTime> parts = split(value);
    if (!parts)
        return {};
    return QDateTime(epoch().addDays(parts->days), QTime::fromMSecsSinceStartOfDay(parts->msecs));
}

QDate toQDate(TDateTime value)
{
    // Without a QDateTime: no time-zone lookup for what is only a calendar day.
    const std::optional<DayAndTime> parts = split(value);
    return parts ? epoch().addDays(parts->days) : QDate();
}

TDateTime dateOf(TDateTime value)
{
    return std::trunc(value);
}

TDateTime encode(int year, int month, int day, int hour, int minute, int second, int msec)
{
    return fromQDateTime(QDateTime(QDate(year, month, day), QTime(hour, minute, second, msec)));
}

} // namespace DateTime
