#include "settings/SettingsEffects.h"
#include "settings/SettingsTable.h"

#include <QTest>

using namespace SettingsEffects;

Q_DECLARE_METATYPE(SettingsEffects::StartPage)
Q_DECLARE_METATYPE(NotesSortOrder)

namespace {

// Turns the named booleans on, one after the other, the way a file read sets them.
Settings withChoices(std::initializer_list<bool Settings::*> choices)
{
    Settings settings;
    for (bool Settings::*choice : choices)
        choose(settings, choice);
    return settings;
}

} // namespace

class TestSettingsEffects final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startPage_followsTheChosenTab_data();
    void startPage_followsTheChosenTab();
    void startPage_twoOnTestsNotepadFirst();
    void sortOrder_followsTheMarkedItem_data();
    void sortOrder_followsTheMarkedItem();
    void chooseSortOrder_leavesOneMarked();
    void statusBarAtLoad_panelWidths_data();
    void statusBarAtLoad_panelWidths();
    void statusBarFromDialog_countersNarrowerThanAtLoad();
    void fonts_listFontLeavesWeekScheduleAlone();
    void clockPanel_heightFollowsClockType_data();
    void clockPanel_heightFollowsClockType();
    void autohideDelayText_inSeconds_data();
    void autohideDelayText_inSeconds();
    void orderCustomPanelTimes_swapsReversedTimes_data();
    void orderCustomPanelTimes_swapsReversedTimes();
    void weekSortSwitch_choosesInTheRecord();
};

void TestSettingsEffects::startPage_followsTheChosenTab_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<StartPage>("page");
    QTest::newRow("Notes") << 1 << StartPage::Notes;
    QTest::newRow("Notepad") << 2 << StartPage::Notepad;
    QTest::newRow("Week schedule") << 3 << StartPage::WeekSchedule;
    QTest::newRow("Expenditure management") << 4 << StartPage::Expenditures;
}

void TestSettingsEffects::startPage_followsTheChosenTab()
{
    QFETCH(int, tab);
    QFETCH(StartPage, page);
    bool Settings::*const tabs[] = {&Settings::StartupTab1, &Settings::StartupTab2, &Settings::StartupTab3,
                                    &Settings::StartupTab4};
    const Settings settings = withChoices({tabs[tab - 1]});
    QCOMPARE(startPage(settings), page);
}

void TestSettingsEffects::startPage_twoOnTestsNotepadFirst()
{
    Settings settings;
    settings.StartupTab1 = false;
    settings.StartupTab3 = true;
    settings.StartupTab2 = true;
    QCOMPARE(startPage(settings), StartPage::Notepad);
    settings.StartupTab2 = settings.StartupTab3 = false;
    QCOMPARE(startPage(settings), StartPage::Notes);
}

void TestSettingsEffects::sortOrder_followsTheMarkedItem_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<NotesSortOrder>("order");
    QTest::newRow("by priority") << 0 << NotesSortOrder::ByPriority;
    QTest::newRow("by days left") << 1 << NotesSortOrder::ByDaysLeft;
    QTest::newRow("private / non private") << 2 << NotesSortOrder::ByPrivateNonPrivate;
    QTest::newRow("by % done") << 3 << NotesSortOrder::ByPercentDone;
    QTest::newRow("disabled") << 4 << NotesSortOrder::Disabled;
}

void TestSettingsEffects::sortOrder_followsTheMarkedItem()
{
    QFETCH(int, item);
    QFETCH(NotesSortOrder, order);
    const ChoiceGroup *group = choiceGroupOf(&Settings::SortDisabled);
    QVERIFY(group);
    const Settings settings = withChoices({group->choices[static_cast<std::size_t>(item)]});
    QCOMPARE(sortOrder(settings), order);
}

void TestSettingsEffects::chooseSortOrder_leavesOneMarked()
{
    Settings settings;
    chooseSortOrder(settings, NotesSortOrder::ByDaysLeft);
    QVERIFY(settings.SortByDaysLeft);
    QVERIFY(!settings.SortByPercentDone);
    chooseSortOrder(settings, NotesSortOrder::Disabled);
    QVERIFY(settings.SortDisabled);
    QVERIFY(!settings.SortByDaysLeft);
    QCOMPARE(sortOrder(settings), NotesSortOrder::Disabled);
    QCOMPARE(sortOrder(Settings()), NotesSortOrder::ByPercentDone);
}

void TestSettingsEffects::statusBarAtLoad_panelWidths_data()
{
    QTest::addColumn<bool>("bar");
    QTest::addColumn<bool>("icon");
    QTest::addColumn<bool>("counters");
    QTest::addColumn<bool>("clock");
    QTest::addColumn<int>("iconWidth");
    QTest::addColumn<int>("counterWidth");
    QTest::addColumn<int>("clockWidth");
    QTest::newRow("all shown") << true << true << true << true << 40 << 45 << 120;
    QTest::newRow("no icon") << true << false << true << true << 0 << 45 << 120;
    QTest::newRow("no counters") << true << true << false << true << 40 << 0 << 120;
    QTest::newRow("no clock") << true << true << true << false << 40 << 45 << 0;
    QTest::newRow("bar hidden keeps widths") << false << true << true << true << 40 << 45 << 120;
}

