#pragma once

#include "Expenditure.h"

// Stable sorts by Date with the result of repeated neighbour swapping: a pair is
// swapped only when strictly out of order, so equal dates keep their order and a
// NaN date, which compares false with everything, never moves; the transactions
// between two NaN dates are sorted among themselves.
void sortByDateDescending(ExpenditureCollection &expenditures);
void sortByDateAscending(ExpenditureCollection &expenditures);
