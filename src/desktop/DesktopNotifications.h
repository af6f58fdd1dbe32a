#pragma once

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

// Reminders as the desktop's own notifications (org.freedesktop.Notifications), with buttons.
// Every call is asynchronous with a short timeout: a bus or a service that never answers must not
// hold up the window.
class DesktopNotifications final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DesktopNotifications)

public:
    enum class Urgency : uchar
    {
        Low = 0,
        Normal = 1,
        Critical = 2
    };

    struct Notification
    {
        QString key; // the caller's name for it; actions come back with it
        QString summary;
        QString body;
        Urgency urgency = Urgency::Normal;
        // Pairs of action key and label; "default" is the click on the notification itself.
        QStringList actions;
    };

    explicit DesktopNotifications(const QDBusConnection &bus, QObject *parent = nullptr);
    ~DesktopNotifications() override;

    static QString serviceName();

    // Asks the bus whether a notification service is there (or can be started); ready() follows.
    void probe();
    bool isProbed() const { return m_probed; }
    bool isAvailable() const { return m_available; }

    // Sent when the service answers; failed() otherwise, so the caller can show its own window.
    void notify(const Notification &notification);
    void close(const QString &key);

Q_SIGNALS:
    void ready(bool available);
    void actionInvoked(const QString &key, const QString &action);
    // The service could not be reached for this notification.
    void failed(const QString &key, const QString &error);

private Q_SLOTS:
    void onActionInvoked(uint id, const QString &action);
    void onNotificationClosed(uint id, uint reason);

private:
    void setAvailable(bool available);

    QDBusConnection m_bus;
    bool m_probed = false;
    bool m_available = false;
    QHash<uint, QString> m_keyById;
    // Answers that came before the reply naming their notification: the signal can overtake it.
    struct EarlyAction
    {
        QString action;
        qint64 at = 0;
    };
    QHash<uint, EarlyAction> m_early;
};
