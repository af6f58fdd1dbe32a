#include "UiTestData.h"

#include "core/Clock.h"
#include "desktop/DesktopNotifications.h"
#include "ui/dialogs/ReminderDialog.h"
#include "ui/mainwindow/ReminderAlerts.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>

// One reminder through a real notification daemon, dunst on an X server of the test's own:
// it is shown, and its default action comes back as the request to show the note.
class TestDunst final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { enterUiTestMode(); }

    void reminder_shownByDunst_clickShowsTheNote()
    {
        const QString dunst = QStandardPaths::findExecutable(QStringLiteral("dunst"));
        if (dunst.isEmpty())
            QSKIP("dunst is not installed");
        QVERIFY2(qEnvironmentVariableIsSet("DISPLAY"), "run under xvfb-run");
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
        QProcess daemon;
        daemon.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        daemon.start(dunst, {QStringLiteral("-config"), QStringLiteral("/dev/null")});
        QTRY_VERIFY_WITH_TIMEOUT(QDBusConnection::sessionBus().interface()->isServiceRegistered(
                                     DesktopNotifications::serviceName()),
                                 20000);

        Clock::setNowForTesting(QDateTime(QDate(2026, 12, 9), QTime(14, 0)));
        Settings settings;
        settings.ShowAlerts = true;
        ReminderAlerts alerts(settings, LocaleFormats::fixedForTesting());
        QSignalSpy ready(alerts.notifications(), &DesktopNotifications::ready);
        QVERIFY(ready.wait(5000));
        QVERIFY(alerts.notifications()->isAvailable());

        TNotesData dentist;
        dentist.Text = QStringLiteral("Dentist");
        dentist.Importance = 2;
        dentist.Deadline = DateTime::fromQDateTime(QDateTime(QDate(2026, 12, 9), QTime(15, 0)));
        const TDateTime due = dentist.Deadline - 1 / 24.0;
        QSignalSpy shown(&alerts, &ReminderAlerts::showNoteRequested);
        alerts.JvAlarms1Alarm(AlarmEntry{QStringLiteral("0"), due, dentist, due});

        const auto dunstctl = [](const QStringList &arguments) {
            QProcess control;
            control.start(QStringLiteral("dunstctl"), arguments);
            control.waitForFinished(5000);
            return QString::fromUtf8(control.readAllStandardOutput()).trimmed();
        };
        QTRY_COMPARE_WITH_TIMEOUT(dunstctl({QStringLiteral("count"), QStringLiteral("displayed")}),
                                  QStringLiteral("1"), 10000);
        QVERIFY(!alerts.reminder()->isVisible());
        dunstctl({QStringLiteral("action"), QStringLiteral("0")});
        QVERIFY(shown.wait(5000));
        QCOMPARE(shown[0][0].value<TNotesData>().Text, QStringLiteral("Dentist"));

        daemon.terminate();
        daemon.waitForFinished(5000);
        Clock::resetForTesting();
    }
};

QTEST_MAIN(TestDunst)
#include "tst_dunst.moc"
