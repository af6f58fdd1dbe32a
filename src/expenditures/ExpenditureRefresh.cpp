#include "ExpenditureRefresh.h"

#include "BookKeeping.h"
#include "DateSort.h"

ExpenditurePageData RefreshExpenditures(ExpenditureBook &book, TDateTime now, ShowPeriod period,
                                        const ExpenditureSettings &settings, const LocaleFormats &formats,
                                        const SearchQuery &search, bool withCharts)
{
    ExpenditureCollection &list = book.Expenditures;
    ExpenditurePageData page;
    ExpenditureRowText::PageRowMaker rows(settings, formats);

    sortByDateDescending(list);
    const TDateTime today = DateTime::dateOf(now);
    page.booked = BookKeeping::bookDueTransactions(book, now);

    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list[i].Occured && search.matches(list[i].Name))
            page.occurred.append(rows.row(list, i));
    }

    sortByDateAscending(list);
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (!search.matches(list[i].Name))
            continue;
        if (!list[i].Occured)
            page.future.append(rows.row(list, i));
        if (list[i].Periodicity != 0)
            page.periodic.append(rows.row(list, i));
    }

    page.balanceText = ExpenditureText::balanceText(book.AllMoney, settings, formats);
    // Nothing took effect and the charts stay as drawn: a change of the search alone needs only the lists.
    if (!withCharts && page.booked == 0)
        return page;
    page.prediction = ExpenditureCharts::prediction(book, today, settings.PredictFor);
    page.history = ExpenditureCharts::history(list, today);
    page.categories = ExpenditureCharts::categories(list, today, period, settings, formats);
    return page;
}
