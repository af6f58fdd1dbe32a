#include "SettingsTestData.h"

#include "desktop/GlobalHotKeys.h"
#include "desktop/X11Desktop.h"
#include "ui/desktop/TrayPresence.h"
#include "ui/dialogs/SettingsDialog.h"
#include "ui/mainwindow/MainWindow.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>

namespace {

// Whether Ctrl+letter is held by a grab: another client asking for the same grab is refused then.
bool heldFromOthers(xcb_keysym_t letter)
{
    xcb_connection_t *other = xcb_connect(nullptr, nullptr);
    xcb_key_symbols_t *symbols = xcb_key_symbols_alloc(other);
    xcb_keycode_t *codes = xcb_key_symbols_get_keycode(symbols, letter);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(other)).data->root;
    xcb_generic_error_t *error =
        xcb_request_check(other, xcb_grab_key_checked(other, 1, root, XCB_MOD_MASK_CONTROL, codes[0],
                                                      XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    const bool held = error != nullptr;
    if (!held) {
        // Given back and the server done with it before the program asks for the key again.
        xcb_ungrab_key(other, codes[0], root, XCB_MOD_MASK_CONTROL);
        std::free(xcb_get_input_focus_reply(other, xcb_get_input_focus(other), nullptr));
    }
    std::free(error);
    std::free(codes);
    xcb_key_symbols_free(symbols);
    xcb_disconnect(other);
    return held;
}

} // namespace

// Runs on a real X server (the test is started under xvfb-run): keys typed with xdotool must reach
// the program's handlers through the grabs on the root window.
class TestHotKeysX11 final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void ctrlT_reachesTheBalloon();
    void ctrlT_withNumLockOn_stillReachesIt();
    void ctrlD_showsTheHiddenWindow();
    void ctrlT_withoutCtrl_isNotTaken();
    void switchedOff_givenBackAtOnce_data();
    void switchedOff_givenBackAtOnce();
    void switchedOff_notTakenAfterARestart();

private:
    static void type(const QString &keys);

    QTemporaryDir *m_dir = nullptr;
    MainWindow *m_window = nullptr;
};

void TestHotKeysX11::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !X11Desktop::connection())
        QSKIP("needs an X server (run under xvfb-run with QT_QPA_PLATFORM=xcb)");
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("needs xdotool");
    enterUiTestMode();
}

void TestHotKeysX11::init()
{
    m_dir = new QTemporaryDir;
    m_window = new MainWindow(m_dir->path() + QLatin1Char('/'));
    m_window->loadAllData();
    m_window->finishStartup();
    Messages::takeShown();
    m_window->show();
    QVERIFY(m_window->trayPresence()->hotKeys().isSupported());
}

void TestHotKeysX11::cleanup()
{
    delete m_window;
    m_window = nullptr;
    delete m_dir;
}

void TestHotKeysX11::type(const QString &keys)
{
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), keys}), 0);
}

void TestHotKeysX11::ctrlT_reachesTheBalloon()
{
    QSignalSpy shown(m_window->trayPresence(), &TrayPresence::balloonShown);
    type(QStringLiteral("ctrl+t"));
    QTRY_COMPARE(shown.count(), 1);
    QCOMPARE(shown.at(0).at(0).toString(), QStringLiteral("Today events"));
}

void TestHotKeysX11::ctrlT_withNumLockOn_stillReachesIt()
{
    type(QStringLiteral("Num_Lock"));
    QTRY_VERIFY(X11Desktop::lockIndicators().numLock);
    QSignalSpy shown(m_window->trayPresence(), &TrayPresence::balloonShown);
    type(QStringLiteral("ctrl+t"));
    QTRY_COMPARE(shown.count(), 1);
    type(QStringLiteral("Num_Lock"));
    QTRY_VERIFY(!X11Desktop::lockIndicators().numLock);
}

void TestHotKeysX11::ctrlD_showsTheHiddenWindow()
{
    m_window->hide();
    type(QStringLiteral("ctrl+d"));
    QTRY_VERIFY(m_window->isVisible());
}

void TestHotKeysX11::ctrlT_withoutCtrl_isNotTaken()
{
    QSignalSpy shown(m_window->trayPresence(), &TrayPresence::balloonShown);
    type(QStringLiteral("t"));
    type(QStringLiteral("ctrl+shift+t"));
    QTest::qWait(300);
    QCOMPARE(shown.count(), 0);
}

void TestHotKeysX11::switchedOff_givenBackAtOnce_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<char>("letter");
    QTest::newRow("Ctrl+Q") << QStringLiteral("CheckBox2") << 'q';
    QTest::newRow("Ctrl+D") << QStringLiteral("CheckBox20") << 'd';
    QTest::newRow("Ctrl+T") << QStringLiteral("CheckBox23") << 't';
}

void TestHotKeysX11::switchedOff_givenBackAtOnce()
{
    QFETCH(QString, box);
    QFETCH(char, letter);
    QVERIFY(heldFromOthers(letter));
    SettingsDialog &dialog = *m_window->settingsDialog();
    dialog.show();
    dialog.findChild<QCheckBox *>(box)->click();
    QVERIFY(!heldFromOthers(letter));
    dialog.findChild<QCheckBox *>(box)->click();
    QVERIFY(heldFromOthers(letter));
}

void TestHotKeysX11::switchedOff_notTakenAfterARestart()
{
    delete m_window;
    m_window = nullptr;
    Settings settings;
    settings.Shortcut = false;
    settings.ShowWindowShortCut = false;
    writeSettingsFile(m_dir->path(), settings);
    m_window = startProgram(m_dir->path()).release();
    QVERIFY(!heldFromOthers('q'));
    QVERIFY(!heldFromOthers('d'));
    // Ctrl+T has no key of its own: it is on at every start.
    QVERIFY(heldFromOthers('t'));
}

QTEST_MAIN(TestHotKeysX11)
#include "tst_hotkeysx11.moc"
