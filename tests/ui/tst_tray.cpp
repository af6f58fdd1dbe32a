#include "NotesFixture.h"
#include "TrayTestData.h"

#include "core/Clock.h"
#include "reminders/AutoHide.h"
#include "ui/desktop/TrayPresence.h"
#include "ui/dialogs/AboutDialog.h"
#include "ui/dialogs/AddTransactionDialog.h"
#include "ui/dialogs/ChangeBalanceDialog.h"
#include "ui/dialogs/ManageTransactionsDialog.h"
#include "ui/dialogs/NoteEditorDialog.h"
#include "ui/dialogs/PassPhraseDialog.h"
#include "ui/dialogs/SettingsDialog.h"
#include "ui/widgets/BalloonHint.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(10, 0));
const QString kThirty = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123");
const QPoint kEdge(1920 - 5, 300);
const QPoint kAway(200, 900);

TDateTime todayAt(int hour)
{
    return DateTime::encode(2026, 12, 9, hour, 0);
}

} // namespace

class TestTray final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void ctrlT_showsTodaysBalloonAtOnce();
    void ctrlT_boxOff_showsNothing();
    void menuOpening_holdsTheMouseBalloonBack60Ticks();
    void menuOpening_closesTheBalloon();
    void mouseMove_needsTrayIconPopUp();
    void middleClick_showsTheBalloon();
    void toolTip_followsTodaysNotes();
    void iconClick_resetsCountdownAndToggles();
    void minimising_data();
    void minimising();
    void closingWithoutTray_tellsOnceHowToGetOneAndHowToEnd_data();
    void closingWithoutTray_tellsOnceHowToGetOneAndHowToEnd();
    void trayIcon_symbolicOnADarkDesktop();
    void hidden_onlyMidnightWakes_data();
    void hidden_onlyMidnightWakes();
    void autoHide_edgeShowsAndLeavingHidesAfterDelayPlusOne();
    void autoHide_keptOpen_data();
    void autoHide_keptOpen();
    void autoHideOff_timerStopsAndEdgeDoesNothing();
    void ctrlQ_opensTheEditorOnlyWhenOn_data();
    void ctrlQ_opensTheEditorOnlyWhenOn();
    void ctrlQ_whileEditorOpen_doesNotReopenIt();
    void ctrlD_showsHiddenWindowOnlyWhenOn();
    void hotKeysNote_data();
    void hotKeysNote();
    void alwaysOnTop_reappliedByTheWallpaperBox();

private:
    TrayPresence &presence() { return *m_window->trayPresence(); }
    QMenu *trayMenu() { return m_window->findChild<QMenu *>(QStringLiteral("JvPopupMenu2")); }
    QTimer *timer1() { return m_window->findChild<QTimer *>(QStringLiteral("Timer1")); }
    void turnAutoHideOn(qint32 delay);
    // Ticks of Timer1 until the window hides; -1 when it stays for `limit` ticks.
    int ticksUntilHidden(int limit);
    ScriptedHotKeys *useScriptedHotKeys(bool supported = true, bool registers = true);

    QTemporaryDir *m_dir = nullptr;
    std::unique_ptr<MainWindow> m_window;
    std::shared_ptr<DesktopState> m_desktop;
};

void TestTray::initTestCase()
{
    enterUiTestMode();
}

void TestTray::init()
{
    Clock::setNowForTesting(kNow);
    m_dir = new QTemporaryDir;
    m_window = startWithNotes(
        m_dir->path(),
        {makeNote(QStringLiteral("0123456789"), 3, 0, false, todayAt(9)), makeNote(kThirty, 1, 100, true, todayAt(18)),
         makeNote(QStringLiteral("tomorrow"), 3, 0, false, DateTime::encode(2026, 12, 10, 0, 0)),
         makeNote(kThirty + QStringLiteral("4"), 2, 0, false, todayAt(12)), makeNote(QStringLiteral("no deadline"))});
    m_desktop = std::make_shared<DesktopState>();
    m_desktop->primaryScreen = QRect(0, 0, 1920, 1080);
    m_desktop->cursor = kAway;
    presence().setDesktopProbe(std::make_unique<ScriptedDesktop>(m_desktop));
    m_window->show();
}

void TestTray::cleanup()
{
    m_window.reset();
    delete m_dir;
    Clock::resetForTesting();
}

ScriptedHotKeys *TestTray::useScriptedHotKeys(bool supported, bool registers)
{
    auto keys = std::make_unique<ScriptedHotKeys>(supported, registers);
    ScriptedHotKeys *raw = keys.get();
    presence().setHotKeys(std::move(keys));
    return raw;
}

