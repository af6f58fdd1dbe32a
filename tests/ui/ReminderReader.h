#pragma once

#include "ui/dialogs/ReminderDialog.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>

#include <functional>

struct ShownReminder
{
    QString memo;
    QString date;
    QString location;
    QString priority;
};

// Stands in for the person at the screen: reads each reminder that comes up, lets the test act
// while it is open, and presses "Ok".
class ReminderReader final : public QObject
{
public:
    // `button`: the objectName of the button it presses.
    ReminderReader(ReminderDialog *reminder, std::function<void(int)> whileOpen = {},
                   const QString &button = QStringLiteral("DsFancyButton1"))
        : m_reminder(reminder), m_whileOpen(std::move(whileOpen)), m_button(button)
    {
        m_poll.setInterval(5);
        connect(&m_poll, &QTimer::timeout, this, &ReminderReader::poll);
        m_poll.start();
    }

    QList<ShownReminder> shown;

private:
    void poll()
    {
        if (!m_reminder || !m_reminder->isVisible() || m_busy)
            return;
        m_busy = true;
        const auto text = [this](const char *name) {
            return m_reminder->findChild<QLabel *>(QLatin1String(name))->text();
        };
        shown.append({m_reminder->findChild<QPlainTextEdit *>(QStringLiteral("Memo1"))->toPlainText(), text("Label1"),
                      text("Label2"), text("Label3")});
        if (m_whileOpen)
            m_whileOpen(static_cast<int>(shown.size()) - 1);
        m_reminder->findChild<QAbstractButton *>(m_button)->click();
        m_busy = false;
    }

    QPointer<ReminderDialog> m_reminder; // a restart in the test replaces it
    std::function<void(int)> m_whileOpen;
    QString m_button;
    QTimer m_poll;
    bool m_busy = false;
};
