#include "../desktop/NotificationDaemon.h"
#include "ReminderReader.h"
#include "UiTestData.h"

#include "core/Clock.h"
#include "desktop/DesktopNotifications.h"
#include "reminders/AlarmWatcher.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/ReminderAlerts.h"

#include <QDBusMessage>
#include <QDBusMetaType>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <memory>

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(12, 0));

QDateTime at(int hour, int minute, int dayOffset = 0)
{
    return QDateTime(kNow.date().addDays(dayOffset), QTime(hour, minute));
}

TNotesData note(const QString &text, const QDateTime &deadline, quint8 importance = 3)
{
    TNotesData n;
    n.Text = text;
    n.Deadline = DateTime::fromQDateTime(deadline);
    n.Importance = importance;
    return n;
}

} // namespace

// Reminders as notifications with answers, the window in their place, snoozes and missed
// reminders across restarts, on a private session bus of the test's own.
class TestReminders final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        enterUiTestMode();
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
        // A notification daemon the bus may start must not reach a real display.
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("UpdateActivationEnvironment"));
        call.setArguments({QVariant::fromValue(QMap<QString, QString>{{QStringLiteral("DISPLAY"), QString()},
                                                                      {QStringLiteral("WAYLAND_DISPLAY"), QString()}})});
        qDBusRegisterMetaType<QMap<QString, QString>>();
        QDBusConnection::sessionBus().call(call);
    }
    void init()
    {
        Clock::setNowForTesting(kNow);
        m_dir = std::make_unique<QTemporaryDir>();
    }
    void cleanup()
    {
        m_window.reset();
        m_dir.reset();
        Clock::resetForTesting();
    }

    void notification_answers_data();
    void notification_answers();
    void noService_theWindowInstead();
    void window_snoozeAcrossMidnightAndRestart();
    void window_keysOfItsFirstSecondIgnored();
    void missed_afterDaysOff_togetherOnce_data();
    void missed_afterDaysOff_togetherOnce();
    void resume_lateAlertsTogether();

private:
    // A start of the program on the test's folder, at the fake clock's now.
    void start(bool window = false);
    // The program ends as "Close" ends it: everything saved.
    void stop();
    void tickAt(const QDateTime &when);
    ReminderAlerts *alerts() const { return m_window->alerts(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
};

void TestReminders::start(bool window)
{
    m_window = std::make_unique<MainWindow>(m_dir->path() + QLatin1Char('/'));
    m_window->settings().ShowAlerts = true;
    m_window->settings().AlertsTime = 1;
    m_window->loadAllData();
    m_window->settings().ShowAlerts = true;
    m_window->settings().RemindWithNotification = !window;
    m_window->alerts()->setLocaleFormats(LocaleFormats::fixedForTesting());
    m_window->finishStartup();
}

void TestReminders::stop()
{
    QVERIFY(m_window->saveAllDataFiles());
    m_window.reset();
}

void TestReminders::tickAt(const QDateTime &when)
{
    Clock::setNowForTesting(when);
    alerts()->JvAlarms1()->tick();
}

void TestReminders::notification_answers_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("Snooze 10 min") << QStringLiteral("snooze-10");
    QTest::newRow("Done") << QStringLiteral("done");
    QTest::newRow("the click") << QStringLiteral("default");
}

void TestReminders::notification_answers()
{
    QFETCH(QString, action);
    NotificationDaemon daemon;
    start();
    QSignalSpy ready(alerts()->notifications(), &DesktopNotifications::ready);
    QVERIFY(alerts()->notifications()->isProbed() || ready.wait(5000));
    m_window->notes() = {note(QStringLiteral("Dentist\nbring the card"), at(15, 0), 1)};
    m_window->RefreshNotes();
    m_window->SaveAllNotes();
    tickAt(at(14, 0));
    QTRY_COMPARE_WITH_TIMEOUT(NotificationDaemon::notifyCalls().size(), 1, 15000);
    const QVariantList sent = NotificationDaemon::notifyCalls().constFirst();
    QCOMPARE(sent[3].toString(), QStringLiteral("Dentist"));
    QCOMPARE(sent[4].toString(), QStringLiteral("09.12.2026  15:00:00\nHighest"));
    QCOMPARE(qdbus_cast<QStringList>(sent[5]), notificationActions());
    QCOMPARE(qdbus_cast<QVariantMap>(sent[6]).value(QStringLiteral("urgency")).toInt(), 2);
    QVERIFY(!alerts()->reminder()->isVisible());

    // Refreshes and ticks before the answer bring nothing more.
    for (int i = 0; i < 5; ++i) {
        m_window->RefreshNotes();
        tickAt(at(14, 0).addSecs(2 * (i + 1)));
    }
    Clock::setNowForTesting(at(14, 0));
    NotificationDaemon::emitSignal(QStringLiteral("ActionInvoked"), QStringLiteral("us"), {uint(1), action});
    if (action == QStringLiteral("snooze-10")) {
        QTRY_VERIFY_WITH_TIMEOUT(alerts()->JvAlarms1()->isWatching(), 15000);
        tickAt(at(14, 9));
        QTest::qWait(100);
        QCOMPARE(NotificationDaemon::notifyCalls().size(), 1);
        tickAt(at(14, 10));
        QTRY_COMPARE_WITH_TIMEOUT(NotificationDaemon::notifyCalls().size(), 2, 15000);
        QCOMPARE(m_window->notes()[0].Deadline, DateTime::fromQDateTime(at(15, 0))); // the deadline stays
    } else if (action == QStringLiteral("done")) {
        QTRY_COMPARE_WITH_TIMEOUT(m_window->notes()[0].Progress, quint8(100), 15000);
        // The usual save: the finished note is on disk.
        m_window.reset();
        start();
        QCOMPARE(m_window->notes()[0].Progress, quint8(100));
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(m_window->isVisible(), 15000);
    }
    tickAt(at(14, 30));
    QTest::qWait(100);
    QCOMPARE(NotificationDaemon::notifyCalls().size(), action == QStringLiteral("snooze-10") ? 2 : 1);
}

