#pragma once

#include <QObject>
#include <QString>

class QCalendarWidget;
class QLineEdit;

// Dates typed on a month calendar. Qt's own typed entry builds wrong dates in day-first locales
// (31/01/2021 lands in year -4714), so a digit typed on the calendar opens a field that takes the
// date in the program's format; Enter selects it when it lies within the calendar's range.
class CalendarTyping final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CalendarTyping)

public:
    CalendarTyping(QCalendarWidget *calendar, const QString &dateFormat);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void open();
    void apply();

    QCalendarWidget *m_calendar;
    QWidget *m_grid;
    QLineEdit *m_field;
    QString m_format;
};
