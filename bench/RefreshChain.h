#pragma once

#include "expenditures/ExpenditureRefresh.h"
#include "noteviews/NotesViews.h"

#include <QString>

// What a refresh of the notes views and the expenditure page reads besides the data: the
// default settings, except the prediction length, which the benchmarks vary.
struct ChainOptions
{
    TDateTime now = 0;
    NotesSortOrder sortOrder = NotesSortOrder::ByPercentDone;
    NotesFilter filter;
    int upcomingDays = 1;
    WeekScheduleOptions week{false, WeekOrder::ByTime, DayNameForm::Long, {}};
    int alertHours = 1;
    ShowPeriod period = ShowPeriod::All;
    ExpenditureSettings expenditures;
    LocaleFormats formats = LocaleFormats::fixedForTesting();
};

// The refresh as the organiser runs it: the program's own RefreshNotes and RefreshExpenditures.
// The notes are sorted and renumbered and the book is brought up to date in place.
NotesViews refreshNotesViews(NotesCollection &notes, const ChainOptions &options, SearchableViews *keep = nullptr);
ExpenditurePageData refreshExpenditurePage(ExpenditureBook &book, const ChainOptions &options);

// The same refresh with the algorithms exactly as first described: N + 1 passes of
// neighbour swaps for every sort, one scan of all transactions for every day of every chart
// line. Kept here only as the baseline the benchmarks compare with.
namespace Literal {

NotesViews refreshNotesViews(NotesCollection &notes, const ChainOptions &options);
ExpenditurePageData refreshExpenditurePage(ExpenditureBook &book, const ChainOptions &options);

} // namespace Literal

// Empty when both results are the same to the bit; otherwise what differs first.
QString differenceBetween(const NotesCollection &notesA, const NotesViews &a, const NotesCollection &notesB,
                          const NotesViews &b);
QString differenceBetween(const ExpenditureBook &bookA, const ExpenditurePageData &a, const ExpenditureBook &bookB,
                          const ExpenditurePageData &b);
