#include "ExpenditurePage.h"

#include "BookKeeping.h"
#include "DateSort.h"

ExpenditurePageData RefreshExpenditures(ExpenditureBook &book, TDateTime now, ShowPeriod period,
                                    const ExpenditureSettings &settings, const LocaleFormats &formats)
{
    using ExpenditureRowText::pageRow;
    ExpenditureCollection &list = book.Expenditures;
    ExpenditurePageData page;

    sortByDateDescending(list);
    const TDateTime today = DateTime::dateOf(now);
    page.booked = BookKeeping::bookDueTransactions(book, now);

    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list[i].Occured)
            page.occurred.append(pageRow(list, i, settings, formats));
    }

    sortByDateAscending(list);
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (!list[i].Occured)
            page.future.append(pageRow(list, i, settings, formats));
        if (list[i].Periodicity != 0)
            page.periodic.append(pageRow(list, i, settings, formats));
    }

    page.balanceText = ExpenditureText::balanceText(book.AllMoney, settings, formats);
    page.prediction = ExpenditureCharts::prediction(book, today, settings.PredictFor);
    page.history = ExpenditureCharts::history(list, today);
    page.categories = ExpenditureCharts::categories(list, today, period, settings, formats);
    return page;
}
