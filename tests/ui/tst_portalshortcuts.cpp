#include "NotesFixture.h"
#include "../desktop/DbusMockCalls.h"

#include "desktop/PortalHotKeys.h"
#include "ui/desktop/TrayPresence.h"
#include "ui/dialogs/NoteEditorDialog.h"
#include "ui/dialogs/SettingsDialog.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDeadlineTimer>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// python3-dbusmock standing in for the desktop portal on the test's own session bus. Like the real one it
// answers each request on the object named after the caller and the request's token, before the reply.
class FakePortal
{
public:
    explicit FakePortal(uint sessionResponse)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.start(QStringLiteral("/usr/bin/python3"),
                        {QStringLiteral("-m"), QStringLiteral("dbusmock"), PortalHotKeys::kService,
                         PortalHotKeys::kPath, PortalHotKeys::kInterface});
        const QDeadlineTimer deadline(20000);
        while (!deadline.hasExpired() && !isOnBus())
            QTest::qWait(50);
        QString sender = QDBusConnection::sessionBus().baseService().mid(1);
        sender.replace(QLatin1Char('.'), QLatin1Char('_'));
        const QString answer = QStringLiteral(
            "import dbus\n"
            "path = '/org/freedesktop/portal/desktop/request/%1/' + args[%2]['handle_token']\n"
            "self.AddObject(path, 'org.freedesktop.portal.Request', {}, [])\n"
            "objects[path].EmitSignal('org.freedesktop.portal.Request', 'Response', 'ua{sv}', "
            "[dbus.UInt32(%3), %4])\n"
            "ret = dbus.ObjectPath(path)\n");
        addMethod(QStringLiteral("CreateSession"), QStringLiteral("a{sv}"),
                  answer.arg(sender, QStringLiteral("0"), QString::number(sessionResponse),
                             QStringLiteral("{'session_handle': '/org/freedesktop/portal/desktop/session/%1/' + "
                                            "args[0]['session_handle_token']}")
                                 .arg(sender)));
        addMethod(QStringLiteral("BindShortcuts"), QStringLiteral("oa(sa{sv})sa{sv}"),
                  answer.arg(sender, QStringLiteral("3"), QStringLiteral("0"),
                             QStringLiteral("dbus.Dictionary({}, signature='sv')")));
    }
    ~FakePortal()
    {
        m_process.terminate();
        m_process.waitForFinished(5000);
        const QDeadlineTimer deadline(5000);
        while (!deadline.hasExpired() && isOnBus())
            QTest::qWait(20);
    }

    static bool isOnBus()
    {
        return QDBusConnection::sessionBus().interface()->isServiceRegistered(PortalHotKeys::kService);
    }

    // The arguments of every call of `method` so far.
    static QList<QVariantList> calls(const QString &method)
    {
        return recordedCalls(mockCall(QStringLiteral("GetMethodCalls"), {}), method);
    }

    static void activate(const QString &session, const QString &action)
    {
        QDBusConnection::sessionBus().call(mockCall(
            QStringLiteral("EmitSignal"),
            {PortalHotKeys::kInterface, QStringLiteral("Activated"), QStringLiteral("osta{sv}"),
             QVariantList{QVariant::fromValue(QDBusObjectPath(session)), action, QVariant::fromValue(qulonglong(1)),
                          QVariantMap()}}));
    }

private:
    static QDBusMessage mockCall(const QString &method, const QVariantList &arguments)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(PortalHotKeys::kService, PortalHotKeys::kPath,
                                                           QStringLiteral("org.freedesktop.DBus.Mock"), method);
        call.setArguments(arguments);
        return call;
    }
    static void addMethod(const QString &name, const QString &inSignature, const QString &code)
    {
        QDBusConnection::sessionBus().call(mockCall(
            QStringLiteral("AddMethod"), {QString(), name, inSignature, QStringLiteral("o"), code}));
    }

    QProcess m_process;
};

} // namespace

class TestPortalShortcuts final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void bindShortcuts_namesTheThreeActionsAndTheirKeys();
    void activated_addNote_opensTheEditor_data();
    void activated_addNote_opensTheEditor();
    void shortcutsPage_saysWhatHoldsTheKeys_data();
    void shortcutsPage_saysWhatHoldsTheKeys();

private:
    void start(uint sessionResponse = 0);
    PortalHotKeys *portalKeys() { return qobject_cast<PortalHotKeys *>(&m_window->trayPresence()->hotKeys()); }

    QTemporaryDir *m_dir = nullptr;
    std::unique_ptr<FakePortal> m_portal;
    std::unique_ptr<MainWindow> m_window;
};

