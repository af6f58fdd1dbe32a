#include "reminders/AutoHide.h"

#include <QTest>

namespace {

const QRect kScreen(0, 0, 1920, 1080);
const QRect kWindow(1543, 0, 377, 867);

Settings autoHideOn(qint32 delay = 20, int popupRule = 1)
{
    Settings settings;
    settings.Autohide = true;
    settings.AutohideDelay = delay;
    settings.Popup1 = popupRule == 1;
    settings.Popup2 = popupRule == 2;
    settings.Popup3 = popupRule == 3;
    settings.Popup4 = popupRule == 4;
    return settings;
}

AutoHideInput at(QPoint cursor, bool windowVisible = false)
{
    AutoHideInput input;
    input.desktop.cursor = cursor;
    input.desktop.primaryScreen = kScreen;
    input.windowVisible = windowVisible;
    input.windowRect = kWindow;
    return input;
}

const QPoint kAway(100, 500);

} // namespace

class TestAutoHide final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void popupRule_data();
    void popupRule();
    void edgeOfAnOffsetPrimaryScreen();
    void edge_showsAndResetsTheCountdown();
    void hidesAfterDelayPlusOneTicks_data();
    void hidesAfterDelayPlusOneTicks();
    void keepsOpen_data();
    void keepsOpen();
    void hiddenWindow_keepsHidingEveryTick();
    void autoHideOff_doesNothingButCountsThePopupDelay();
    void popupDelay_stopsAtZero();
    void timerNeeded_onlyWithWork();
};

void TestAutoHide::popupRule_data()
{
    QTest::addColumn<int>("rule");
    QTest::addColumn<QPoint>("cursor");
    QTest::addColumn<bool>("numLock");
    QTest::addColumn<bool>("scrollLock");
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<bool>("shows");
    const int w = 1920;
    const int h = 1080;
    QTest::newRow("edge at 300") << 1 << QPoint(w - 5, 300) << false << false << false << true;
    QTest::newRow("last pixel") << 1 << QPoint(w - 1, 300) << false << false << false << true;
    QTest::newRow("9 from the right") << 1 << QPoint(w - 9, 300) << false << false << false << true;
    QTest::newRow("10 from the right") << 1 << QPoint(w - 10, 300) << false << false << false << false;
    QTest::newRow("top 100") << 1 << QPoint(w - 5, 100) << false << false << false << false;
    QTest::newRow("y 150") << 1 << QPoint(w - 5, 150) << false << false << false << false;
    QTest::newRow("y 151") << 1 << QPoint(w - 5, 151) << false << false << false << true;
    QTest::newRow("bottom 40") << 1 << QPoint(w - 5, h - 40) << false << false << false << false;
    QTest::newRow("bottom 50") << 1 << QPoint(w - 5, h - 50) << false << false << false << false;
    QTest::newRow("bottom 51") << 1 << QPoint(w - 5, h - 51) << false << false << false << true;
    QTest::newRow("screen to the right") << 1 << QPoint(w + 500, 300) << false << false << false << false;
    QTest::newRow("numlock off") << 2 << QPoint(w - 5, 300) << false << true << true << false;
    QTest::newRow("numlock on") << 2 << QPoint(w - 5, 300) << true << false << false << true;
    QTest::newRow("numlock on, top") << 2 << QPoint(w - 5, 100) << true << false << false << false;
    QTest::newRow("scroll lock off") << 3 << QPoint(w - 5, 300) << true << false << true << false;
    QTest::newRow("scroll lock on") << 3 << QPoint(w - 5, 300) << false << true << false << true;
    QTest::newRow("ctrl, top") << 4 << QPoint(w - 5, 100) << false << false << true << true;
    QTest::newRow("ctrl, bottom") << 4 << QPoint(w - 5, h - 5) << false << false << true << true;
    QTest::newRow("ctrl, away from the edge") << 4 << QPoint(w - 10, 300) << false << false << true << false;
    QTest::newRow("no ctrl") << 4 << QPoint(w - 5, 300) << true << true << false << false;
}

void TestAutoHide::popupRule()
{
    QFETCH(int, rule);
    QFETCH(QPoint, cursor);
    QFETCH(bool, numLock);
    QFETCH(bool, scrollLock);
    QFETCH(bool, ctrl);
    QFETCH(bool, shows);
    const Settings settings = autoHideOn(20, rule);
    AutoHideInput input = at(cursor);
    input.desktop.numLock = numLock;
    input.desktop.scrollLock = scrollLock;
    input.desktop.ctrl = ctrl;
    QCOMPARE(AutoHide::popupRuleHolds(settings, input.desktop), shows);
    ProgramState state;
    const AutoHideStep step = AutoHide::Timer1Timer(state, settings, input);
    QCOMPARE(step.show, shows);
    // A window that shows stays for the delay; one that does not is hidden again.
    QCOMPARE(step.hide, !shows);
}

void TestAutoHide::edgeOfAnOffsetPrimaryScreen()
{
    DesktopState desktop;
    desktop.primaryScreen = QRect(1280, 200, 1920, 1080);
    desktop.cursor = QPoint(1280 + 1915, 200 + 300);
    QVERIFY(AutoHide::atRightEdge(desktop));
    desktop.cursor = QPoint(1915, 300);
    QVERIFY(!AutoHide::atRightEdge(desktop));
    desktop.cursor = QPoint(1280 + 1915, 200 + 100);
    QVERIFY(!AutoHide::atRightEdge(desktop));
}

