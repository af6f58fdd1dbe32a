#include "ui/widgets/CalendarTyping.h"

#include <QCalendarWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>

CalendarTyping::CalendarTyping(QCalendarWidget *calendar, const QString &dateFormat)
    : QObject(calendar), m_calendar(calendar), m_grid(calendar->focusProxy() ? calendar->focusProxy() : calendar),
      m_field(new QLineEdit(calendar))
{
    calendar->setDateEditEnabled(false);
    // Day and month may be typed with one digit or two.
    m_format = dateFormat;
    m_format.replace(QRegularExpression(QStringLiteral("(?<!d)dd(?!d)")), QStringLiteral("d"));
    m_format.replace(QRegularExpression(QStringLiteral("(?<!M)MM(?!M)")), QStringLiteral("M"));
    m_field->setObjectName(QStringLiteral("MonthCalendar1Typing"));
    m_field->setPlaceholderText(dateFormat);
    m_field->hide();
    m_calendar->installEventFilter(this);
    m_grid->installEventFilter(this);
    m_field->installEventFilter(this);
}

void CalendarTyping::open()
{
    m_field->clear();
    const int height = m_field->sizeHint().height();
    m_field->setGeometry(0, m_calendar->height() - height, m_calendar->width(), height);
    m_field->show();
    m_field->raise();
    m_field->setFocus();
}

void CalendarTyping::apply()
{
    const QDate date = QDate::fromString(m_field->text().trimmed(), m_format);
    if (!date.isValid() || date < m_calendar->minimumDate() || date > m_calendar->maximumDate()) {
        m_field->selectAll(); // nothing is taken; the text waits to be corrected
        return;
    }
    m_field->hide();
    m_calendar->setSelectedDate(date);
    m_grid->setFocus();
}

bool CalendarTyping::eventFilter(QObject *watched, QEvent *event)
{
    // Typing abandoned: the field goes, and the next opening of the window starts without it.
    if ((watched == m_field && event->type() == QEvent::FocusOut) ||
        (watched == m_calendar && event->type() == QEvent::Hide)) {
        m_field->hide();
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (m_field->isHidden()) {
        if (watched != m_grid || key->text().isEmpty() || !key->text().front().isDigit())
            return false; // arrows and page keys move the selection as usual
        open();
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        apply();
        return true;
    }
    if (watched == m_grid) {
        QCoreApplication::sendEvent(m_field, event);
        return true;
    }
    return false;
}
