#include "IcsTime.h"

#include <QTimeZone>

#include <cmath>

namespace IcsTime {

namespace {

// Date and clock as written, without QDateTime: a clock time inside a daylight-saving gap is kept.
TDateTime compose(QDate date, int hour, int minute, int second)
{
    const double days = DateTime::fromQDate(date);
    const double fraction = double((hour * 60 + minute) * 60 + second) * 1000.0 / double(DateTime::kMsPerDay);
    return days >= 0 ? days + fraction : days - fraction;
}

// The system's own zone, however the file names it ("Europe/Warsaw" or libical's prefixed TZID).
bool isLocalZone(icaltimezone *zone)
{
    static const QByteArray system = QTimeZone::systemTimeZoneId();
    if (system.isEmpty())
        return false;
    const auto names = [&](const char *name) {
        return name && (system == name || QByteArrayView(name).endsWith(QByteArray('/' + system)));
    };
    // One at a time: asking a built-in zone for its TZID loads it, which replaces its location text.
    if (names(icaltimezone_get_tzid(zone)))
        return true;
    return names(icaltimezone_get_location(zone));
}

} // namespace

icaltimezone *localZone()
{
    const QByteArray id = QTimeZone::systemTimeZoneId();
    if (id.isEmpty() || id == "UTC")
        return id == "UTC" ? icaltimezone_get_utc_timezone() : nullptr;
    // Built-in zones are made from the system zoneinfo on Debian; they are cached by libical.
    return icaltimezone_get_builtin_timezone(id.constData());
}

icaltimetype wallClock(TDateTime local)
{
    icaltimetype time = icaltime_null_time();
    const QDate date = DateTime::toQDate(local);
    if (!date.isValid())
        return time;
    const auto msecs = qint64(std::llround(std::fabs(local - DateTime::dateOf(local)) * double(DateTime::kMsPerDay)));
    const QTime clock = QTime::fromMSecsSinceStartOfDay(int(qMin<qint64>(msecs, DateTime::kMsPerDay - 1)));
    time.year = date.year();
    time.month = date.month();
    time.day = date.day();
    time.hour = clock.hour();
    time.minute = clock.minute();
    time.second = clock.second();
    return time;
}

QByteArray utcStamp(TDateTime local)
{
    QDateTime value = DateTime::toQDateTime(local);
    value.setTimeZone(QTimeZone::systemTimeZone());
    return value.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toLatin1();
}

icaltimetype fromUtcStamp(const QString &stamp)
{
    const QByteArray bytes = stamp.toLatin1();
    icaltimetype time = icaltime_from_string(bytes.constData());
    return icaltime_is_valid_time(time) ? time : icaltime_null_time();
}

TDateTime toLocal(const icaltimetype &time, icaltimezone *zone)
{
    if (icaltime_is_null_time(time) || !icaltime_is_valid_time(time) || time.year < 1 || time.year > 9999 ||
        time.month < 1 || time.month > 12 || time.day < 1 || time.day > 31)
        return std::nan("");
    const QDate date(time.year, time.month, time.day);
    if (!date.isValid())
        return std::nan("");
    if (time.is_date)
        return DateTime::fromQDate(date);
    if (zone && isLocalZone(zone))
        zone = nullptr; // wall-clock as written, also a clock time that daylight saving skips
    if (icaltime_is_utc(time) || zone) {
        icaltimezone *from = icaltime_is_utc(time) ? icaltimezone_get_utc_timezone() : zone;
        const time_t moment = icaltime_as_timet_with_zone(time, from);
        const QDateTime local = QDateTime::fromSecsSinceEpoch(qint64(moment), Qt::LocalTime);
        return compose(local.date(), local.time().hour(), local.time().minute(), local.time().second());
    }
    return compose(date, qBound(0, time.hour, 23), qBound(0, time.minute, 59), qBound(0, time.second, 59));
}

} // namespace IcsTime
