#include "ExpenditureRows.h"

#include "core/DateTime.h"

#include <QStringBuilder>

#include <cstring>

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

PageRowMaker::PageRowMaker(const ExpenditureSettings &settings, const LocaleFormats &formats)
    : m_settings(settings), m_formats(formats)
{
}

ExpenditureRow PageRowMaker::row(const ExpenditureCollection &expenditures, qsizetype position)
{
    ExpenditureRow row = startRow(expenditures, position);
    const TExpenditure &e = expenditures.at(position);
    quint64 bits = 0;
    std::memcpy(&bits, &e.Value, sizeof bits);
    auto amounts = m_amounts.constFind(bits);
    if (amounts == m_amounts.cend()) {
        QStringList texts;
        if (m_settings.CurrencyPrefix)
            texts.append(ExpenditureText::prefixAmount(e.Value, m_settings.Currency, m_formats));
        if (m_settings.CurrencySuffix)
            texts.append(ExpenditureText::suffixAmount(e.Value, m_settings.Currency, m_formats));
        amounts = m_amounts.insert(bits, texts);
    }
    row.columns.reserve(amounts->size() + 1);
    row.columns += *amounts;
    // The text depends on the calendar day alone.
    const QDate day = DateTime::toQDate(e.Date);
    auto date = m_dates.constFind(day.toJulianDay());
    if (date == m_dates.cend())
        date = m_dates.insert(day.toJulianDay(), m_formats.formatDate(day));
    row.columns.append(*date);
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
