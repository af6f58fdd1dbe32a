#pragma once

#include "Settings.h"

#include "notes/NotesSortOrder.h"

#include <QChar>
#include <QString>

#include <array>

// What the windows must do with a settings record, worked out without them:
// the windows only carry these values over to their controls.
namespace SettingsEffects {

// Pages of the main window, in tab order.
enum class StartPage
{
    Notes = 0,
    Notepad = 1,
    WeekSchedule = 2,
    Expenditures = 3
};

struct FontChoice
{
    QString family;
    int size = 0;

    bool operator==(const FontChoice &) const = default;
};

struct ViewFonts
{
    FontChoice notesList; // also the upcoming events list
    FontChoice details;   // the details text box
    FontChoice notepad;
    FontChoice weekSchedule; // the seven day lists

    bool operator==(const ViewFonts &) const = default;
};

struct StatusBarLayout
{
    bool visible = true;
    int encryptionPanelWidth = 0;
    int counterPanelWidth = 0; // each of the four counters
    int clockPanelWidth = 0;
    bool clockVisible = false;
    bool optionsEnabled = true; // the dialog's three status-bar check boxes

    bool operator==(const StatusBarLayout &) const = default;
};

// Degrees and minutes with a direction; seconds are always 0 here.
struct SunPlace
{
    int latitudeDegrees = 0;
    int latitudeMinutes = 0;
    bool north = true;
    int longitudeDegrees = 0;
    int longitudeMinutes = 0;
    bool east = true;

    bool operator==(const SunPlace &) const = default;
};

struct ClockPanelLayout
{
    bool visible = true;
    bool analogue = true;
    int height = 80;
    std::array<QString, 3> captions; // left, middle, right

    bool operator==(const ClockPanelLayout &) const = default;
};

// The main window's size and lists as a load of settings.xml leaves them; the rest of a
// load's effects have their own functions below.
struct LoadEffects
{
    int windowWidth = 0;
    int windowHeight = 0;
    int notesListHeight = 0;
    bool hidePrivateNotes = false;  // switch JvSwitch1
    bool showFinishedTasks = false; // switch JvSwitch3
    bool upcomingEventsCollapsed = false;
    bool refreshTimerEnabled = false; // Timer2
    // Column 0 of the notes list takes the remaining width when this is Settings::kWidthSizedByList.
    std::array<int, 3> notesListColumnWidths{};
    std::array<int, 2> upcomingListColumnWidths{};
    StatusBarLayout statusBar;
};

LoadEffects effectsOfLoad(const Settings &settings);

// Testing in the order Notepad, Week schedule, Expenditure management; Notes otherwise.
StartPage startPage(const Settings &settings);
// The notes list's sort order: the first marked item counts, tested by priority, days left,
// % done, private / non private.
NotesSortOrder sortOrder(const Settings &settings);
ViewFonts viewFonts(const Settings &settings);
SunPlace sunPlace(const Settings &settings);
ClockPanelLayout clockPanel(const Settings &settings);
StatusBarLayout statusBarAtLoad(const Settings &settings);

// The dialog's status-bar check boxes act on their own panel only, and size the
// counters a little narrower than a load does.
int encryptionPanelWidth(bool shown);
int counterPanelWidthFromDialog(bool shown);
int clockPanelWidth(bool shown);

// "Play sound", the sound file and "Test sound" follow "Show alerts ".
bool alertControlsEnabled(const Settings &settings);

// Hint pause in ms and how long a hint stays, in ms.
int hintPauseMs(const Settings &settings);
int hintVisibleMs(const Settings &settings);

// Caption under the "Hide after" slider: 50 ms per step, in seconds ("0.05 sec.").
QString autohideDelayText(int sliderValue, QChar decimalSeparator);

// Swaps the custom panel's times when the end lies before the start.
void orderCustomPanelTimes(Settings &settings);

// The week schedule's "sorting" switch chooses "by time" when on, "by priority" when off.
void setWeekSortFromSwitch(Settings &settings, bool on);
void chooseSortOrder(Settings &settings, NotesSortOrder order);

} // namespace SettingsEffects
