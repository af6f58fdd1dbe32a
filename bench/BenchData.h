#pragma once

#include "expenditures/Expenditure.h"
#include "notes/NotesData.h"

// Reproducible organisers of any size: the same seed gives the same data on every machine.
namespace BenchData {

// The moment every benchmark runs at (a Tuesday morning), so the data keep their shape.
TDateTime now();

// Notes with mixed deadlines (none, passed, today, this week, years ahead, shared ones),
// importances, private and finished notes, one- and several-line texts with non-Latin-1 characters.
NotesCollection notes(int count, quint32 seed = 13);

// Five years of transactions up to now(): single expenses and incomes, monthly templates with
// one occurred copy per month behind them, future ones and a few that fall due at the next refresh.
ExpenditureBook book(int count, quint32 seed = 31);

// How many monthly templates book(count) holds.
int templateCount(int count);

} // namespace BenchData
