#include "WeekDayChange.h"

bool weekDayChangeTick(QTime timeOfDay, QDate today, QDate &weekStart, bool &dayChangePending)
{
    if (timeOfDay.hour() == 23 && timeOfDay.minute() == 59 && timeOfDay.second() >= 53 && today == weekStart)
        dayChangePending = true;
    if (timeOfDay.hour() == 0 && timeOfDay.minute() == 0 && timeOfDay.second() < 30) {
        if (dayChangePending)
            weekStart = today;
        dayChangePending = false;
        return true;
    }
    return false;
}

bool missedDayChange(QDate today, QDate lastRefreshDay, QDate &weekStart)
{
    if (today == lastRefreshDay)
        return false;
    if (weekStart == lastRefreshDay)
        weekStart = today;
    return true;
}