void TestReminders::noService_theWindowInstead()
{
    QVERIFY(!NotificationDaemon::isOnBus());
    start();
    m_window->notes() = {note(QStringLiteral("Call the plumber"), at(15, 0))};
    m_window->RefreshNotes();
    ReminderReader reader(alerts()->reminder());
    tickAt(at(14, 0));
    // No service, or one that can be started but fails (a daemon without a display): the window.
    QTRY_COMPARE_WITH_TIMEOUT(reader.shown.size(), 1, 10000);
    QCOMPARE(reader.shown[0].memo, QStringLiteral("Call the plumber"));
}

void TestReminders::window_snoozeAcrossMidnightAndRestart()
{
    Clock::setNowForTesting(at(20, 0));
    start(true);
    m_window->notes() = {note(QStringLiteral("Late call"), at(0, 55, 1))};
    m_window->RefreshNotes();
    {
        ReminderReader reader(alerts()->reminder(), {}, QStringLiteral("SnoozeTenMinutes"));
        tickAt(at(23, 55));
        QCOMPARE(reader.shown.size(), 1);
    }
    stop();
    Clock::setNowForTesting(at(0, 1, 1));
    start(true);
    ReminderReader reader(alerts()->reminder());
    QTest::qWait(50); // nothing missed: the snooze has not run out
    tickAt(at(0, 4, 1));
    QVERIFY(reader.shown.isEmpty());
    tickAt(at(0, 5, 1));
    QCOMPARE(reader.shown.size(), 1);
    QCOMPARE(reader.shown[0].memo, QStringLiteral("Late call"));
    QCOMPARE(m_window->notes()[0].Deadline, DateTime::fromQDateTime(at(0, 55, 1)));
    stop();
    Clock::setNowForTesting(at(0, 30, 1));
    start(true);
    ReminderReader after(alerts()->reminder());
    QTest::qWait(50);
    tickAt(at(0, 31, 1));
    QVERIFY(after.shown.isEmpty());
}

void TestReminders::window_keysOfItsFirstSecondIgnored()
{
    start(true);
    ReminderDialog *window = alerts()->reminder();
    QVERIFY(window->testAttribute(Qt::WA_ShowWithoutActivating));
    window->showNote(note(QStringLiteral("typed over"), at(15, 0)), LocaleFormats::fixedForTesting());
    window->show();
    QTest::keyClick(window, Qt::Key_Return);
    QTest::keyClick(window, Qt::Key_Escape);
    QVERIFY(window->isVisible());
    Clock::advanceForTesting(1000);
    QTest::keyClick(window, Qt::Key_Escape);
    QVERIFY(!window->isVisible());
}

void TestReminders::missed_afterDaysOff_togetherOnce_data()
{
    QTest::addColumn<bool>("missedOn");
    QTest::newRow("on") << true;
    QTest::newRow("off") << false;
}

void TestReminders::missed_afterDaysOff_togetherOnce()
{
    QFETCH(bool, missedOn);
    Clock::setNowForTesting(at(18, 0));
    start(true);
    m_window->notes() = {note(QStringLiteral("Monday dentist"), at(10, 0, 1)),
                         note(QStringLiteral("Tuesday call"), at(16, 0, 2)),
                         note(QStringLiteral("Friday party"), at(20, 0, 5))};
    m_window->settings().ShowMissedReminders = missedOn;
    m_window->RefreshNotes();
    stop();

    Clock::setNowForTesting(at(9, 0, 3));
    start(true);
    ReminderReader shown(alerts()->reminder());
    QTest::qWait(100);
    if (missedOn) {
        QCOMPARE(shown.shown.size(), 1);
        QVERIFY(shown.shown[0].memo.startsWith(QStringLiteral("2 reminders while you were away\n")));
        QVERIFY(shown.shown[0].memo.contains(QStringLiteral("Monday dentist")));
        QVERIFY(shown.shown[0].memo.contains(QStringLiteral("Tuesday call")));
    } else {
        QVERIFY(shown.shown.isEmpty());
    }
    // Once: neither the next start nor a refresh brings them again; Friday's still comes.
    stop();
    start(true);
    ReminderReader again(alerts()->reminder());
    QTest::qWait(100);
    m_window->RefreshNotes();
    tickAt(at(9, 1, 3));
    QVERIFY(again.shown.isEmpty());
    tickAt(at(19, 1, 5));
    QCOMPARE(again.shown.size(), 1);
    QCOMPARE(again.shown[0].memo, QStringLiteral("Friday party"));
}

// A suspend looks like a jump of the clock: alerts found late come as one.
void TestReminders::resume_lateAlertsTogether()
{
    start(true);
    m_window->notes() = {note(QStringLiteral("first"), at(14, 0)), note(QStringLiteral("second"), at(15, 0)),
                         note(QStringLiteral("third"), at(20, 0))};
    m_window->RefreshNotes();
    ReminderReader reader(alerts()->reminder());
    tickAt(at(12, 0).addSecs(10));
    tickAt(at(16, 30));
    QCOMPARE(reader.shown.size(), 1);
    QVERIFY(reader.shown[0].memo.startsWith(QStringLiteral("2 reminders while you were away\n")));
    tickAt(at(16, 31));
    QCOMPARE(reader.shown.size(), 1);
}

QTEST_MAIN(TestReminders)
#include "tst_reminders.moc"
