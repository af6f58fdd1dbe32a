#pragma once

#include <QDate>
#include <QDateTime>

// Dates are held as days since 30 December 1899 00:00, the fraction being the
// time of day. A negative value keeps its time of day as a positive fraction
// (-1.25 is 29 December 1899, 06:00), as the stored files expect.
using TDateTime = double;

namespace DateTime {

inline constexpr TDateTime kNoDeadline = -1.0;
inline constexpr qint64 kMsPerDay = 86400000;

QDate epoch();
TDateTime fromQDateTime(const QDateTime &value);
TDateTime fromQDate(QDate date);
// An invalid QDateTime for values outside the range QDate handles (or NaN).
QDateTime toQDateTime(TDateTime value);
QDate toQDate(TDateTime value);
// The date part (time of day cut off), as a TDateTime.
TDateTime dateOf(TDateTime value);
TDateTime encode(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int msec = 0);

} // namespace DateTime
