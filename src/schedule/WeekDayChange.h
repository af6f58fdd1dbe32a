#pragma once

#include <QDate>
#include <QTime>

// Keeps a week schedule that shows today as its first day on today across midnight; called
// every few seconds with the local time. `weekStart` and `dayChangePending` are the program's
// WeekStart and DayChangePending. Moves weekStart to the new day when it showed the old one,
// and returns true while a refresh of the notes is due (each call in the first half minute
// after midnight).
bool weekDayChangeTick(QTime timeOfDay, QDate today, QDate &weekStart, bool &dayChangePending);

// A change of day that the half-minute window above never saw (suspend, clock set forward or
// back): true when `today` is not the day of the last refresh. Moves weekStart to today when it
// showed that day, as the window would have.
bool missedDayChange(QDate today, QDate lastRefreshDay, QDate &weekStart);