void TestSettingsEffects::statusBarAtLoad_panelWidths()
{
    QFETCH(bool, bar);
    QFETCH(bool, icon);
    QFETCH(bool, counters);
    QFETCH(bool, clock);
    QFETCH(int, iconWidth);
    QFETCH(int, counterWidth);
    QFETCH(int, clockWidth);
    Settings settings;
    settings.ShowStatusBar = bar;
    settings.ShowEncryptionIcon = icon;
    settings.ShowNumberOfNotes = counters;
    settings.ShowClockAndDate = clock;
    const StatusBarLayout layout = effectsOfLoad(settings).statusBar;
    QCOMPARE(layout.visible, bar);
    QCOMPARE(layout.optionsEnabled, bar);
    QCOMPARE(layout.encryptionPanelWidth, iconWidth);
    QCOMPARE(layout.counterPanelWidth, counterWidth);
    QCOMPARE(layout.clockPanelWidth, clockWidth);
    QCOMPARE(layout.clockVisible, clock);
}

void TestSettingsEffects::statusBarFromDialog_countersNarrowerThanAtLoad()
{
    QCOMPARE(statusBarAtLoad(Settings()).counterPanelWidth, 45);
    QCOMPARE(counterPanelWidthFromDialog(false), 0);
    QCOMPARE(counterPanelWidthFromDialog(true), 40);
    QCOMPARE(encryptionPanelWidth(true), 40);
    QCOMPARE(clockPanelWidth(true), 120);
    QCOMPARE(clockPanelWidth(false), 0);
}

void TestSettingsEffects::fonts_listFontLeavesWeekScheduleAlone()
{
    Settings settings;
    settings.Font4 = QStringLiteral("Cantarell");
    settings.Font4Size = 9;
    const ViewFonts before = viewFonts(settings);
    settings.Font1 = QStringLiteral("DejaVu Sans");
    settings.FontSize1 = 14;
    const ViewFonts after = viewFonts(settings);
    QCOMPARE(after.notesList, (FontChoice{QStringLiteral("DejaVu Sans"), 14}));
    QCOMPARE(after.weekSchedule, before.weekSchedule);
    QCOMPARE(after.details, before.details);
    QCOMPARE(after.notepad, before.notepad);
    QCOMPARE(after.weekSchedule, (FontChoice{QStringLiteral("Cantarell"), 9}));
}

void TestSettingsEffects::clockPanel_heightFollowsClockType_data()
{
    QTest::addColumn<bool>("analogue");
    QTest::addColumn<int>("height");
    QTest::newRow("analogue") << true << 80;
    QTest::newRow("digital") << false << 50;
}

void TestSettingsEffects::clockPanel_heightFollowsClockType()
{
    QFETCH(bool, analogue);
    QFETCH(int, height);
    Settings settings;
    settings.ClockType = analogue;
    settings.TimeZonePanel = false;
    settings.TimeZone3Name = QStringLiteral("Tokyo");
    const ClockPanelLayout layout = clockPanel(settings);
    QCOMPARE(layout.height, height);
    QCOMPARE(layout.analogue, analogue);
    QVERIFY(!layout.visible);
    QCOMPARE(layout.captions,
             (std::array<QString, 3>{QStringLiteral("T1"), QStringLiteral("Local time"), QStringLiteral("Tokyo")}));
}

void TestSettingsEffects::autohideDelayText_inSeconds_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("text");
    QTest::newRow("one tick") << 1 << QChar(u'.') << QStringLiteral("0.05 sec.");
    QTest::newRow("three ticks") << 3 << QChar(u'.') << QStringLiteral("0.15 sec.");
    QTest::newRow("one second") << 20 << QChar(u'.') << QStringLiteral("1 sec.");
    QTest::newRow("longest") << 300 << QChar(u'.') << QStringLiteral("15 sec.");
    QTest::newRow("decimal comma") << 31 << QChar(u',') << QStringLiteral("1,55 sec.");
}

void TestSettingsEffects::autohideDelayText_inSeconds()
{
    QFETCH(int, value);
    QFETCH(QChar, separator);
    QFETCH(QString, text);
    QCOMPARE(autohideDelayText(value, separator), text);
}

void TestSettingsEffects::orderCustomPanelTimes_swapsReversedTimes_data()
{
    QTest::addColumn<QTime>("start");
    QTest::addColumn<QTime>("end");
    QTest::addColumn<QTime>("newStart");
    QTest::addColumn<QTime>("newEnd");
    QTest::newRow("evening to morning") << QTime(18, 0) << QTime(8, 0) << QTime(8, 0) << QTime(18, 0);
    QTest::newRow("already ordered") << QTime(8, 0) << QTime(18, 0) << QTime(8, 0) << QTime(18, 0);
    QTest::newRow("equal") << QTime(12, 0) << QTime(12, 0) << QTime(12, 0) << QTime(12, 0);
    QTest::newRow("one second apart") << QTime(9, 0, 1) << QTime(9, 0) << QTime(9, 0) << QTime(9, 0, 1);
}

void TestSettingsEffects::orderCustomPanelTimes_swapsReversedTimes()
{
    QFETCH(QTime, start);
    QFETCH(QTime, end);
    QFETCH(QTime, newStart);
    QFETCH(QTime, newEnd);
    Settings settings;
    settings.CustomPanelStartTime = start;
    settings.CustomPanelEndTime = end;
    orderCustomPanelTimes(settings);
    QCOMPARE(settings.CustomPanelStartTime, newStart);
    QCOMPARE(settings.CustomPanelEndTime, newEnd);
}

void TestSettingsEffects::weekSortSwitch_choosesInTheRecord()
{
    Settings settings;
    setWeekSortFromSwitch(settings, false);
    QVERIFY(settings.WeekSortByPriority);
    QVERIFY(!settings.WeekSortByTime);
    setWeekSortFromSwitch(settings, true);
    QVERIFY(settings.WeekSortByTime);
    QVERIFY(!settings.WeekSortByPriority);
}

QTEST_GUILESS_MAIN(TestSettingsEffects)
#include "tst_settingseffects.moc"
