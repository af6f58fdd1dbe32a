#pragma once

#include "Expenditure.h"

// The next due day of a monthly transaction: always a day in the month after the
// month of `date`, whatever day `date` is. Codes other than 2..5 (including the
// codes 6..255 that only an edited file can hold) fall due on day 1, so every
// template keeps moving on. A date without a calendar day (NaN, infinite, far out
// of range) comes back unchanged.
TDateTime CalcNextDate(quint8 periodicity, TDateTime date);
// With the rule of the transaction at `index` of the collection.
TDateTime CalcNextDate(const ExpenditureCollection &expenditures, qsizetype index, TDateTime date);