void TestAutoHide::edge_showsAndResetsTheCountdown()
{
    ProgramState state;
    const AutoHideStep step = AutoHide::Timer1Timer(state, autoHideOn(20), at(QPoint(1915, 300)));
    QVERIFY(step.show);
    QVERIFY(!step.hide);
    QCOMPARE(state.HideCountdown, 19);
}

void TestAutoHide::hidesAfterDelayPlusOneTicks_data()
{
    QTest::addColumn<int>("delay");
    QTest::newRow("1 tick") << 1;
    QTest::newRow("20 ticks") << 20;
    QTest::newRow("300 ticks") << 300;
}

void TestAutoHide::hidesAfterDelayPlusOneTicks()
{
    QFETCH(int, delay);
    const Settings settings = autoHideOn(delay);
    ProgramState state;
    // The mouse rests inside the shown window, then leaves it.
    QVERIFY(!AutoHide::Timer1Timer(state, settings, at(kWindow.center(), true)).hide);
    int ticks = 1;
    while (++ticks <= delay + 5)
        if (AutoHide::Timer1Timer(state, settings, at(kAway, true)).hide)
            break;
    QCOMPARE(ticks, delay + 1);
    // Hiding again while hidden changes nothing but is asked for every tick.
    QVERIFY(AutoHide::Timer1Timer(state, settings, at(kAway, false)).hide);
}

void TestAutoHide::keepsOpen_data()
{
    QTest::addColumn<QPoint>("cursor");
    QTest::addColumn<bool>("windowVisible");
    QTest::addColumn<bool>("dialogOpen");
    QTest::addColumn<bool>("dialogBusy");
    QTest::addColumn<bool>("keeps");
    QTest::newRow("mouse inside") << kWindow.center() << true << false << false << true;
    QTest::newRow("mouse on the left border") << QPoint(kWindow.left(), 400) << true << false << false << false;
    QTest::newRow("mouse one inside the border") << QPoint(kWindow.left() + 1, 400) << true << false << false << true;
    QTest::newRow("mouse on the bottom line")
        << QPoint(1600, kWindow.top() + kWindow.height()) << true << false << false << false;
    QTest::newRow("inside but hidden") << kWindow.center() << false << false << false << false;
    QTest::newRow("settings dialog open") << kAway << true << true << false << true;
    QTest::newRow("dialog open, window hidden") << kAway << false << true << false << true;
    QTest::newRow("delete question") << kAway << true << false << true << true;
    QTest::newRow("nothing") << kAway << true << false << false << false;
}

void TestAutoHide::keepsOpen()
{
    QFETCH(QPoint, cursor);
    QFETCH(bool, windowVisible);
    QFETCH(bool, dialogOpen);
    QFETCH(bool, dialogBusy);
    QFETCH(bool, keeps);
    const Settings settings = autoHideOn(3);
    ProgramState state;
    state.DialogBusy = dialogBusy;
    AutoHideInput input = at(cursor, windowVisible);
    input.dialogOpen = dialogOpen;
    bool hidden = false;
    for (int tick = 0; tick < 50; ++tick)
        hidden = AutoHide::Timer1Timer(state, settings, input).hide || hidden;
    QCOMPARE(hidden, !keeps);
}

void TestAutoHide::hiddenWindow_keepsHidingEveryTick()
{
    ProgramState state;
    const Settings settings = autoHideOn(1);
    for (int tick = 0; tick < 3; ++tick) {
        const AutoHideStep step = AutoHide::Timer1Timer(state, settings, at(kAway));
        QVERIFY(step.hide);
        QVERIFY(!step.show);
        QCOMPARE(state.HideCountdown, 0);
    }
}

void TestAutoHide::autoHideOff_doesNothingButCountsThePopupDelay()
{
    Settings settings = autoHideOn(20, 4);
    settings.Autohide = false;
    ProgramState state;
    state.HideCountdown = 5;
    state.TrayPopupDelay = 2;
    AutoHideInput input = at(QPoint(1915, 300), false);
    input.desktop.ctrl = true;
    const AutoHideStep step = AutoHide::Timer1Timer(state, settings, input);
    QVERIFY(!step.show);
    QVERIFY(!step.hide);
    QCOMPARE(state.HideCountdown, 5);
    QCOMPARE(state.TrayPopupDelay, 1);
}

void TestAutoHide::popupDelay_stopsAtZero()
{
    ProgramState state;
    state.TrayPopupDelay = AutoHide::kMenuPopupDelay;
    Settings settings;
    for (int tick = 0; tick < AutoHide::kMenuPopupDelay - 1; ++tick)
        AutoHide::Timer1Timer(state, settings, at(kAway));
    QCOMPARE(state.TrayPopupDelay, 1);
    AutoHide::Timer1Timer(state, settings, at(kAway));
    AutoHide::Timer1Timer(state, settings, at(kAway));
    QCOMPARE(state.TrayPopupDelay, 0);
}

void TestAutoHide::timerNeeded_onlyWithWork()
{
    ProgramState state;
    Settings settings;
    QVERIFY(!AutoHide::timerNeeded(state, settings));
    state.TrayPopupDelay = 1;
    QVERIFY(AutoHide::timerNeeded(state, settings));
    state.TrayPopupDelay = 0;
    settings.Autohide = true;
    QVERIFY(AutoHide::timerNeeded(state, settings));
}

QTEST_APPLESS_MAIN(TestAutoHide)
#include "tst_autohide.moc"
