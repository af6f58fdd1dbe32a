#include "NotificationDaemon.h"

#include "desktop/DesktopNotifications.h"

#include <QDBusMetaType>
#include <QSignalSpy>

class TestNotifications final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
    }

    void noBus_unavailableAndEveryNotificationFails()
    {
        DesktopNotifications notifications(QDBusConnection(QStringLiteral("not connected")));
        QSignalSpy ready(&notifications, &DesktopNotifications::ready);
        QSignalSpy failed(&notifications, &DesktopNotifications::failed);
        notifications.probe();
        QCOMPARE(ready.count(), 1);
        QCOMPARE(ready[0][0].toBool(), false);
        notifications.notify({QStringLiteral("uid-1"), QStringLiteral("Dentist"), {}, {}, {}});
        QCOMPARE(failed.count(), 1);
        QCOMPARE(failed[0][0].toString(), QStringLiteral("uid-1"));
    }

    void notifyAndAnswer_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("snooze") << QStringLiteral("snooze-10");
        QTest::newRow("done") << QStringLiteral("done");
        QTest::newRow("default") << QStringLiteral("default");
    }

    // What is sent is what the daemon receives; its action comes back once, under our key.
    void notifyAndAnswer()
    {
        QFETCH(QString, action);
        NotificationDaemon daemon;
        QVERIFY(NotificationDaemon::isOnBus());
        DesktopNotifications notifications(QDBusConnection::sessionBus());
        QSignalSpy ready(&notifications, &DesktopNotifications::ready);
        notifications.probe();
        QVERIFY(ready.wait(5000));
        QVERIFY(notifications.isAvailable());

        const QStringList actions{QStringLiteral("default"), QString(), QStringLiteral("snooze-10"),
                                  QStringLiteral("Snooze 10 min"), QStringLiteral("done"), QStringLiteral("Done")};
        QSignalSpy failed(&notifications, &DesktopNotifications::failed);
        notifications.notify({QStringLiteral("uid-7"), QStringLiteral("Dentist \u017C\u00F3\u0142w"),
                              QStringLiteral("Today 15:00\nul. D\u0142uga 3"),
                              DesktopNotifications::Urgency::Critical, actions});
        QTRY_COMPARE(NotificationDaemon::notifyCalls().size(), 1);
        const QVariantList sent = NotificationDaemon::notifyCalls().constFirst();
        QCOMPARE(sent.size(), 8);
        QCOMPARE(sent[0].toString(), QStringLiteral("Marevo Notes"));
        QCOMPARE(sent[3].toString(), QStringLiteral("Dentist \u017C\u00F3\u0142w"));
        QCOMPARE(sent[4].toString(), QStringLiteral("Today 15:00\nul. D\u0142uga 3"));
        QCOMPARE(qdbus_cast<QStringList>(sent[5]), actions);
        const QVariantMap hints = qdbus_cast<QVariantMap>(sent[6]);
        QCOMPARE(hints.value(QStringLiteral("urgency")).toInt(), 2);
        QCOMPARE(sent[7].toInt(), 0); // stays until answered
        QVERIFY(failed.isEmpty());

        QSignalSpy invoked(&notifications, &DesktopNotifications::actionInvoked);
        // Another program's notification is not ours.
        NotificationDaemon::emitSignal(QStringLiteral("ActionInvoked"), QStringLiteral("us"),
                                       {uint(99), QStringLiteral("done")});
        NotificationDaemon::emitSignal(QStringLiteral("ActionInvoked"), QStringLiteral("us"), {uint(1), action});
        QVERIFY(invoked.wait(5000));
        QCOMPARE(invoked.count(), 1);
        QCOMPARE(invoked[0][0].toString(), QStringLiteral("uid-7"));
        QCOMPARE(invoked[0][1].toString(), action);
        // A second click on the same notification does nothing more.
        NotificationDaemon::emitSignal(QStringLiteral("ActionInvoked"), QStringLiteral("us"), {uint(1), action});
        QTest::qWait(200);
        QCOMPARE(invoked.count(), 1);
    }

    // The click's signal may overtake the reply that names the notification: it is kept a moment.
    void answerBeforeTheReply_stillComesBackOnce()
    {
        NotificationDaemon daemon;
        DesktopNotifications notifications(QDBusConnection::sessionBus());
        QSignalSpy invoked(&notifications, &DesktopNotifications::actionInvoked);
        NotificationDaemon::emitSignal(QStringLiteral("ActionInvoked"), QStringLiteral("us"),
                                       {uint(1), QStringLiteral("done")});
        QTest::qWait(200);
        QCOMPARE(invoked.count(), 0);
        notifications.notify({QStringLiteral("uid-3"), QStringLiteral("Call"), {}, {}, {}});
        QVERIFY(invoked.wait(5000));
        QCOMPARE(invoked[0][0].toString(), QStringLiteral("uid-3"));
        QCOMPARE(invoked[0][1].toString(), QStringLiteral("done"));
        NotificationDaemon::emitSignal(QStringLiteral("ActionInvoked"), QStringLiteral("us"),
                                       {uint(1), QStringLiteral("done")});
        QTest::qWait(200);
        QCOMPARE(invoked.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestNotifications)
#include "tst_notifications.moc"
