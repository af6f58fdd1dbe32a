#include "SystemTimeZone.h"

#include <cmath>

namespace SystemTimeZone {

namespace {

constexpr double kUnixEpochDay = 25569.0; // 1 January 1970 as a TDateTime
constexpr double kLimitDays = 2.9e6;      // well inside what QDateTime handles

} // namespace

double BiasAtUtc(TDateTime utc)
{
    if (!std::isfinite(utc) || std::fabs(utc) > kLimitDays)
        return 0;
    const auto msecs = static_cast<qint64>(std::llround((utc - kUnixEpochDay) * DateTime::kMsPerDay));
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(msecs, Qt::LocalTime);
    return -local.offsetFromUtc() / 60.0;
}

double BiasAtLocal(TDateTime local)
{
    const QDateTime value = DateTime::toQDateTime(local);
    if (!value.isValid())
        return 0;
    return -value.offsetFromUtc() / 60.0;
}

} // namespace SystemTimeZone
