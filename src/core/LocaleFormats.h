#pragma once

#include <QChar>
#include <QDateTime>
#include <QString>
#include <QStringList>

// The user's formats for dates, times, day names and decimals, read once from
// the system; tests pass a fixed set so results do not depend on the machine.
struct LocaleFormats
{
    QString shortDate;        // QDate format, e.g. "dd.MM.yyyy"
    QString longTime;         // QTime format without a zone, e.g. "HH:mm:ss"
    QStringList shortDayNames; // Monday first, seven entries
    QStringList longDayNames;  // Monday first, seven entries
    QChar decimalSeparator = QLatin1Char('.');

    static LocaleFormats system();
    static LocaleFormats fixedForTesting();

    QString formatDate(QDate date) const;
    QString formatTime(QTime time) const;
    // Date, and the time after a blank unless it is exactly midnight.
    QString formatDateTime(const QDateTime &value) const;
    // Inverse of formatDateTime; invalid when the text does not convert.
    QDateTime parseDateTime(const QString &text) const;
    // dayOfWeek as QDate gives it: 1 = Monday ... 7 = Sunday.
    QString shortDayName(int dayOfWeek) const;
    QString longDayName(int dayOfWeek) const;
};
