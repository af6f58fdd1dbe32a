#include "UiTestData.h"

#include "reminders/GlobalHotKeys.h"
#include "reminders/X11Desktop.h"
#include "ui/Notes.h"
#include "ui/TrayPresence.h"

#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

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

private:
    static void type(const QString &keys);

    QTemporaryDir *m_dir = nullptr;
    TForm1 *m_window = nullptr;
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
    m_window = new TForm1(m_dir->path() + QLatin1Char('/'));
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

QTEST_MAIN(TestHotKeysX11)
#include "tst_hotkeysx11.moc"
