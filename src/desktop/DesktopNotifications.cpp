#include "DesktopNotifications.h"

#include <QDBusMessage>
#include <QDateTime>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace {

const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
constexpr int kTimeoutMs = 3000;

} // namespace

DesktopNotifications::DesktopNotifications(const QDBusConnection &bus, QObject *parent)
    : QObject(parent), m_bus(bus)
{
    if (!m_bus.isConnected())
        return;
    m_bus.connect(serviceName(), kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                  SLOT(onActionInvoked(uint, QString)));
    m_bus.connect(serviceName(), kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                  SLOT(onNotificationClosed(uint, uint)));
}

DesktopNotifications::~DesktopNotifications() = default;

QString DesktopNotifications::serviceName()
{
    return QStringLiteral("org.freedesktop.Notifications");
}

void DesktopNotifications::probe()
{
    if (!m_bus.isConnected()) {
        setAvailable(false);
        return;
    }
    // A service that is only activatable starts at the first notification; both count.
    const auto ask = [this](const QString &method, const QVariantList &arguments) {
        QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                           QStringLiteral("/org/freedesktop/DBus"),
                                                           QStringLiteral("org.freedesktop.DBus"), method);
        call.setArguments(arguments);
        return new QDBusPendingCallWatcher(m_bus.asyncCall(call, kTimeoutMs), this);
    };
    auto *owned = ask(QStringLiteral("NameHasOwner"), {serviceName()});
    connect(owned, &QDBusPendingCallWatcher::finished, this, [this, ask](QDBusPendingCallWatcher *watcher) {
        watcher->deleteLater();
        const QDBusPendingReply<bool> reply = *watcher;
        if (reply.isValid() && reply.value()) {
            setAvailable(true);
            return;
        }
        auto *activatable = ask(QStringLiteral("ListActivatableNames"), {});
        connect(activatable, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *names) {
            names->deleteLater();
            const QDBusPendingReply<QStringList> listed = *names;
            setAvailable(listed.isValid() && listed.value().contains(serviceName()));
        });
    });
}

void DesktopNotifications::setAvailable(bool available)
{
    m_probed = true;
    m_available = available;
    Q_EMIT ready(available);
}

void DesktopNotifications::notify(const Notification &notification)
{
    if (!m_bus.isConnected()) {
        Q_EMIT failed(notification.key, QStringLiteral("No session bus"));
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(serviceName(), kPath, kInterface, QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(notification.urgency)));
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("org.marevo.Notes"));
    call.setArguments({QStringLiteral("Marevo Notes"), uint(0), QStringLiteral("marevo-notes"), notification.summary,
                       notification.body, notification.actions, hints,
                       // A reminder stays until it is answered.
                       int(0)});
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, kTimeoutMs), this);
    const QString key = notification.key;
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, key](QDBusPendingCallWatcher *finished) {
        finished->deleteLater();
        const QDBusPendingReply<uint> reply = *finished;
        if (!reply.isValid()) {
            Q_EMIT failed(key, reply.error().message());
            return;
        }
        const uint id = reply.value();
        const EarlyAction early = m_early.take(id);
        // Only a moment's lead is believed: after a restart of the service its numbers start again.
        if (!early.action.isEmpty() && QDateTime::currentMSecsSinceEpoch() - early.at < kTimeoutMs) {
            Q_EMIT actionInvoked(key, early.action);
            return;
        }
        m_keyById.insert(id, key);
    });
}

void DesktopNotifications::close(const QString &key)
{
    const uint id = m_keyById.key(key, 0);
    if (id == 0)
        return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(serviceName(), kPath, kInterface, QStringLiteral("CloseNotification"));
    call.setArguments({id});
    m_bus.asyncCall(call, kTimeoutMs);
    m_keyById.remove(id);
}

void DesktopNotifications::onActionInvoked(uint id, const QString &action)
{
    const QString key = m_keyById.value(id);
    if (key.isEmpty()) {
        // Another program's notification, one answered already, or ours before its reply came.
        if (m_early.size() >= 16)
            m_early.clear();
        m_early.insert(id, {action, QDateTime::currentMSecsSinceEpoch()});
        return;
    }
    m_keyById.remove(id);
    Q_EMIT actionInvoked(key, action);
}

void DesktopNotifications::onNotificationClosed(uint id, uint reason)
{
    Q_UNUSED(reason)
    m_keyById.remove(id);
}