void TestTray::turnAutoHideOn(qint32 delay)
{
    m_window->settings().AutohideDelay = delay;
    SettingsDialog &dialog = *m_window->settingsDialog();
    dialog.show();
    QCheckBox *active = dialog.findChild<QCheckBox *>(QStringLiteral("CheckBox1"));
    if (!active->isChecked())
        active->click();
    dialog.hide();
    QVERIFY(m_window->settings().Autohide);
}

int TestTray::ticksUntilHidden(int limit)
{
    for (int tick = 1; tick <= limit; ++tick) {
        presence().Timer1Timer();
        if (!m_window->isVisible() || m_window->isMinimized())
            return tick;
    }
    return -1;
}

void TestTray::ctrlT_showsTodaysBalloonAtOnce()
{
    ScriptedHotKeys *keys = useScriptedHotKeys();
    QSignalSpy shown(&presence(), &TrayPresence::balloonShown);
    // The menu's hold-back does not apply to the key.
    Q_EMIT trayMenu()->aboutToShow();
    QCOMPARE(m_window->state().TrayPopupDelay, AutoHide::kMenuPopupDelay);
    keys->press(GlobalHotKeys::Key::TodayEvents);
    QCOMPARE(shown.count(), 1);
    QCOMPARE(shown.at(0).at(0).toString(), QStringLiteral("Today events"));
    const QString body =
        QStringLiteral("\u2022 0123456789\r\u2022 ") + kThirty.left(27) + QStringLiteral("...\r\u2022 ") + kThirty;
    QCOMPARE(shown.at(0).at(1).toString(), body);
    // Offscreen there is no notification area: the program draws the balloon itself.
    BalloonHint *balloon = presence().ownBalloon();
    QVERIFY(balloon->isVisible());
    QCOMPARE(balloon->header(), QStringLiteral("Today events"));
    QCOMPARE(balloon->body().count(QLatin1Char('\n')), 2);
    QVERIFY(!balloon->body().contains(QLatin1Char('\r')));
}

void TestTray::ctrlT_boxOff_showsNothing()
{
    ScriptedHotKeys *keys = useScriptedHotKeys();
    SettingsDialog &dialog = *m_window->settingsDialog();
    dialog.show();
    dialog.findChild<QCheckBox *>(QStringLiteral("CheckBox23"))->click();
    dialog.hide();
    QSignalSpy shown(&presence(), &TrayPresence::balloonShown);
    keys->press(GlobalHotKeys::Key::TodayEvents);
    QCOMPARE(shown.count(), 0);
}

void TestTray::menuOpening_holdsTheMouseBalloonBack60Ticks()
{
    QSignalSpy shown(&presence(), &TrayPresence::balloonShown);
    QVERIFY(!timer1()->isActive());
    Q_EMIT trayMenu()->aboutToShow();
    QVERIFY(timer1()->isActive());
    for (int tick = 1; tick < AutoHide::kMenuPopupDelay; ++tick) {
        presence().Timer1Timer();
        presence().JvTrayIcon1MouseMove();
    }
    QCOMPARE(shown.count(), 0);
    QVERIFY(timer1()->isActive());
    presence().Timer1Timer();
    QCOMPARE(m_window->state().TrayPopupDelay, 0);
    // Nothing left to count: the timer rests.
    QVERIFY(!timer1()->isActive());
    presence().JvTrayIcon1MouseMove();
    QCOMPARE(shown.count(), 1);
}

void TestTray::menuOpening_closesTheBalloon()
{
    presence().ShowTrayIconPopup(TrayPresence::kBalloonFromKeyMs);
    QVERIFY(presence().ownBalloon()->isVisible());
    Q_EMIT trayMenu()->aboutToShow();
    QVERIFY(!presence().ownBalloon()->isVisible());
}

void TestTray::mouseMove_needsTrayIconPopUp()
{
    QSignalSpy shown(&presence(), &TrayPresence::balloonShown);
    m_window->settings().TrayIconPopUp = false;
    presence().JvTrayIcon1MouseMove();
    QCOMPARE(shown.count(), 0);
    m_window->settings().TrayIconPopUp = true;
    presence().JvTrayIcon1MouseMove();
    QCOMPARE(shown.count(), 1);
}

void TestTray::middleClick_showsTheBalloon()
{
    QSignalSpy shown(&presence(), &TrayPresence::balloonShown);
    Q_EMIT m_window->trayIcon()->activated(QSystemTrayIcon::MiddleClick);
    QCOMPARE(shown.count(), 1);
    QVERIFY(m_window->isVisible());
}

