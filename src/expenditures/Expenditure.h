#pragma once

#include "core/DateTime.h"

#include <QList>
#include <QString>

// One money transaction: single, or a monthly template that books occurred copies of itself.
struct TExpenditure
{
    QString Name;
    TDateTime Date = 0; // single: the day it takes effect; monthly: the next due day
    bool Occured = false;
    double Value = 0;       // negative for money going out
    quint8 Type = 0;        // category code
    quint8 Periodicity = 0; // 0 = single, 1..5 = monthly rules
    bool IsExpenditure = true;

    bool isMonthly() const { return Periodicity != 0; }
    bool operator==(const TExpenditure &) const = default;
};

using ExpenditureCollection = QList<TExpenditure>;

// The transactions and the balance, kept together because every operation changes both.
struct ExpenditureBook
{
    ExpenditureCollection Expenditures;
    double AllMoney = 0;

    bool operator==(const ExpenditureBook &) const = default;
};

namespace Category {

inline constexpr int kFirstExpense = 0;
inline constexpr int kLastExpense = 10;
inline constexpr int kSalary = 11;
inline constexpr int kOther = 12;
inline constexpr int kCount = 13;

struct Rgb
{
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb &) const = default;
};

// Empty for codes without a category.
QString caption(int type);
// Index into the category image list, -1 when the code has no icon.
int iconIndex(int type);
// Bar colour of an expense category (codes 0..10); black otherwise.
Rgb colour(int type);

} // namespace Category

namespace Periodicity {

inline constexpr int kSingle = 0;
inline constexpr int kFirstDay = 1;
inline constexpr int kFirstWorkingDay = 2;
inline constexpr int kSecondWorkingDay = 3;
inline constexpr int kMidMonth = 4;
inline constexpr int kLastDay = 5;
inline constexpr int kCount = 6;

// Caption of the add dialog's choice; empty for codes without a rule.
QString caption(int periodicity);

} // namespace Periodicity
