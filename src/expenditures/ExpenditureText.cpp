#include "ExpenditureText.h"

#include "core/DateTime.h"

#include <QStringBuilder>

#include <cmath>

namespace ExpenditureText {

namespace {

QString withSeparator(QString text, const LocaleFormats &formats)
{
    if (formats.decimalSeparator != QLatin1Char('.'))
        text.replace(QLatin1Char('.'), formats.decimalSeparator);
    return text;
}

} // namespace

QString number(double value, const LocaleFormats &formats)
{
    // A file may hold -0; nobody wants to read "-0".
    if (value == 0)
        value = 0;
    // Nearly every amount is whole; those print the same as integers, and much faster.
    if (std::trunc(value) == value && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    return withSeparator(QString::number(value, 'g', 15), formats);
}

QString fixed(double value, int decimals, const LocaleFormats &formats)
{
    if (value == 0)
        value = 0;
    return withSeparator(QString::number(value, 'f', decimals), formats);
}

QString prefixAmount(double value, const QString &currency, const LocaleFormats &formats)
{
    if (value < 0)
        return QLatin1Char('-') % currency % number(std::fabs(value), formats);
    return currency % number(value, formats);
}

QString suffixAmount(double value, const QString &currency, const LocaleFormats &formats)
{
    return number(value, formats) % QLatin1Char(' ') % currency;
}

std::optional<QString> balanceText(double allMoney, const ExpenditureSettings &settings, const LocaleFormats &formats)
{
    if (settings.CurrencySuffix)
        return suffixAmount(allMoney, settings.Currency, formats);
    if (settings.CurrencyPrefix)
        return prefixAmount(allMoney, settings.Currency, formats);
    return std::nullopt;
}

QString dateText(double date, const LocaleFormats &formats)
{
    return formats.formatDate(DateTime::toQDate(date));
}

} // namespace ExpenditureText