void TestTray::toolTip_followsTodaysNotes()
{
    QSystemTrayIcon *icon = m_window->trayIcon();
    QVERIFY(icon->toolTip().startsWith(QStringLiteral("Today events\n\u2022 0123456789\n")));
    QCOMPARE(icon->toolTip().count(QStringLiteral("\u2022")), 3);
    m_window->notes().append(makeNote(QStringLiteral("dentist"), 3, 0, false, todayAt(23)));
    m_window->RefreshNotes();
    QVERIFY(icon->toolTip().endsWith(QStringLiteral("\n\u2022 dentist")));
    m_window->notes().clear();
    m_window->RefreshNotes();
    QCOMPARE(icon->toolTip(), QStringLiteral("Marevo Notes"));
}

void TestTray::iconClick_resetsCountdownAndToggles()
{
    m_window->settings().AutohideDelay = 20;
    Q_EMIT m_window->trayIcon()->activated(QSystemTrayIcon::Trigger);
    QCOMPARE(m_window->state().HideCountdown, 20);
    QVERIFY(!m_window->isVisible() || m_window->isMinimized());
    m_window->state().HideCountdown = 3;
    Q_EMIT m_window->trayIcon()->activated(QSystemTrayIcon::Trigger);
    QCOMPARE(m_window->state().HideCountdown, 20);
    QVERIFY(m_window->isVisible() && !m_window->isMinimized());
}

void TestTray::minimising_data()
{
    QTest::addColumn<bool>("trayIcon");
    QTest::newRow("hides to the tray icon") << true;
    QTest::newRow("stays minimised without one") << false;
}

void TestTray::minimising()
{
    QFETCH(bool, trayIcon);
    m_window->trayIcon()->setVisible(trayIcon);
    m_window->showMinimized();
    if (trayIcon)
        QTRY_VERIFY(!m_window->isVisible());
    QTest::qWait(20);
    QCOMPARE(m_window->isVisible(), !trayIcon);
    Q_EMIT m_window->trayIcon()->activated(QSystemTrayIcon::Trigger);
    QVERIFY(m_window->isVisible() && !m_window->isMinimized());
}

void TestTray::hidden_onlyMidnightWakes_data()
{
    QTest::addColumn<bool>("wallpaper");
    QTest::newRow("upcoming events in the window only") << false;
    QTest::newRow("upcoming events on the wallpaper too") << true;
}

void TestTray::hidden_onlyMidnightWakes()
{
    QFETCH(bool, wallpaper);
    m_window->settings().ShowUpcomingEventsOnDesktop = wallpaper;
    auto *timer2 = m_window->findChild<QTimer *>(QStringLiteral("Timer2"));
    auto *timer3 = m_window->findChild<QTimer *>(QStringLiteral("Timer3"));
    auto *midnight = m_window->findChild<QTimer *>(QStringLiteral("MidnightTimer"));
    QVERIFY(timer2->isActive() && timer3->isActive() && !midnight->isActive());

    Clock::setNowForTesting(QDateTime(QDate(2026, 12, 9), QTime(23, 59, 30)));
    m_window->hide();
    QVERIFY(!timer3->isActive());
    QCOMPARE(timer2->isActive(), wallpaper);
    QVERIFY(midnight->isActive() && midnight->isSingleShot());
    QCOMPARE(midnight->interval(), 31000);
    if (!wallpaper) {
        // Past midnight the day change is taken and the next one is the wake-up after it.
        Clock::setNowForTesting(QDateTime(QDate(2026, 12, 10), QTime(0, 0, 1)));
        midnight->start(0);
        QTRY_COMPARE(midnight->interval(), 86400000);
        QVERIFY(midnight->isActive() && !timer3->isActive() && !timer2->isActive());
    }

    m_window->show();
    QVERIFY(timer2->isActive() && timer3->isActive() && !midnight->isActive());
}

void TestTray::closingWithoutTray_tellsOnceHowToGetOneAndHowToEnd_data()
{
    QTest::addColumn<bool>("trayIcon");
    QTest::addColumn<bool>("toldBefore");
    QTest::addColumn<int>("told");
    QTest::newRow("no tray, first time") << false << false << 1;
    QTest::newRow("no tray, told at an earlier run") << false << true << 0;
    QTest::newRow("a tray") << true << false << 0;
}

