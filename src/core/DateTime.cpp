#include "DateTime.h"

#include <cmath>

namespace DateTime {

QDate epoch()
{
    return QDate(1899, 12, 30);
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

QDateTime toQDateTime(TDateTime value)
{
    if (!std::isfinite(value) || std::fabs(value) > 3.0e6)
        return {};
    const double whole = std::trunc(value);
    double fraction = std::fabs(value - whole);
    auto msecs = static_cast<qint64>(std::llround(fraction * kMsPerDay));
    auto days = static_cast<qint64>(whole);
    if (msecs >= kMsPerDay) {
        msecs -= kMsPerDay;
        days += value >= 0 ? 1 : -1;
    }
    return QDateTime(epoch().addDays(days), QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs)));
}

QDate toQDate(TDateTime value)
{
    return toQDateTime(value).date();
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
