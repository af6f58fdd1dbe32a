#include "../sync/RadicaleServer.h"
#include "SettingsTestData.h"
#include "UiTestData.h"

#include "ui/dialogs/SettingsDialog.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/SyncControl.h"

#include "sync/DavClient.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

using namespace Qt::StringLiterals;

// The "Sync" page and the program's syncing, against a Radicale of the test's own, on a bus without a
// password store (the password is asked for and kept in memory).
class TestSyncUi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { enterUiTestMode(); }
    void init() { Messages::takeShown(); }
    void syncPage_data();
    void syncPage();
    void program_syncsAtStartOnChangesAndOnRequest();

private:
    template <typename T> static T *child(QWidget *parent, const char *name)
    {
        auto *widget = parent->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no %s", name);
        return widget;
    }
    // The one task list there is, "Tasks", with an item another client put there.
    static bool makeTaskList(const RadicaleServer &server, bool tls)
    {
        DavClient client;
        client.setAccount({server.calendar(),
                           RadicaleServer::user(),
                           RadicaleServer::password(),
                           {},
                           tls ? server.certificateSha256() : QByteArray()});
        int status = 0;
        client.mkcalendar(server.calendar(), u"Tasks"_s, [&](const DavReply &reply) { status = reply.status; });
        if (!QTest::qWaitFor([&] { return status != 0; }, 10000) || status != 201)
            return false;
        server.client({u"add"_s, u"phone-1"_s, u"Bought on the phone"_s});
        return true;
    }
    static void type(QLineEdit *edit, const QString &text)
    {
        edit->setText(text);
        edit->setModified(true);
        Q_EMIT edit->editingFinished();
    }
};

void TestSyncUi::syncPage_data()
{
    QTest::addColumn<bool>("tls");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("trust");  // the answer to the certificate question
    QTest::addColumn<bool>("create"); // then 'Create "Marevo Notes"'
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("status"); // a part of the page's last status
    QTest::newRow("task lists found") << false << RadicaleServer::password() << false << false
                                      << QStringList{u"Tasks"_s} << u"Found 1 task list."_s;
    QTest::newRow("one created") << false << RadicaleServer::password() << false << true
                                 << QStringList{u"Tasks"_s, u"Marevo Notes"_s} << u"Created \"Marevo Notes\""_s;
    QTest::newRow("wrong password") << false << u"guess"_s << false << false << QStringList()
                                    << u"refused the user name or password"_s;
    QTest::newRow("certificate accepted")
        << true << RadicaleServer::password() << true << false << QStringList{u"Tasks"_s} << u"Found 1 task list."_s;
    QTest::newRow("certificate refused") << true << RadicaleServer::password() << false << false << QStringList()
                                         << u"is not trusted"_s;
}

void TestSyncUi::syncPage()
{
    QFETCH(bool, tls);
    QFETCH(QString, password);
    QFETCH(bool, trust);
    QFETCH(bool, create);
    QFETCH(QStringList, listed);
    QFETCH(QString, status);
    RadicaleServer server(RadicaleServer::Password, tls);
    QVERIFY(server.start());
    QTemporaryDir dir;
    auto window = startProgram(dir.path());
    SettingsDialog &dialog = *window->settingsDialog();
    dialog.FormShow();
    QVERIFY(makeTaskList(server, tls));

    type(child<QLineEdit>(&dialog, "SyncServer"), server.calendar().resolved(QUrl(u"/"_s)).toString());
    type(child<QLineEdit>(&dialog, "SyncUser"), RadicaleServer::user());
    type(child<QLineEdit>(&dialog, "SyncPassword"), password);
    if (tls)
        Messages::queueAnswer(trust);
    auto *calendars = child<QComboBox>(&dialog, "SyncCalendars");
    auto *label = child<QLabel>(&dialog, "SyncStatus");
    child<QPushButton>(&dialog, "SyncFindCalendars")->click();
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(&dialog, "SyncFindCalendars")->isEnabled(), 15000);
    if (create) {
        child<QPushButton>(&dialog, "SyncCreateCalendar")->click();
        QTRY_VERIFY_WITH_TIMEOUT(label->text().contains(u"Created"_s), 15000);
    }
    QStringList names;
    for (int i = 0; i < calendars->count(); ++i)
        names.append(calendars->itemText(i));
    QCOMPARE(names, listed);
    QVERIFY2(label->text().contains(status), qPrintable(label->text()));
    const Settings &settings = window->settings();
    QCOMPARE(settings.SyncCalendarName, listed.isEmpty() ? QString() : listed.constLast());
    QCOMPARE(settings.SyncTrustedCertificate,
             tls && trust ? QString::fromLatin1(server.certificateSha256().toHex()) : QString());
    if (tls) {
        const QList<Messages::Shown> shown = Messages::takeShown();
        QVERIFY(!shown.isEmpty() &&
                shown.constFirst().text.contains(QString::fromLatin1(server.certificateSha256().toHex(':').toUpper())));
    }
}