void TestTray::closingWithoutTray_tellsOnceHowToGetOneAndHowToEnd()
{
    QFETCH(bool, trayIcon);
    QFETCH(bool, toldBefore);
    QFETCH(int, told);
    m_window->trayIcon()->setVisible(trayIcon);
    m_window->settings().TrayHintShown = toldBefore;
    Messages::takeShown();
    for (int closing = 0; closing < 2; ++closing) {
        m_window->showFromTray();
        QVERIFY(!m_window->close());
        QTRY_VERIFY(!m_window->isVisible() || m_window->isMinimized());
    }
    const QList<Messages::Shown> shown = Messages::takeShown();
    QCOMPARE(shown.size(), told);
    if (told) {
        QCOMPARE(shown.first().text, TrayPresence::kNoTrayNotice);
        QVERIFY(shown.first().text.contains(QStringLiteral("AppIndicator")));
    }
    QCOMPARE(m_window->settings().TrayHintShown, toldBefore || told > 0);
    // The notice's way out is there: "Close" in the General menu.
    auto *close = m_window->findChild<QAction *>(QStringLiteral("Close2"));
    QVERIFY(close);
    QCOMPARE(close->text(), QStringLiteral("Close"));
    QVERIFY(m_window->findChild<QMenu *>(QStringLiteral("File1"))->actions().contains(close));
}

void TestTray::trayIcon_symbolicOnADarkDesktop()
{
    const QPalette light = QApplication::palette();
    QCOMPARE(m_window->trayIcon()->icon().cacheKey(), ImageList1::trayIcon(false).cacheKey());
    QPalette dark = light;
    dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::WindowText, QColor(0xF0, 0xF0, 0xF0));
    QApplication::setPalette(dark);
    QTRY_COMPARE(m_window->trayIcon()->icon().cacheKey(), ImageList1::trayIcon(true).cacheKey());
    QApplication::setPalette(light);
    QTRY_COMPARE(m_window->trayIcon()->icon().cacheKey(), ImageList1::trayIcon(false).cacheKey());
}

void TestTray::autoHide_edgeShowsAndLeavingHidesAfterDelayPlusOne()
{
    turnAutoHideOn(20);
    QVERIFY(timer1()->isActive());
    QCOMPARE(timer1()->interval(), 50);
    m_window->hideToTray();
    m_desktop->cursor = QPoint(1920 - 5, 100);
    presence().Timer1Timer();
    QVERIFY(!m_window->isVisible() || m_window->isMinimized());
    m_desktop->cursor = QPoint(1920 - 5, 1080 - 40);
    presence().Timer1Timer();
    QVERIFY(!m_window->isVisible() || m_window->isMinimized());
    m_desktop->cursor = kEdge;
    presence().Timer1Timer();
    QVERIFY(m_window->isVisible() && !m_window->isMinimized());
    m_desktop->cursor = kAway;
    QCOMPARE(ticksUntilHidden(100), 20);
    // The tick at the edge counted as the first of the 21.
}

void TestTray::autoHide_keptOpen_data()
{
    QTest::addColumn<QString>("what");
    for (const char *what : {"TForm4", "TForm2", "TForm5", "TForm6", "TForm7", "TForm8", "TForm9", "DialogBusy"})
        QTest::newRow(what) << QString::fromLatin1(what);
}

void TestTray::autoHide_keptOpen()
{
    QFETCH(QString, what);
    turnAutoHideOn(1);
    std::unique_ptr<PassPhraseDialog> passwordWindow;
    QWidget *open = nullptr;
    if (what == QLatin1String("TForm4"))
        open = m_window->settingsDialog();
    else if (what == QLatin1String("TForm2"))
        open = m_window->noteEditor();
    else if (what == QLatin1String("TForm5"))
        open = m_window->findChild<AboutDialog *>();
    else if (what == QLatin1String("TForm7"))
        open = m_window->findChild<AddTransactionDialog *>();
    else if (what == QLatin1String("TForm8"))
        open = m_window->findChild<ManageTransactionsDialog *>();
    else if (what == QLatin1String("TForm9"))
        open = m_window->findChild<ChangeBalanceDialog *>();
    else if (what == QLatin1String("TForm6"))
        open = (passwordWindow = std::make_unique<PassPhraseDialog>()).get();
    else
        m_window->state().DialogBusy = true;
    if (what != QLatin1String("DialogBusy")) {
        QVERIFY(open);
        open->show();
    }
    QCOMPARE(ticksUntilHidden(40), -1);
    if (open)
        open->hide();
    m_window->state().DialogBusy = false;
    QCOMPARE(ticksUntilHidden(40), 1);
}

