#include "SettingsEffects.h"

#include "SettingsTable.h"

#include <utility>

namespace SettingsEffects {

namespace {

constexpr int kEncryptionPanelWidth = 40;
constexpr int kCounterPanelWidthAtLoad = 45;
constexpr int kCounterPanelWidthFromDialog = 40;
constexpr int kClockPanelWidth = 120;
constexpr int kAnalogueClockPanelHeight = 80;
constexpr int kDigitalClockPanelHeight = 50;
constexpr int kAutohideTickMs = 50;

} // namespace

StartPage startPage(const Settings &settings)
{
    if (settings.StartupTab1)
        return StartPage::Notes;
    if (settings.StartupTab2)
        return StartPage::Notepad;
    if (settings.StartupTab3)
        return StartPage::WeekSchedule;
    if (settings.StartupTab4)
        return StartPage::Expenditures;
    return StartPage::Notes;
}

NotesSortOrder sortOrder(const Settings &settings)
{
    if (settings.SortByPriority)
        return NotesSortOrder::ByPriority;
    if (settings.SortByDaysLeft)
        return NotesSortOrder::ByDaysLeft;
    if (settings.SortByPercentDone)
        return NotesSortOrder::ByPercentDone;
    if (settings.SortByPrivateNonPrivate)
        return NotesSortOrder::ByPrivateNonPrivate;
    return NotesSortOrder::Disabled;
}

ViewFonts viewFonts(const Settings &settings)
{
    return {{settings.Font1, settings.FontSize1},
            {settings.Font2, settings.FontSize2},
            {settings.Font3, settings.FontSize3},
            {settings.Font4, settings.Font4Size}};
}

SunPlace sunPlace(const Settings &settings)
{
    return {settings.LatDeg, settings.LatMin, settings.LatDir, settings.LonDeg, settings.LonMin, settings.LonDir};
}

ClockPanelLayout clockPanel(const Settings &settings)
{
    ClockPanelLayout layout;
    layout.visible = settings.TimeZonePanel;
    layout.analogue = settings.ClockType;
    layout.height = settings.ClockType ? kAnalogueClockPanelHeight : kDigitalClockPanelHeight;
    layout.captions = {settings.TimeZone1Name, settings.TimeZone2Name, settings.TimeZone3Name};
    return layout;
}

StatusBarLayout statusBarAtLoad(const Settings &settings)
{
    StatusBarLayout layout;
    layout.visible = settings.ShowStatusBar;
    layout.encryptionPanelWidth = encryptionPanelWidth(settings.ShowEncryptionIcon);
    layout.counterPanelWidth = settings.ShowNumberOfNotes ? kCounterPanelWidthAtLoad : 0;
    layout.clockPanelWidth = clockPanelWidth(settings.ShowClockAndDate);
    layout.clockVisible = settings.ShowClockAndDate;
    layout.optionsEnabled = settings.ShowStatusBar;
    return layout;
}

int encryptionPanelWidth(bool shown)
{
    return shown ? kEncryptionPanelWidth : 0;
}

int counterPanelWidthFromDialog(bool shown)
{
    return shown ? kCounterPanelWidthFromDialog : 0;
}

int clockPanelWidth(bool shown)
{
    return shown ? kClockPanelWidth : 0;
}

bool alertControlsEnabled(const Settings &settings)
{
    return settings.ShowAlerts;
}

int hintPauseMs(const Settings &settings)
{
    return settings.HintDelayTime;
}

int hintVisibleMs(const Settings &settings)
{
    return settings.HintVisibleTime * 1000;
}

QString autohideDelayText(int sliderValue, QChar decimalSeparator)
{
    const double seconds = static_cast<double>(sliderValue) * kAutohideTickMs / 1000.0;
    QString number = QString::number(seconds, 'g', 15);
    number.replace(QLatin1Char('.'), decimalSeparator);
    return number + QStringLiteral(" sec.");
}

LoadEffects effectsOfLoad(const Settings &settings)
{
    LoadEffects effects;
    effects.windowWidth = settings.FormWidth;
    effects.windowHeight = settings.FormHeight;
    effects.notesListHeight = settings.ListViewHeight;
    effects.hidePrivateNotes = settings.SwitchState1;
    effects.showFinishedTasks = settings.SwitchState2;
    effects.upcomingEventsCollapsed = settings.UpcomingEventsColapsed;
    effects.refreshTimerEnabled = settings.UpcomingEventsRefresh;
    effects.notesListColumnWidths = {settings.ListView1Column0Width, settings.ListView1Column1Width,
                                     settings.ListView1Column2Width};
    effects.upcomingListColumnWidths = {settings.ListView2Column0Width, settings.ListView2Column1Width};
    effects.statusBar = statusBarAtLoad(settings);
    return effects;
}

void orderCustomPanelTimes(Settings &settings)
{
    if (settings.CustomPanelEndTime < settings.CustomPanelStartTime)
        std::swap(settings.CustomPanelStartTime, settings.CustomPanelEndTime);
}

void setWeekSortFromSwitch(Settings &settings, bool on)
{
    choose(settings, on ? &Settings::WeekSortByTime : &Settings::WeekSortByPriority);
}

void chooseSortOrder(Settings &settings, NotesSortOrder order)
{
    switch (order) {
    case NotesSortOrder::Disabled:
        choose(settings, &Settings::SortDisabled);
        return;
    case NotesSortOrder::ByPriority:
        choose(settings, &Settings::SortByPriority);
        return;
    case NotesSortOrder::ByDaysLeft:
        choose(settings, &Settings::SortByDaysLeft);
        return;
    case NotesSortOrder::ByPercentDone:
        choose(settings, &Settings::SortByPercentDone);
        return;
    case NotesSortOrder::ByPrivateNonPrivate:
        choose(settings, &Settings::SortByPrivateNonPrivate);
        return;
    }
}

} // namespace SettingsEffects
