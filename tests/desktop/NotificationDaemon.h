#pragma once

#include "DbusMockCalls.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTest>

// python3-dbusmock's notification daemon on the test's own session bus (the test runs under
// dbus-run-session): it records every call and sends the signals a person's clicks would.
class NotificationDaemon
{
public:
    NotificationDaemon()
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral("/usr/bin/python3"),
                        {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--template"),
                         QStringLiteral("notification_daemon")});
        const QDeadlineTimer deadline(20000);
        while (!deadline.hasExpired() && !isOnBus())
            QTest::qWait(50);
    }
    ~NotificationDaemon()
    {
        m_process.terminate();
        m_process.waitForFinished(5000);
        // The next daemon must not find this one still holding the name.
        const QDeadlineTimer deadline(5000);
        while (!deadline.hasExpired() && isOnBus())
            QTest::qWait(20);
    }

    static bool isOnBus()
    {
        return QDBusConnection::sessionBus().interface()->isServiceRegistered(
            QStringLiteral("org.freedesktop.Notifications"));
    }

    // The arguments of every Notify call so far.
    static QList<QVariantList> notifyCalls()
    {
        return recordedCalls(mockCall(QStringLiteral("GetMethodCalls")), QStringLiteral("Notify"));
    }

    static void emitSignal(const QString &name, const QString &signature, const QVariantList &arguments)
    {
        QDBusMessage call = mockCall(QStringLiteral("EmitSignal"));
        call.setArguments({QStringLiteral("org.freedesktop.Notifications"), name, signature, arguments});
        QDBusConnection::sessionBus().call(call);
    }

private:
    static QDBusMessage mockCall(const QString &method)
    {
        return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
                                              QStringLiteral("/org/freedesktop/Notifications"),
                                              QStringLiteral("org.freedesktop.DBus.Mock"), method);
    }

    QProcess m_process;
};
