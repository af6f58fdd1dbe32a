#pragma once

#include "ui/mainwindow/EditedData.h"
#include "ui/mainwindow/Startup.h"

#include "core/DataFile.h"
#include "core/KeyValueXmlFile.h"
#include "core/LocaleFormats.h"
#include "core/ProgramState.h"
#include "expenditures/Expenditure.h"
#include "history/EditHistory.h"
#include "notes/NotesData.h"
#include "notes/NotesList.h"
#include "notes/NotesSort.h"
#include "noteviews/NotesViews.h"
#include "reminders/UpcomingEvents.h"
#include "search/SearchQuery.h"
#include "settings/Settings.h"
#include "storage/DataFolder.h"

#include <QApplication>
#include <QMainWindow>
#include <QPalette>

#include <memory>

class DesktopWallpaper;
class EncryptionControl;
class IdleTimers;
class ExpenditurePage;
class NotepadPage;
class NotesListModel;
class NotesPage;
class NotesTransfer;
class ProgressPanel;
class QMenu;
class QSystemTrayIcon;
class QTimer;
class QuickBar;
class SettingsApplier;
class ReminderAlerts;
class SearchBar;
class StatusBar;
class SyncControl;
class SettingsDialog;
class NoteEditorDialog;
class AboutDialog;
class AddTransactionDialog;
class ManageTransactionsDialog;
class ChangeBalanceDialog;
class TimeInfoPanels;
class TimeZonePanel;
class TrayPresence;
class UpcomingEventsPanel;
class WeekSchedulePage;

namespace Ui {
class MainWindow;
}