void TestSyncUi::program_syncsAtStartOnChangesAndOnRequest()
{
    RadicaleServer server(RadicaleServer::Password, false);
    QVERIFY(server.start());
    QVERIFY(makeTaskList(server, false));
    QTemporaryDir dir;
    Settings configured;
    configured.SyncServer = server.calendar().resolved(QUrl(u"/"_s)).toString();
    configured.SyncUser = RadicaleServer::user();
    configured.SyncCalendar = server.calendar().toString();
    configured.SyncCalendarName = u"Tasks"_s;
    writeSettingsFile(dir.path(), configured);
    Messages::queuePassword(RadicaleServer::password());

    auto window = startProgram(dir.path());
    SyncControl &sync = window->syncControl();
    auto *status = child<QLabel>(window.get(), "SyncStatus1");
    // At start: the password is asked for (no store here), then the server's task arrives.
    QTRY_VERIFY_WITH_TIMEOUT(status->text().startsWith(u"Synced at"_s), 20000);
    const QList<Messages::Shown> shown = Messages::takeShown();
    QVERIFY(!shown.isEmpty() && shown.constLast().text.startsWith(u"Password of alice"_s));
    QCOMPARE(window->notes().size(), 1);
    QCOMPARE(window->notes().constFirst().Text, u"Bought on the phone"_s);
    // Then the interval's wait.
    QVERIFY(sync.timer()->isActive());
    QVERIFY(sync.timer()->remainingTime() > 14 * 60 * 1000);

    // An edit here: a sync a few seconds later, not at once.
    TNotesData note;
    note.Text = u"Written on the desktop"_s;
    window->notes().append(note);
    window->RefreshNotes();
    QVERIFY(window->SaveAllNotes());
    // About five seconds; a coarse timer may move by a twentieth.
    QVERIFY(sync.timer()->remainingTime() > 3000 && sync.timer()->remainingTime() <= 6000);
    QTRY_VERIFY_WITH_TIMEOUT(server.client({u"dump"_s}).contains(u"Written on the desktop"_s), 20000);

    // "Sync now" brings what another client changed meanwhile.
    server.client({u"edit"_s, u"phone-1"_s, u"SUMMARY"_s, u"Bought twice"_s});
    window->findChild<QAction *>(u"SyncNow1"_s)->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(std::any_of(window->notes().cbegin(), window->notes().cend(),
                                         [](const TNotesData &n) { return n.Text.startsWith(u"Bought twice"_s); }),
                             20000);

    // The server gone: the status says why, the next try waits, the notes stay.
    server.stop();
    window->findChild<QAction *>(u"SyncNow2"_s)->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(status->text().startsWith(u"Sync failed:"_s), 20000);
    QVERIFY2(status->text().contains(u"Last synced at"_s), qPrintable(status->text()));
    QVERIFY(sync.timer()->remainingTime() > 20 * 1000 && sync.timer()->remainingTime() <= 32 * 1000);
    QCOMPARE(window->notes().size(), 2);
}

QTEST_MAIN(TestSyncUi)
#include "tst_syncui.moc"
