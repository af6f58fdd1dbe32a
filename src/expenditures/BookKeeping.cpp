#include "BookKeeping.h"

#include "NextDate.h"

#include "core/Rounding.h"

#include <cmath>
#include <limits>

namespace BookKeeping {

TExpenditure makeTransaction(const NewTransaction &input, TDateTime now)
{
    TExpenditure e;
    e.IsExpenditure = input.isExpenditure;
    e.Periodicity = input.periodicity;
    e.Name = input.name;
    e.Date = input.periodicity != 0 ? CalcNextDate(input.periodicity, now) : DateTime::dateOf(input.calendarDay);
    e.Occured = false;
    const double magnitude = std::fabs(static_cast<double>(input.amount));
    // An expense of nothing stays +0: the file would keep the sign of a -0.
    e.Value = input.isExpenditure && magnitude != 0 ? -magnitude : magnitude;
    e.Type = input.type;
    return e;
}

int bookDueTransactions(ExpenditureBook &book, TDateTime now)
{
    ExpenditureCollection &list = book.Expenditures;
    const TDateTime today = DateTime::dateOf(now);
    const qsizetype count = list.size();
    int booked = 0;
    for (qsizetype i = 0; i < count; ++i) {
        if (!(list[i].Date <= today) || list[i].Occured)
            continue;
        book.AllMoney += list[i].Value;
        ++booked;
        if (list[i].Periodicity == 0) {
            list[i].Occured = true;
            continue;
        }
        TExpenditure copy = list[i];
        copy.Periodicity = 0;
        copy.Occured = true;
        list.append(copy);
        list[i].Date = CalcNextDate(list, i, now);
    }
    return booked;
}

bool UndoTransaction(ExpenditureBook &book, qsizetype position)
{
    if (position < 0 || position >= book.Expenditures.size())
        return false;
    const TExpenditure &e = book.Expenditures.at(position);
    if (e.Occured)
        book.AllMoney -= e.Value;
    book.Expenditures.removeAt(position);
    return true;
}

void SetBalance(ExpenditureBook &book, qint64 value)
{
    book.AllMoney = static_cast<double>(value);
}

std::optional<qint64> parseWholeNumber(const QString &text)
{
    qsizetype start = 0;
    if (!text.isEmpty() && (text.front() == QLatin1Char('+') || text.front() == QLatin1Char('-')))
        start = 1;
    if (start == text.size())
        return 0;
    for (qsizetype i = start; i < text.size(); ++i) {
        if (!text[i].isDigit() || text[i].unicode() > 127)
            return std::nullopt;
    }
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < -kLargestWholeNumber || value > kLargestWholeNumber)
        return std::nullopt;
    return value;
}

QString wholeNumberRefusal()
{
    return QStringLiteral("The amount must be a whole number from -%1 to %1.").arg(kLargestWholeNumber);
}

qint64 balanceFieldValue(double allMoney)
{
    if (std::isnan(allMoney))
        return 0;
    const double rounded = Rounding::halfToEven(allMoney);
    // 2^63 as a double; anything at or beyond it does not convert.
    constexpr double kLimit = 9223372036854775808.0;
    if (rounded < -kLimit)
        return std::numeric_limits<qint64>::min();
    if (rounded >= kLimit)
        return std::numeric_limits<qint64>::max();
    return static_cast<qint64>(rounded);
}

} // namespace BookKeeping
