#pragma once

#include "Expenditure.h"

#include <QString>

#include <optional>

// What the add dialog collects.
struct NewTransaction
{
    bool isExpenditure = true;
    quint8 periodicity = 0;
    QString name;
    TDateTime calendarDay = 0; // used by single transactions only
    qint64 amount = 0;         // its sign is ignored
    quint8 type = 0;
};

namespace BookKeeping {

// The transaction the add dialog appends: not yet occurred, the amount signed by its kind, a
// monthly one dated on its due day in the month after `now`.
TExpenditure makeTransaction(const NewTransaction &input, TDateTime now);

// Lets every transaction dated up to today take effect once: its value goes into the
// balance; a single one is marked occurred, a monthly template books an occurred copy
// of itself (appended, keeping the due day) and moves to its due day in the month after
// `now`. Copies appended here are not visited again. Returns how many took effect.
int bookDueTransactions(ExpenditureBook &book, TDateTime now);

// Removes the transaction at `position`, taking its value back out of the balance when it
// had taken effect. Returns false, changing nothing, for a position outside the collection.
bool UndoTransaction(ExpenditureBook &book, qsizetype position);

void SetBalance(ExpenditureBook &book, qint64 value);

// The largest magnitude the amount and balance fields take. Fifteen digits: a double and the
// file's float hold every such whole number exactly, and the lists show it back digit for digit.
inline constexpr qint64 kLargestWholeNumber = 999'999'999'999'999;
// The whole-number field of the amount and balance dialogs: digits with an optional sign first;
// an empty text or a sign alone is 0. Nothing for any other text or beyond kLargestWholeNumber.
std::optional<qint64> parseWholeNumber(const QString &text);
// What the dialogs say when they refuse a text.
QString wholeNumberRefusal();
// The balance as the field shows it: rounded half to even, NaN as 0, clamped to 64 bits.
qint64 balanceFieldValue(double allMoney);

} // namespace BookKeeping
