#include "ExpenditureRows.h"

#include <QStringBuilder>

namespace ExpenditureRowText {

namespace {

ExpenditureRow startRow(const ExpenditureCollection &expenditures, qsizetype position)
{
    const TExpenditure &e = expenditures.at(position);
    ExpenditureRow row;
    row.position = position;
    row.caption = e.Name;
    row.iconIndex = Category::iconIndex(e.Type);
    return row;
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("Yes") : QStringLiteral("No");
}

} // namespace

ExpenditureRow pageRow(const ExpenditureCollection &expenditures, qsizetype position,
                       const ExpenditureSettings &settings, const LocaleFormats &formats)
{
    ExpenditureRow row = startRow(expenditures, position);
    const TExpenditure &e = expenditures.at(position);
    if (settings.CurrencyPrefix)
        row.columns.append(ExpenditureText::prefixAmount(e.Value, settings.Currency, formats));
    if (settings.CurrencySuffix)
        row.columns.append(ExpenditureText::suffixAmount(e.Value, settings.Currency, formats));
    row.columns.append(ExpenditureText::dateText(e.Date, formats));
    return row;
}

ExpenditureRow manageRow(const ExpenditureCollection &expenditures, qsizetype position,
                         const ExpenditureSettings &settings, const LocaleFormats &formats)
{
    ExpenditureRow row = startRow(expenditures, position);
    const TExpenditure &e = expenditures.at(position);
    // This window keeps the sign on the number and a blank after the currency.
    if (settings.CurrencyPrefix)
        row.columns.append(settings.Currency % QLatin1Char(' ') % ExpenditureText::number(e.Value, formats));
    if (settings.CurrencySuffix)
        row.columns.append(ExpenditureText::suffixAmount(e.Value, settings.Currency, formats));
    row.columns.append(ExpenditureText::dateText(e.Date, formats));
    row.columns.append(yesNo(e.Periodicity != 0));
    row.columns.append(yesNo(e.Occured));
    return row;
}

ExpenditureRows manageRows(const ExpenditureCollection &expenditures, const ExpenditureSettings &settings,
                           const LocaleFormats &formats)
{
    ExpenditureRows rows;
    rows.reserve(expenditures.size());
    for (qsizetype i = 0; i < expenditures.size(); ++i)
        rows.append(manageRow(expenditures, i, settings, formats));
    return rows;
}

} // namespace ExpenditureRowText
