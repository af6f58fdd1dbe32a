#include "LocaleFormats.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

// Zone letters make times unreadable back and mean nothing in local time.
QString withoutZone(QString format)
{
    format.remove(QLatin1Char('t'));
    return format.trimmed();
}

} // namespace

LocaleFormats LocaleFormats::system()
{
    const QLocale locale = QLocale::system();
    LocaleFormats formats;
    formats.shortDate = locale.dateFormat(QLocale::ShortFormat);
    formats.longTime = withoutZone(locale.timeFormat(QLocale::LongFormat));
    for (int day = 1; day <= 7; ++day) {
        formats.shortDayNames.append(locale.dayName(day, QLocale::ShortFormat));
        formats.longDayNames.append(locale.dayName(day, QLocale::LongFormat));
    }
    const QString decimal = locale.decimalPoint();
    formats.decimalSeparator = decimal.isEmpty() ? QLatin1Char('.') : decimal.front();
    return formats;
}

LocaleFormats LocaleFormats::fixedForTesting()
{
    LocaleFormats formats;
    formats.shortDate = QStringLiteral("dd.MM.yyyy");
    formats.longTime = QStringLiteral("HH:mm:ss");
    formats.shortDayNames = {QStringLiteral("Mon"), QStringLiteral("Tue"), QStringLiteral("Wed"),
                             QStringLiteral("Thu"), QStringLiteral("Fri"), QStringLiteral("Sat"),
                             QStringLiteral("Sun")};
    formats.longDayNames = {QStringLiteral("Monday"),   QStringLiteral("Tuesday"), QStringLiteral("Wednesday"),
                            QStringLiteral("Thursday"), QStringLiteral("Friday"),  QStringLiteral("Saturday"),
                            QStringLiteral("Sunday")};
    formats.decimalSeparator = QLatin1Char('.');
    return formats;
}

QString LocaleFormats::formatDate(QDate date) const
{
    return date.toString(shortDate);
}

QString LocaleFormats::formatTime(QTime time) const
{
    return time.toString(longTime);
}

QString LocaleFormats::formatDateTime(const QDateTime &value) const
{
    if (value.time() == QTime(0, 0))
        return formatDate(value.date());
    return formatDate(value.date()) + QLatin1Char(' ') + formatTime(value.time());
}

QDateTime LocaleFormats::parseDateTime(const QString &text) const
{
    const QString trimmed = text.trimmed();
    const QDate dateOnly = QDate::fromString(trimmed, shortDate);
    if (dateOnly.isValid())
        return QDateTime(dateOnly, QTime(0, 0));
    const QDateTime full = QDateTime::fromString(trimmed, shortDate + QLatin1Char(' ') + longTime);
    return full;
}

QString LocaleFormats::shortDayName(int dayOfWeek) const
{
    return shortDayNames.value(dayOfWeek - 1);
}

QString LocaleFormats::longDayName(int dayOfWeek) const
{
    return longDayNames.value(dayOfWeek - 1);
}