void TestTray::autoHideOff_timerStopsAndEdgeDoesNothing()
{
    turnAutoHideOn(5);
    SettingsDialog &dialog = *m_window->settingsDialog();
    dialog.show();
    dialog.findChild<QCheckBox *>(QStringLiteral("CheckBox1"))->click();
    dialog.hide();
    QVERIFY(!m_window->settings().Autohide);
    QVERIFY(!timer1()->isActive());
    m_window->hideToTray();
    m_desktop->cursor = kEdge;
    m_desktop->ctrl = true;
    presence().Timer1Timer();
    QVERIFY(!m_window->isVisible() || m_window->isMinimized());
}

void TestTray::ctrlQ_opensTheEditorOnlyWhenOn_data()
{
    QTest::addColumn<bool>("shortcut");
    QTest::newRow("on") << true;
    QTest::newRow("off") << false;
}

void TestTray::ctrlQ_opensTheEditorOnlyWhenOn()
{
    QFETCH(bool, shortcut);
    m_window->settings().Shortcut = shortcut;
    ScriptedHotKeys *keys = useScriptedHotKeys();
    NoteEditorDialog *editor = m_window->noteEditor();
    bool opened = false;
    QTimer::singleShot(0, editor, [editor, &opened] {
        opened = editor->isVisible();
        editor->reject();
    });
    keys->press(GlobalHotKeys::Key::AddNote);
    QCoreApplication::processEvents();
    QCOMPARE(opened, shortcut);
    if (shortcut)
        QCOMPARE(editor->mode(), NoteEditorDialog::AddMode);
}

void TestTray::ctrlQ_whileEditorOpen_doesNotReopenIt()
{
    ScriptedHotKeys *keys = useScriptedHotKeys();
    NoteEditorDialog *editor = m_window->noteEditor();
    bool stillEditing = false;
    QTimer::singleShot(0, editor, [&] {
        keys->press(GlobalHotKeys::Key::AddNote);
        stillEditing =
            editor->isVisible() && editor->mode() == NoteEditorDialog::EditMode && editor->editedPosition() == 1;
        editor->reject();
    });
    m_window->noteEditor()->openForEdit(1);
    QVERIFY(stillEditing);
}

void TestTray::ctrlD_showsHiddenWindowOnlyWhenOn()
{
    ScriptedHotKeys *keys = useScriptedHotKeys();
    m_window->settings().AutohideDelay = 7;
    m_window->settings().ShowWindowShortCut = false;
    m_window->hideToTray();
    keys->press(GlobalHotKeys::Key::ShowWindow);
    QVERIFY(!m_window->isVisible() || m_window->isMinimized());
    QCOMPARE(m_window->state().HideCountdown, 0);
    m_window->settings().ShowWindowShortCut = true;
    keys->press(GlobalHotKeys::Key::ShowWindow);
    QVERIFY(m_window->isVisible() && !m_window->isMinimized());
    QCOMPARE(m_window->state().HideCountdown, 7);
}

void TestTray::hotKeysNote_data()
{
    QTest::addColumn<bool>("supported");
    QTest::addColumn<bool>("registers");
    QTest::addColumn<QString>("note");
    QTest::newRow("no global keys") << false << false
                                    << QStringLiteral("Global hot keys are not available on this desktop.");
    QTest::newRow("taken") << true << false
                           << QStringLiteral("Some of these keys are taken by another program and do not work.");
    QTest::newRow("all registered") << true << true << QStringLiteral("The keys are taken from the X11 display.");
}

void TestTray::hotKeysNote()
{
    QFETCH(bool, supported);
    QFETCH(bool, registers);
    QFETCH(QString, note);
    useScriptedHotKeys(supported, registers);
    auto *label = m_window->settingsDialog()->findChild<QLabel *>(QStringLiteral("HotKeysNote"));
    QVERIFY(label);
    QCOMPARE(label->text().section(QLatin1Char('.'), 0, 0) + QLatin1Char('.'), note);
    // Only where no key works does the page tell how to bind the desktop's own shortcuts instead.
    QCOMPARE(label->text().contains(QStringLiteral(" --today-popup")), !supported);
}

void TestTray::alwaysOnTop_reappliedByTheWallpaperBox()
{
    QVERIFY(m_window->settings().AlwaysOnTop);
    m_window->setWindowFlag(Qt::WindowStaysOnTopHint, false);
    m_window->show();
    SettingsDialog &dialog = *m_window->settingsDialog();
    dialog.show();
    dialog.findChild<QCheckBox *>(QStringLiteral("CheckBox19"))->click();
    QVERIFY(m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // Changing the flag hides a window; it must come back.
    QVERIFY(m_window->isVisible());
}

QTEST_MAIN(TestTray)
#include "tst_tray.moc"