void TestPortalShortcuts::initTestCase()
{
    enterUiTestMode();
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "runs on a private session bus");
}

void TestPortalShortcuts::start(uint sessionResponse)
{
    m_portal = std::make_unique<FakePortal>(sessionResponse);
    QVERIFY(FakePortal::isOnBus());
    m_dir = new QTemporaryDir;
    // Without an X server the program turns to the portal by itself.
    m_window = startWithNotes(m_dir->path(), {});
    QVERIFY(portalKeys());
}

void TestPortalShortcuts::cleanup()
{
    m_window.reset();
    m_portal.reset();
    delete m_dir;
    m_dir = nullptr;
}

void TestPortalShortcuts::bindShortcuts_namesTheThreeActionsAndTheirKeys()
{
    start();
    QTRY_COMPARE(FakePortal::calls(QStringLiteral("BindShortcuts")).size(), 1);
    const QVariantList arguments = FakePortal::calls(QStringLiteral("BindShortcuts")).first();
    QCOMPARE(arguments.value(0).value<QDBusObjectPath>().path(), portalKeys()->session());
    QVERIFY(portalKeys()->session().startsWith(QStringLiteral("/org/freedesktop/portal/desktop/session/")));
    QStringList bound;
    const QDBusArgument shortcuts = arguments.value(1).value<QDBusArgument>();
    shortcuts.beginArray();
    while (!shortcuts.atEnd()) {
        QString id;
        QVariantMap properties;
        shortcuts.beginStructure();
        shortcuts >> id >> properties;
        shortcuts.endStructure();
        bound.append(id + QLatin1Char(' ') + properties.value(QStringLiteral("preferred_trigger")).toString());
        QVERIFY(!properties.value(QStringLiteral("description")).toString().isEmpty());
    }
    shortcuts.endArray();
    QCOMPARE(bound, QStringList({QStringLiteral("add-note CTRL+q"), QStringLiteral("show-window CTRL+d"),
                                 QStringLiteral("today-events CTRL+t")}));
}

void TestPortalShortcuts::activated_addNote_opensTheEditor_data()
{
    QTest::addColumn<bool>("shortcutOn");
    QTest::addColumn<bool>("ownSession");
    QTest::addColumn<bool>("opens");
    QTest::newRow("ours, key on") << true << true << true;
    QTest::newRow("ours, key off in the settings") << false << true << false;
    QTest::newRow("another program's session") << true << false << false;
}

void TestPortalShortcuts::activated_addNote_opensTheEditor()
{
    QFETCH(bool, shortcutOn);
    QFETCH(bool, ownSession);
    QFETCH(bool, opens);
    start();
    QTRY_VERIFY(!portalKeys()->session().isEmpty());
    m_window->settings().Shortcut = shortcutOn;
    NoteEditorDialog *editor = m_window->noteEditor();
    bool opened = false;
    // The editor runs modally: look from inside its loop and leave it.
    QTimer watch;
    connect(&watch, &QTimer::timeout, editor, [editor, &opened] {
        if (editor->isVisible()) {
            opened = editor->mode() == NoteEditorDialog::AddMode;
            editor->reject();
        }
    });
    watch.start(10);
    FakePortal::activate(ownSession ? portalKeys()->session() : QStringLiteral("/org/freedesktop/portal/desktop/session/x/y"),
                         QStringLiteral("add-note"));
    if (opens)
        QTRY_VERIFY(opened);
    else
        QTest::qWait(500);
    QCOMPARE(opened, opens);
}

void TestPortalShortcuts::shortcutsPage_saysWhatHoldsTheKeys_data()
{
    QTest::addColumn<uint>("sessionResponse");
    QTest::addColumn<QString>("noteStart");
    QTest::newRow("portal binds") << 0u << QStringLiteral("The keys are bound through the desktop's global shortcuts");
    QTest::newRow("portal refuses") << 2u << QStringLiteral("Global hot keys are not available on this desktop.");
}

void TestPortalShortcuts::shortcutsPage_saysWhatHoldsTheKeys()
{
    QFETCH(uint, sessionResponse);
    QFETCH(QString, noteStart);
    start(sessionResponse);
    auto *note = m_window->settingsDialog()->findChild<QLabel *>(QStringLiteral("HotKeysNote"));
    QVERIFY(note);
    QTRY_VERIFY2(note->text().startsWith(noteStart), qPrintable(note->text()));
    // Where nothing holds the keys, the page tells how to reach the organiser from a desktop shortcut.
    QCOMPARE(note->text().contains(QStringLiteral(" --add-note")), sessionResponse != 0);
}

QTEST_MAIN(TestPortalShortcuts)
#include "tst_portalshortcuts.moc"
