#include "DateSort.h"

#include <algorithm>
#include <cmath>

namespace {

template <typename Less> void sortBetweenNaNs(ExpenditureCollection &expenditures, Less less)
{
    auto begin = expenditures.begin();
    const auto end = expenditures.end();
    while (begin != end) {
        const auto segmentEnd = std::find_if(begin, end, [](const TExpenditure &e) { return std::isnan(e.Date); });
        std::stable_sort(begin, segmentEnd, less);
        begin = segmentEnd == end ? end : segmentEnd + 1;
    }
}

} // namespace

void sortByDateDescending(ExpenditureCollection &expenditures)
{
    sortBetweenNaNs(expenditures, [](const TExpenditure &a, const TExpenditure &b) { return a.Date > b.Date; });
}

void sortByDateAscending(ExpenditureCollection &expenditures)
{
    sortBetweenNaNs(expenditures, [](const TExpenditure &a, const TExpenditure &b) { return a.Date < b.Date; });
}
