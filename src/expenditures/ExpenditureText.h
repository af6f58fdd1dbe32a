#pragma once

#include "core/LocaleFormats.h"

#include <QString>

#include <optional>

// What the expenditure page reads from the settings each time it refreshes.
struct ExpenditureSettings
{
    QString Currency = QStringLiteral("PLN");
    bool CurrencyPrefix = false;
    bool CurrencySuffix = true;
    int PredictFor = 90; // days
};

namespace ExpenditureText {

// Shortest general form, up to 15 significant digits, no thousands separators ("25", "-2.5").
QString number(double value, const LocaleFormats &formats);
// Fixed point with `decimals` places ("12.50").
QString fixed(double value, int decimals, const LocaleFormats &formats);
// "PLN25" / "-PLN25" with the prefix setting, "25 PLN" / "-25 PLN" with the suffix setting.
QString prefixAmount(double value, const QString &currency, const LocaleFormats &formats);
QString suffixAmount(double value, const QString &currency, const LocaleFormats &formats);
// The balance label: the suffix form wins when both are set; nothing when neither is
// (the label keeps its text then).
std::optional<QString> balanceText(double allMoney, const ExpenditureSettings &settings, const LocaleFormats &formats);
QString dateText(double date, const LocaleFormats &formats);

} // namespace ExpenditureText
