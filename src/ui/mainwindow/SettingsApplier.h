#pragma once

#include "settings/Settings.h"
#include "settings/SettingsEffects.h"

class NotepadPage;
class NotesPage;
class ProgressPanel;
class QuickBar;
class QMainWindow;
class QTabWidget;
class StatusBar;
class TimeInfoPanels;
class TimeZonePanel;
class UpcomingEventsPanel;
class WeekSchedulePage;

// The main window's parts that settings act on.
struct SettingsTargets
{
    QMainWindow *window = nullptr;
    QTabWidget *pages = nullptr;
    TimeZonePanel *timeZonePanel = nullptr;
    ProgressPanel *customPanel = nullptr;
    ProgressPanel *sunPanel = nullptr;
    UpcomingEventsPanel *upcoming = nullptr;
    QuickBar *quickBar = nullptr;
    NotesPage *notesPage = nullptr;
    NotepadPage *notepadPage = nullptr;
    WeekSchedulePage *weekPage = nullptr;
    StatusBar *statusBar = nullptr;
    TimeInfoPanels *timeInfo = nullptr;
};

// Carries settings over to the main window: once after a load, and piece by piece
// when a control of the settings dialog acts at once. The only code that puts a setting
// into a control outside the settings dialog.
class SettingsApplier final
{
    Q_DISABLE_COPY_MOVE(SettingsApplier)

public:
    SettingsApplier(const Settings &settings, const SettingsTargets &targets);

    // After every key has been read: the window's size and lists, the switches, the panels,
    // the place and the hint pause. The fonts follow once the 60-second timer's handler has run.
    void applyAfterLoad();
    // After the notes have been refreshed.
    void applyStatusBarAtLoad();
    // Only while the program starts, with or without a settings file.
    void prepareStartView();

    void applyAlwaysOnTop();
    void applySunPanel();
    void applyCustomPanel();
    void applyClockPanel();
    void applyClockCaption(int clock);
    void applyHintPause();
    void applySunPlace();
    // The week schedule's "time" and "sorting" switches follow their choices.
    void applyWeekSwitches();

    void applyListFont();
    void applyDetailsFont();
    void applyNotepadFont();
    void applyWeekFont();
    void applyFonts();

    void setStatusBarVisible(bool visible);
    void setEncryptionPanelWidth(int width);
    void setCounterPanelWidth(int width);
    void setClockPanelWidth(int width);
    void setDetailsPanelVisible(bool visible);

    // The place the sun panel computes for; it changes only at a load and at the dialog's "Ok".
    const SettingsEffects::SunPlace &sunPlace() const { return m_sunPlace; }
    // The pause before hints show, in ms.
    static int hintPause();

private:
    const Settings &m_settings;
    SettingsTargets m_targets;
    SettingsEffects::SunPlace m_sunPlace;
};
