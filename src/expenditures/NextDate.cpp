#include "NextDate.h"

namespace {

bool isWorkingDay(QDate day)
{
    return day.dayOfWeek() <= 5;
}

int dueDay(quint8 periodicity, QDate firstOfMonth)
{
    switch (periodicity) {
    case Periodicity::kFirstWorkingDay:
        for (int day = 1; day <= 3; ++day) {
            if (isWorkingDay(firstOfMonth.addDays(day - 1)))
                return day;
        }
        return 3;
    case Periodicity::kSecondWorkingDay: {
        int seen = 0;
        for (int day = 1; day <= 4; ++day) {
            if (isWorkingDay(firstOfMonth.addDays(day - 1)) && ++seen == 2)
                return day;
        }
        return 4;
    }
    case Periodicity::kMidMonth:
        return 15;
    case Periodicity::kLastDay:
        return firstOfMonth.daysInMonth();
    default:
        return 1;
    }
}

} // namespace

TDateTime CalcNextDate(quint8 periodicity, TDateTime date)
{
    const QDate given = DateTime::toQDate(date);
    if (!given.isValid())
        return date;
    const QDate firstOfNext = QDate(given.year(), given.month(), 1).addMonths(1);
    if (!firstOfNext.isValid())
        return date;
    return DateTime::fromQDate(firstOfNext.addDays(dueDay(periodicity, firstOfNext) - 1));
}

TDateTime CalcNextDate(const ExpenditureCollection &expenditures, qsizetype index, TDateTime date)
{
    return CalcNextDate(expenditures.at(index).Periodicity, date);
}
