#pragma once

#include "Expenditure.h"
#include "ExpenditureText.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// One row of a transaction list: the caption with its category icon, then the column texts.
struct ExpenditureRow
{
    qsizetype position = -1; // in the collection when the row was made
    QString caption;
    int iconIndex = -1; // into the category image list; -1 for none
    // One amount text per currency setting that is on (prefix form first), then the rest.
    QStringList columns;

    bool operator==(const ExpenditureRow &) const = default;
};

using ExpenditureRows = QList<ExpenditureRow>;

namespace ExpenditureRowText {

// Row of the page's lists: amount texts ("-PLN25", "-25 PLN"), then the date text.
ExpenditureRow pageRow(const ExpenditureCollection &expenditures, qsizetype position,
                       const ExpenditureSettings &settings, const LocaleFormats &formats);
// The page's rows for many transactions at once. Amounts and days repeat a great deal (monthly
// copies, many transactions a day) and formatting is the slowest part of a row, so each distinct
// amount and day is formatted once; the rows are the same as pageRow's.
class PageRowMaker
{
public:
    PageRowMaker(const ExpenditureSettings &settings, const LocaleFormats &formats);
    ExpenditureRow row(const ExpenditureCollection &expenditures, qsizetype position);

private:
    const ExpenditureSettings &m_settings;
    const LocaleFormats &m_formats;
    QHash<quint64, QStringList> m_amounts; // by the value's bits
    QHash<qint64, QString> m_dates;        // by the Julian day
};

// Row of the manage window: amount texts ("PLN -25", "-25 PLN"), date, "Periodic", "Occured".
ExpenditureRow manageRow(const ExpenditureCollection &expenditures, qsizetype position,
                         const ExpenditureSettings &settings, const LocaleFormats &formats);
// Every transaction in collection order, so row k is the transaction at position k.
ExpenditureRows manageRows(const ExpenditureCollection &expenditures, const ExpenditureSettings &settings,
                           const LocaleFormats &formats);

} // namespace ExpenditureRowText
