#pragma once

#include "ExpenditureCharts.h"
#include "ExpenditureRows.h"
#include "ExpenditureText.h"

#include "search/SearchQuery.h"

#include <optional>

// Everything the expenditure page shows after a refresh.
struct ExpenditurePageData
{
    ExpenditureRows occurred;           // transactions that have taken effect: newest first, then this refresh's copies
    ExpenditureRows future;             // "Future transactions": not yet taken effect, oldest first
    ExpenditureRows periodic;           // "Periodic transactions": the monthly templates, oldest first
    std::optional<QString> balanceText; // none: the label keeps its text
    PredictionChart prediction;
    HistoryChart history;
    CategoryChart categories;
    int booked = 0; // transactions that took effect in this refresh
};

// Brings the book up to date at `now` and computes the page: sorts newest first, lets due
// transactions take effect, lists them, sorts oldest first (the order the book keeps), then
// the other lists, the balance text and the charts. Safe to repeat: what has taken effect
// never does so again. The three lists hold only the transactions whose description the search finds;
// the balance and the charts always count the whole book. Without `withCharts` the charts are left out
// unless a transaction took effect.
ExpenditurePageData RefreshExpenditures(ExpenditureBook &book, TDateTime now, ShowPeriod period,
                                        const ExpenditureSettings &settings, const LocaleFormats &formats,
                                        const SearchQuery &search = {}, bool withCharts = true);