// The main window: owns the data, the timers and the storage, and wires the regions.
class MainWindow final : public QMainWindow, public Startup::DataOwner
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    explicit MainWindow(const QString &appDir, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Start: load every data file (the pass-phrase step decides when), then place the window.
    // The data folder's files, the pass phrase in force and the loading and saving.
    DataFolder &dataFolder() override { return m_folder; }
    void loadAllData() override;
    // Notes, notepad, settings and transactions, stopping at the first failure (already shown).
    bool saveAllDataFiles() override;
    void finishStartup();

    void ReadAllNotes();
    // Written on the writer's thread; a failure is shown when it comes back, the data stay in memory.
    bool SaveAllNotes();
    void RefreshNotes();
    // The upcoming events list anew and, while the option is on, the wallpaper painted from it.
    void RefreshUpcomingEvents();
    DesktopWallpaper &desktopWallpaper() { return *m_desktopWallpaper; }
    // The user's autostart entry for this executable, written again on every use.
    void RunOnStartup();
    // The data folder was named on the command line: the autostart entry names it too.
    void setDataDirChosen(bool chosen) { m_dataDirChosen = chosen; }

    // Written on the writer's thread; a failure is shown when it comes back.
    bool SaveAllExpenditures();
    void RefreshExpenditures();
    ExpenditureBook &expenditures() { return m_book; }
    ExpenditurePage *expenditurePage() const { return m_expenditurePage; }
    // Collection position of the note in list row `row`: -1 for row -1, the number of notes
    // for a row below the last listed note.
    int SelectedItem(int row) const;
    const LocaleFormats &localeFormats() const { return m_formats; }
    NoteEditorDialog *noteEditor() const { return m_editor; }

    // Saves everything and ends the program (the tray menu's "Close", signals, session end).
    void Close1Click();
    // Every 60 s while `UpcomingEventsRefresh` is on; also once after the settings are read
    // at start and once after the settings dialog's "Ok".
    void Timer2Timer();
    void Timer3Timer();

    ProgramState &state() { return m_state; }
    // The live settings: controls edit this record, every user reads it when it needs a value.
    Settings &settings() { return m_settings; }
    NotesCollection &notes() { return m_notes; }
    NotepadPage *notepadPage() const { return m_notepadPage; }
    NotesPage *notesPage() const { return m_notesPage; }
    StatusBar *statusBarPro() const { return m_statusBar; }
    SettingsDialog *settingsDialog() const { return m_settingsDialog; }
    SettingsApplier &settingsApplier() { return *m_settingsApplier; }
    UpcomingEventsPanel *upcomingEvents() const { return m_upcoming; }
    ReminderAlerts *alerts() const { return m_alerts; }
    QSystemTrayIcon *trayIcon() const { return m_tray; }
    // The sun, custom time and time-zone panels with the sun component they read.
    TimeInfoPanels &timeInfo() { return *m_timeInfo; }
    // Brings the window back from the tray or from another start of the program.
    void showFromTray();
    // Into the notification area, or minimised where the desktop has none.
    void hideToTray();
    TrayPresence *trayPresence() const { return m_presence; }
    // A calendar file dropped on the window or handed over by another start of the program.
    bool importCalendarFile(const QString &fileName);
    SearchBar *searchBar() const { return m_searchBar; }
    // General menu's "Undo" and "Redo": the notes and the book as they were, refreshed and saved.
    void Undo1Click();
    void Redo1Click();
    const EditHistory &history() const { return m_history; }
    SyncControl &syncControl() { return *m_syncControl; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool event(QEvent *event) override;

private Q_SLOTS:
    // The main menu's "Add note" and the "Add note" button.
    void Addnote1Click();
    void DsFancyButton1Click();
    void Settings1Click();
    void Settings2Click();
    void About2Click();
    void NotepadChange();

private:
    void buildRegions();
    void connectWindows();
    void ReadAllExpenditures();
    // Makes the picture the desktop's wallpaper where the desktop is one we know.
    void SetWallpaper(const QString &path);
    // The two switches above the list.
    NotesFilter notesFilter() const;
    // One of the program's dialogs (settings, note editor, about, pass phrase, transactions) is open.
    bool anyDialogOpen() const;
    EditedData editedData();
    void buildTray();
    void buildSync();
    void buildTimers();
    void connectCommands();
    void connectSearch();
    void connectHistory();
    // The search field's text changed: every list follows it, the notepad marks it.
    void searchChanged(const QString &text);
    // Only the search changed: the lists are narrowed from the last refresh's while the notes and the rest
    // are as they were then, refreshed whole otherwise.
    void refilterNotes();
    // Nothing shows the clocks, panels and lists: their timers stop until the window shows again.
    void sleepWhileHidden();
    void catchUpWhenShown();
    void followDesktopColours();
    NotesRefreshOptions refreshOptions(const QDateTime &now) const;
    void showNotesViews(const NotesViews &views);
    void findInNotepad(bool backward);
    EditState editState() const;
    // Where the window shows or saves the data: any change since the last call becomes an undo step.
    void recordHistory();
    // Forgets the steps: after the load and when a new pass phrase protects the data.
    void resetHistory();
    void restoreState(const std::optional<EditState> &state);
    void updateUndoActions();
    void placeAtTopRight();
    bool reportSaveFailure(const IoResult &result);
    // Notes, notepad, settings and the last check: queued for the writer's thread, or written
    // now, each waited for and stopping at the first failure.
    bool saveNotesFiles(bool wait);
    // Saves that fail on the writer's thread are shown when they come back.
    void connectSaveFailures();
    // The list, and the wallpaper painted from it while that option is on.
    void showUpcomingEvents(const QList<UpcomingEvent> &events);
    void applyLoadedSettings();
    // Copies what the main window itself holds (size, switches, panel state) into the record.
    void collectWindowSettings();
    void chooseSortOrder(NotesSortOrder order);
    // A reminder's "Done" and its click: the note, found again by its identity and deadline.
    qsizetype positionOfReminded(const TNotesData &note) const;
    // The notes with the alerts' ledger, when it changed since it was read or written.
    bool saveReminders();
    void markRemindedDone(const TNotesData &note);
    void showRemindedNote(const TNotesData &note);
    NotesSortOrder currentSortOrder() const;

    std::unique_ptr<Ui::MainWindow> m_ui;
    ProgramState m_state;
    NotesCollection m_notes;
    ExpenditureBook m_book;
    Settings m_settings;
    LocaleFormats m_formats = LocaleFormats::system();
    TKeyValueXmlFile m_settingsStore; // JvAppXMLFileStorage1: the settings file's store
    DataFolder m_folder;
    bool m_ending = false;
    bool m_dataDirChosen = false;
    QDate m_lastRefreshDay;        // a day change is noticed against this
    bool m_placeWhenShown = false; // the start's placement waits for the window's frame

    TimeZonePanel *m_timeZonePanel = nullptr;
    ProgressPanel *m_customPanel = nullptr;
    ProgressPanel *m_sunPanel = nullptr;
    std::unique_ptr<TimeInfoPanels> m_timeInfo;
    UpcomingEventsPanel *m_upcoming = nullptr;
    QuickBar *m_quickBar = nullptr;
    SearchBar *m_searchBar = nullptr;
    SearchQuery m_search;
    SearchableViews m_searchable; // the last refresh's views before the search
    EditHistory m_history;
    bool m_historyStarted = false; // nothing is recorded while the data load
    NotesPage *m_notesPage = nullptr;
    NotesListModel *m_notesModel = nullptr;
    NotepadPage *m_notepadPage = nullptr;
    WeekSchedulePage *m_weekPage = nullptr;
    ExpenditurePage *m_expenditurePage = nullptr;
    StatusBar *m_statusBar = nullptr;
    QSystemTrayIcon *m_tray = nullptr;
    QMenu *m_trayMenu = nullptr;
    TrayPresence *m_presence = nullptr;
    std::unique_ptr<SettingsApplier> m_settingsApplier;
    std::unique_ptr<DesktopWallpaper> m_desktopWallpaper;
    SettingsDialog *m_settingsDialog = nullptr;
    NoteEditorDialog *m_editor = nullptr;
    AboutDialog *m_about = nullptr;
    EncryptionControl *m_encryption = nullptr;
    SyncControl *m_syncControl = nullptr;
    ReminderAlerts *m_alerts = nullptr;
    AddTransactionDialog *m_addExpenditure = nullptr;
    ManageTransactionsDialog *m_manage = nullptr;
    ChangeBalanceDialog *m_changeValue = nullptr;
    NotesTransfer *m_transfer = nullptr;
    QTimer *m_timer1 = nullptr;
    QTimer *m_timer2 = nullptr;
    QTimer *m_timer3 = nullptr;
    IdleTimers *m_idle = nullptr;
    QPalette m_desktopPalette = QApplication::palette(); // the colours the charts and the wallpaper follow
};
