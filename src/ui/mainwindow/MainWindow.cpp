#include "ui/mainwindow/MainWindow.h"

#include "ui/desktop/TrayPresence.h"
#include "ui/dialogs/AboutDialog.h"
#include "ui/dialogs/AddTransactionDialog.h"
#include "ui/dialogs/ChangeBalanceDialog.h"
#include "ui/dialogs/ManageTransactionsDialog.h"
#include "ui/dialogs/Messages.h"
#include "ui/dialogs/NoteEditorDialog.h"
#include "ui/dialogs/PassPhraseDialog.h"
#include "ui/dialogs/SettingsDialog.h"
#include "ui/mainwindow/EncryptionControl.h"
#include "ui/mainwindow/SyncControl.h"
#include "ui/dialogs/SyncPage.h"
#include "ui/mainwindow/IdleTimers.h"
#include "ui/mainwindow/NotesTransfer.h"
#include "ui/mainwindow/QuickBar.h"
#include "ui/mainwindow/ReminderAlerts.h"
#include "ui/mainwindow/SettingsApplier.h"
#include "ui/mainwindow/StatusBar.h"
#include "ui/mainwindow/TimeInfoPanels.h"
#include "ui/pages/ExpenditurePage.h"
#include "ui/pages/NotepadPage.h"
#include "ui/pages/NotesListModel.h"
#include "ui/pages/NotesPage.h"
#include "ui/pages/ProgressPanel.h"
#include "ui/pages/TimeZonePanel.h"
#include "ui/pages/UpcomingEventsPanel.h"
#include "ui/pages/WeekSchedulePage.h"
#include "ui/widgets/ImageList.h"
#include "ui/widgets/Appearance.h"
#include "ui/widgets/SearchBar.h"
#include "ui/widgets/Switch.h"
#include "ui/widgets/TabCaptions.h"
#include "ui_MainWindow.h"

#include "core/Clock.h"
#include "core/Version.h"
#include "desktop/Autostart.h"
#include "desktop/DesktopWallpaper.h"
#include "notes/NoteIdentity.h"
#include "notes/NotesMoves.h"
#include "notes/NotesSort.h"
#include "noteviews/NotesViews.h"
#include "reminders/AlarmWatcher.h"
#include "reminders/WallpaperPainter.h"
#include "schedule/WeekDayChange.h"
#include "settings/SettingsEffects.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QShowEvent>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTimer>

#include <algorithm>

namespace {

const QString kCaption = QStringLiteral("Marevo Notes [ver. " MAREVO_VERSION "]");

// The notes list menu's sort items, in the order of NotesSortOrder.
const char *const kSortActions[] = {"Sortingdisabled", "bypriority1", "bydaysleft1", "bydonedesc1",
                                    "privatenonprivate1"};

const char *sortActionName(NotesSortOrder order)
{
    return kSortActions[static_cast<int>(order)];
}

} // namespace

MainWindow::MainWindow(const QString &appDir, QWidget *parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::MainWindow>()), m_folder(appDir),
      m_desktopWallpaper(std::make_unique<DesktopWallpaper>())
{
    m_ui->setupUi(this);
    setWindowIcon(ImageList1::applicationIcon());
    m_state.DayChangePending = false;
    m_state.NotepadChanged = false;
    m_state.DialogBusy = false;
    m_state.WeekStart = Clock::today();
    m_state.HintShown = false;
    m_state.StartupInProgress = true;
    m_state.AppDir = appDir;
    m_settingsStore.setLocaleFormats(m_formats);
    buildRegions();
    m_timeInfo = std::make_unique<TimeInfoPanels>(m_settings, m_formats, m_sunPanel, m_customPanel, m_timeZonePanel,
                                                  Clock::nowValue());
    m_statusBar->encryptionSwitch()->setChecked(m_folder.isProtected());
    setWindowTitle(kCaption);
    resize(377, 867);

    m_editor = new NoteEditorDialog(m_notes, m_formats, this);
    m_settingsApplier = std::make_unique<SettingsApplier>(
        m_settings, SettingsTargets{this, m_ui->PageControl1, m_timeZonePanel, m_customPanel, m_sunPanel, m_upcoming,
                                    m_quickBar, m_notesPage, m_notepadPage, m_weekPage, m_statusBar, m_timeInfo.get()});
    m_settingsDialog = new SettingsDialog(m_settings, m_state, m_folder, *m_settingsApplier, this);
    m_about = new AboutDialog(this);
    m_encryption = new EncryptionControl(
        m_folder, m_state, m_statusBar->encryptionSwitch(), *m_settingsDialog, [this] { return saveAllDataFiles(); },
        this);
    m_alerts = new ReminderAlerts(m_settings, LocaleFormats::system(), this);
    m_addExpenditure = new AddTransactionDialog(m_book, this);
    m_manage = new ManageTransactionsDialog(m_book, m_settings, m_expenditurePage->formats(), this);
    m_changeValue = new ChangeBalanceDialog(m_book, this);
    m_expenditurePage->setWindows(m_addExpenditure, m_manage, m_changeValue);
    m_transfer = new NotesTransfer(
        editedData(), m_folder, [this] { return SaveAllNotes(); }, *this);
    buildSync();
    buildTray();
    buildTimers();
    m_presence = new TrayPresence(
        editedData(),
        TrayWindow{*this, *m_editor, m_settingsDialog->hotKeysGroup(), [this] { return anyDialogOpen(); }}, m_tray,
        m_trayMenu, m_timer1);
    connectCommands();
    setAcceptDrops(true); // calendar files
    connectWindows();
    connectSearch();
    connectHistory();
    connectSaveFailures();
}

EditedData MainWindow::editedData()
{
    return {m_notes, m_settings, m_state, m_formats};
}

MainWindow::~MainWindow()
{
    m_folder.setSaveFailureNotice(nullptr);
    m_folder.waitForSaves();
}

void MainWindow::connectSaveFailures()
{
    m_folder.setSaveFailureNotice([this] {
        QMetaObject::invokeMethod(
            this, [this] { reportSaveFailure(m_folder.takeSaveFailure()); }, Qt::QueuedConnection);
    });
}

void MainWindow::buildRegions()
{
    auto *column = static_cast<QVBoxLayout *>(m_ui->centralColumn->layout());
    m_timeZonePanel = new TimeZonePanel(this);
    m_customPanel = new ProgressPanel(QStringLiteral("JvPanel4"), QStringLiteral("Label4"), QStringLiteral("Label3"),
                                      QStringLiteral("JvgProgress2"), this);
    m_sunPanel = new ProgressPanel(QStringLiteral("JvPanel2"), QStringLiteral("Label1"), QStringLiteral("Label2"),
                                   QStringLiteral("JvgProgress1"), this);
    m_upcoming = new UpcomingEventsPanel(this);
    m_quickBar = new QuickBar(this);
    // Below the tool bar, in order: clocks, custom panel, sun panel, upcoming events, quick bar.
    int at = 1;
    for (QWidget *region :
         std::initializer_list<QWidget *>{m_timeZonePanel, m_customPanel, m_sunPanel, m_upcoming, m_quickBar})
        column->insertWidget(at++, region);
    // Hidden until the settings ask for them.
    m_timeZonePanel->hide();
    m_customPanel->hide();
    m_sunPanel->hide();
    // The search field sits right above the pages whose lists it filters.
    m_searchBar = new SearchBar(this);
    column->insertWidget(column->indexOf(m_ui->PageControl1), m_searchBar);
    column->setStretchFactor(m_ui->PageControl1, 1);
    showWholeTabCaptions(m_ui->PageControl1);

    const auto fill = [](QWidget *sheet, QWidget *page) {
        auto *layout = new QVBoxLayout(sheet);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(page);
    };
    m_notesPage = new NotesPage(m_ui->TabSheet1);
    fill(m_ui->TabSheet1, m_notesPage);
    m_notesPage->attach(editedData(), [this] { return notesFilter(); });
    m_notesModel = m_notesPage->model();
    m_notesPage->setColumnWidths({240, 40, 60});
    m_notepadPage = new NotepadPage(m_ui->TabSheet2);
    fill(m_ui->TabSheet2, m_notepadPage);
    m_weekPage = new WeekSchedulePage(m_ui->TabSheet3);
    fill(m_ui->TabSheet3, m_weekPage);
    m_expenditurePage = new ExpenditurePage(m_ui->TabSheet4);
    fill(m_ui->TabSheet4, m_expenditurePage);

    m_statusBar = new StatusBar(this);
    setStatusBar(m_statusBar);
}

void MainWindow::buildSync()
{
    m_syncControl = new SyncControl(
        m_notes, m_settings, m_folder, m_statusBar->syncStatus(),
        [this] {
            RefreshNotes();
            // The sync state written next must not claim notes that failed to reach the disk.
            return saveNotesFiles(true);
        },
        [this](const QString &server, const QString &user) {
            return Messages::password(
                this, QStringLiteral("Password of %1 for %2 (this desktop has no password store, so it is kept "
                                     "only until the program ends):")
                          .arg(user, server));
        },
        this);
    m_settingsDialog->syncPage().attach(m_syncControl->passwords());
    connect(m_ui->SyncNow1, &QAction::triggered, m_syncControl, &SyncControl::syncNow);
    connect(m_settingsDialog, &QDialog::finished, m_syncControl, &SyncControl::settingsChanged);
}

void MainWindow::buildTray()
{
    m_trayMenu = new QMenu(this);
    m_trayMenu->setObjectName(QStringLiteral("JvPopupMenu2"));
    QAction *runOnStartup = m_trayMenu->addAction(QStringLiteral("Run on startup"));
    runOnStartup->setObjectName(QStringLiteral("Runonstartup1"));
    QAction *settings = m_trayMenu->addAction(QStringLiteral("Settings"));
    settings->setObjectName(QStringLiteral("Settings2"));
    QAction *syncNow = m_trayMenu->addAction(QStringLiteral("Sync now"));
    syncNow->setObjectName(QStringLiteral("SyncNow2"));
    connect(syncNow, &QAction::triggered, m_syncControl, &SyncControl::syncNow);
    m_trayMenu->addSeparator();
    QAction *close = m_trayMenu->addAction(QStringLiteral("Close"));
    close->setObjectName(QStringLiteral("Close1"));
    connect(runOnStartup, &QAction::triggered, this, &MainWindow::RunOnStartup);
    connect(settings, &QAction::triggered, this, &MainWindow::Settings2Click);
    connect(close, &QAction::triggered, this, &MainWindow::Close1Click);

    m_tray = new QSystemTrayIcon(ImageList1::applicationIcon(), this);
    m_tray->setObjectName(QStringLiteral("JvTrayIcon1"));
    m_tray->setToolTip(QStringLiteral("Marevo Notes"));
    m_tray->setContextMenu(m_trayMenu);
    if (QSystemTrayIcon::isSystemTrayAvailable())
        m_tray->show();
}

void MainWindow::buildTimers()
{
    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(50); // runs only while hiding or a pop-up delay needs it
    m_timer2 = new QTimer(this);
    m_timer2->setObjectName(QStringLiteral("Timer2"));
    m_timer2->setInterval(60 * 1000);
    connect(m_timer2, &QTimer::timeout, this, &MainWindow::Timer2Timer);
    m_timer3 = new QTimer(this);
    m_timer3->setObjectName(QStringLiteral("Timer3"));
    m_timer3->setInterval(5 * 1000);
    connect(m_timer3, &QTimer::timeout, this, &MainWindow::Timer3Timer);
    m_timer3->start();
    m_idle = new IdleTimers([this] { Timer3Timer(); }, [this] { catchUpWhenShown(); }, this);
}

void MainWindow::sleepWhileHidden()
{
    // What the 5-second tick would still have done: an edit of the notepad is saved now.
    Timer3Timer();
    // The wallpaper keeps showing the upcoming events, so their refresh goes on while it is painted.
    m_idle->sleep({m_timer2, m_timer3},
                  [this](QTimer *timer) { return timer == m_timer2 && m_settings.ShowUpcomingEventsOnDesktop; });
}

void MainWindow::catchUpWhenShown()
{
    Timer3Timer();
    const TDateTime now = Clock::nowValue();
    m_timeInfo->sunPanelStep(now);
    m_timeInfo->customPanelStep(now);
    if (!m_settings.ShowUpcomingEventsOnDesktop)
        RefreshUpcomingEvents();
}

void MainWindow::connectCommands()
{
    connect(m_ui->Settings1, &QAction::triggered, this, &MainWindow::Settings1Click);
    // Where the desktop shows no tray icon, the window's own menu is the way to end the program.
    connect(m_ui->Close2, &QAction::triggered, this, &MainWindow::Close1Click);
    connect(m_ui->About2, &QAction::triggered, this, &MainWindow::About2Click);
    connect(m_ui->Addnote1, &QAction::triggered, this, &MainWindow::Addnote1Click);
    connect(m_ui->Exportdata1, &QAction::triggered, m_transfer, &NotesTransfer::Exportdata1Click);
    connect(m_ui->Makebackup1, &QAction::triggered, m_transfer, &NotesTransfer::Makebackup1Click);
    connect(m_ui->Importnotes1, &QAction::triggered, m_transfer, &NotesTransfer::Importnotes1Click);
    connect(m_ui->Importappendnotes1, &QAction::triggered, m_transfer, &NotesTransfer::Importappendnotes1Click);
    connect(m_ui->Importdata1, &QAction::triggered, m_transfer, &NotesTransfer::Importdata1Click);
    connect(m_ui->ExportIcs1, &QAction::triggered, m_transfer, &NotesTransfer::ExportIcs1Click);
    connect(m_ui->ImportIcs1, &QAction::triggered, m_transfer, &NotesTransfer::ImportIcs1Click);
    connect(m_quickBar->addNoteButton(), &QPushButton::clicked, this, &MainWindow::DsFancyButton1Click);
    connect(m_notepadPage->editor(), &QPlainTextEdit::textChanged, this, &MainWindow::NotepadChange);
    for (int order = 0; order < 5; ++order)
        connect(findChild<QAction *>(QLatin1String(kSortActions[order])), &QAction::triggered, this, [this, order] {
            chooseSortOrder(static_cast<NotesSortOrder>(order));
            // "disabled" keeps the order as it stands; the others sort now.
            if (order != 0) {
                RefreshNotes();
                SaveAllNotes();
            }
        });
    connect(m_quickBar->hidePrivateSwitch(), &Switch::toggled, this, &MainWindow::RefreshNotes);
    connect(m_quickBar->showFinishedSwitch(), &Switch::toggled, this, &MainWindow::RefreshNotes);

    m_weekPage->attach({&m_notes, &m_settings, &m_state, [this] { return notesFilter(); }, [this] { RefreshNotes(); },
                        [this] { return SaveAllNotes(); }});
    connect(m_weekPage, &WeekSchedulePage::editNoteRequested, this,
            [this](int position) { m_editor->openForEdit(position); });
    connect(m_weekPage, &WeekSchedulePage::addNoteRequested, this,
            [this](TDateTime day) { m_editor->openForDay(day); });
    connect(m_expenditurePage, &ExpenditurePage::refreshRequested, this, &MainWindow::RefreshExpenditures);
}

// The pages and dialogs edit the data they were given and tell what changed; the window saves and refreshes.
void MainWindow::connectWindows()
{
    connect(m_notesPage, &NotesPage::notesChanged, this, &MainWindow::RefreshNotes);
    connect(m_notesPage, &NotesPage::saveRequested, this, &MainWindow::SaveAllNotes);
    connect(m_notesPage, &NotesPage::editNoteRequested, m_editor, &NoteEditorDialog::openForEdit);
    connect(m_editor, &NoteEditorDialog::notesEdited, this, [this] {
        RefreshNotes();
        SaveAllNotes();
    });
    connect(m_transfer, &NotesTransfer::notesChanged, this, &MainWindow::RefreshNotes);
    connect(m_settingsDialog, &SettingsDialog::settingsConfirmed, this, [this] {
        Timer2Timer();
        RefreshNotes();
        // A failed save has shown its error; the settings stay in memory for the next save.
        SaveAllNotes();
    });
    connect(m_settingsDialog, &SettingsDialog::autohideToggled, this, [this] {
        m_presence->updateTimer1();
        if (!m_settings.Autohide && !isVisible())
            showFromTray();
    });
    connect(m_settingsDialog, &SettingsDialog::hotKeysToggled, m_presence, &TrayPresence::applyHotKeys);
    connect(m_addExpenditure, &AddTransactionDialog::transactionAdded, this, [this] {
        SaveAllExpenditures();
        RefreshExpenditures();
    });
    connect(m_manage, &ManageTransactionsDialog::bookEdited, this, [this] {
        RefreshNotes();
        RefreshExpenditures();
        SaveAllExpenditures();
    });
    connect(m_changeValue, &ChangeBalanceDialog::balanceChanged, this, &MainWindow::RefreshExpenditures);
    connect(m_alerts, &ReminderAlerts::snoozed, this, &MainWindow::RefreshNotes);
    connect(m_alerts, &ReminderAlerts::ledgerChanged, this, &MainWindow::saveReminders);
    connect(m_alerts, &ReminderAlerts::doneRequested, this, &MainWindow::markRemindedDone);
    connect(m_alerts, &ReminderAlerts::showNoteRequested, this, &MainWindow::showRemindedNote);
    connect(m_presence, &TrayPresence::showWindowRequested, this, &MainWindow::showFromTray);
    connect(m_presence, &TrayPresence::hideWindowRequested, this, &MainWindow::hideToTray);
    connect(m_presence, &TrayPresence::addNoteRequested, this, &MainWindow::DsFancyButton1Click);
}

void MainWindow::connectHistory()
{
    connect(m_ui->Undo1, &QAction::triggered, this, &MainWindow::Undo1Click);
    connect(m_ui->Redo1, &QAction::triggered, this, &MainWindow::Redo1Click);
    connect(m_statusBar->undoOffer(), &QPushButton::clicked, this, &MainWindow::Undo1Click);
    connect(m_encryption, &EncryptionControl::passPhraseAccepted, this, &MainWindow::resetHistory);
    updateUndoActions();
}

EditState MainWindow::editState() const
{
    return {m_notes, currentSortOrder(), m_book};
}

void MainWindow::recordHistory()
{
    if (!m_historyStarted)
        return;
    const EditHistory::Change change = m_history.record(editState());
    if (change.removed)
        m_statusBar->offerUndo();
    if (change)
        updateUndoActions();
}

void MainWindow::resetHistory()
{
    m_history.reset(editState());
    m_historyStarted = true;
    updateUndoActions();
}

void MainWindow::Undo1Click()
{
    restoreState(m_history.undo());
}

void MainWindow::Redo1Click()
{
    restoreState(m_history.redo());
}

void MainWindow::restoreState(const std::optional<EditState> &state)
{
    if (!state)
        return;
    const bool bookChanged = state->book != m_book;
    m_notes = state->notes;
    m_book = state->book;
    chooseSortOrder(state->sortOrder);
    findChild<QAction *>(QLatin1String(sortActionName(state->sortOrder)))->setChecked(true);
    RefreshNotes();
    SaveAllNotes();
    if (bookChanged)
        SaveAllExpenditures();
    updateUndoActions();
}

void MainWindow::updateUndoActions()
{
    m_ui->Undo1->setEnabled(m_history.canUndo());
    m_ui->Redo1->setEnabled(m_history.canRedo());
}

void MainWindow::connectSearch()
{
    connect(m_ui->Find1, &QAction::triggered, m_searchBar, &SearchBar::open);
    // Esc empties the search from anywhere in the window, but only while there is one.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setEnabled(false);
    connect(escape, &QShortcut::activated, m_searchBar, &SearchBar::clear);
    connect(m_searchBar, &SearchBar::openChanged, escape, &QShortcut::setEnabled);
    connect(m_searchBar, &SearchBar::textChanged, this, &MainWindow::searchChanged);
    connect(m_searchBar, &SearchBar::nextRequested, this, [this] { findInNotepad(false); });
    connect(m_searchBar, &SearchBar::previousRequested, this, [this] { findInNotepad(true); });
    connect(m_ui->PageControl1, &QTabWidget::currentChanged, this, [this] {
        const bool notepad = m_ui->PageControl1->currentWidget() == m_ui->TabSheet2;
        m_searchBar->setFindMode(notepad);
        m_searchBar->setInfo(notepad ? m_notepadPage->findInfo(0) : QString());
    });
}

void MainWindow::searchChanged(const QString &text)
{
    const SearchQuery search(text);
    m_notepadPage->highlight(text);
    if (m_ui->PageControl1->currentWidget() == m_ui->TabSheet2)
        findInNotepad(false);
    if (search == m_search)
        return;
    m_search = search;
    if (m_search.isEmpty())
        SearchQuery::forgetFolds();
    m_expenditurePage->setSearch(m_search);
    refilterNotes();
}

void MainWindow::findInNotepad(bool backward)
{
    m_searchBar->setInfo(m_notepadPage->findInfo(m_notepadPage->findNext(backward)));
}

void MainWindow::loadAllData()
{
    m_historyStarted = false;
    ReadAllNotes();
    ReadAllExpenditures();
    resetHistory();
}

bool MainWindow::saveAllDataFiles()
{
    return saveNotesFiles(true) && reportSaveFailure(m_folder.saveExpenditures(m_book));
}

void MainWindow::finishStartup()
{
    m_encryption->showStartState();
    placeAtTopRight();
    m_placeWhenShown = true;
    // The clocks show the time from the first moment, not only after the first 5-second tick.
    m_statusBar->updateClock(Clock::now());
    m_timeInfo->clockStep(Clock::nowValue());
    m_state.StartupInProgress = false;
    QTimer::singleShot(0, m_alerts, &ReminderAlerts::showMissed);
    m_syncControl->start();
}

qsizetype MainWindow::positionOfReminded(const TNotesData &note) const
{
    const QString key = reminderKey(note);
    for (qsizetype i = 0; i < m_notes.size(); ++i) {
        if (m_notes[i].Deadline == note.Deadline && reminderKey(m_notes[i]) == key)
            return i;
    }
    return -1; // deleted or edited since the reminder came
}

void MainWindow::markRemindedDone(const TNotesData &note)
{
    const qsizetype position = positionOfReminded(note);
    if (position < 0)
        return;
    markAsFinished(m_notes, position);
    RefreshNotes();
    SaveAllNotes();
}

void MainWindow::showRemindedNote(const TNotesData &note)
{
    showFromTray();
    m_ui->PageControl1->setCurrentWidget(m_ui->TabSheet1);
    if (const qsizetype position = positionOfReminded(note); position >= 0)
        m_notesPage->selectNote(position);
}

void MainWindow::placeAtTopRight()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    // The stored size may be one the layout does not allow, or larger than the screen, whose far side
    // could not be reached: the window is placed from the size it will really have.
    ensurePolished();
    const QSize least = minimumSizeHint().expandedTo(minimumSize());
    const QSize frameExtra = frameGeometry().size() - size();
    resize(std::max(std::min(width(), available.width() - frameExtra.width()), least.width()),
           std::max(std::min(height(), available.height() - frameExtra.height()), least.height()));
    move(std::max(available.left(), available.right() + 1 - width() - frameExtra.width()), available.top());
}

bool MainWindow::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    // The desktop switched between light and dark (the application's palette changes first, the window's
    // after it, when it has none of its own).
    if (event->type() == QEvent::ApplicationPaletteChange || event->type() == QEvent::PaletteChange)
        followDesktopColours();
    return handled;
}

void MainWindow::followDesktopColours()
{
    const QPalette desktop = QApplication::palette();
    if (!m_expenditurePage)
        return;
    m_expenditurePage->followPalette(desktop);
    if (desktop == m_desktopPalette)
        return;
    m_desktopPalette = desktop;
    if (m_state.StartupInProgress)
        return;
    m_weekPage->FillWeekSchedule(); // the weekday tints follow the desktop's lightness
    if (m_settings.ShowUpcomingEventsOnDesktop)
        RefreshUpcomingEvents();
}

void MainWindow::hideEvent(QHideEvent *event)
{
    QMainWindow::hideEvent(event);
    if (!m_ending)
        sleepWhileHidden();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    m_idle->wake();
    // The frame is known only once the window is on the screen: the start's placement is made again with it.
    if (m_placeWhenShown) {
        m_placeWhenShown = false;
        QTimer::singleShot(0, this, &MainWindow::placeAtTopRight);
    }
}

void MainWindow::ReadAllNotes()
{
    const QDateTime now = Clock::now();
    const auto notes = m_folder.loadNotes(&m_notes, now);
    // A folder without any data file is a first start: nothing was lost there, so nothing to warn of.
    if (notes.outcome == DataFolder::Outcome::Missing && m_folder.hasOtherDataFiles())
        Messages::warning(this, QStringLiteral("Data file not found!"));
    else if (notes.outcome == DataFolder::Outcome::Unreadable)
        Messages::error(this, notes.error);

    QStringList notepadLines;
    const auto notepad = m_folder.loadNotepad(&notepadLines, now);
    if (notepad.outcome == DataFolder::Outcome::Loaded)
        m_notepadPage->appendLines(notepadLines);
    else if (notepad.outcome == DataFolder::Outcome::Unreadable)
        Messages::error(this, notepad.error);

    const auto settings = m_folder.loadSettings(m_settingsStore, &m_settings, now);
    if (settings.outcome == DataFolder::Outcome::Unreadable)
        Messages::error(this, settings.error);
    applyLoadedSettings();
    // Alerts missed since the last run are taken before the first refresh would fire them one by one.
    if (m_state.StartupInProgress) {
        m_alerts->ledger().readFrom(m_notes);
        const auto reminders = m_folder.loadReminders(&m_alerts->ledger(), now);
        if (reminders.outcome == DataFolder::Outcome::Unreadable)
            Messages::error(this, reminders.error);
        m_alerts->ledgerSaved(true);
        m_alerts->catchUpAtStart(m_notes);
    }
    // Only a settings file read counts as the first tick; without one the count starts at 0.
    if (settings.outcome == DataFolder::Outcome::Loaded)
        Timer2Timer();
    RefreshNotes();
    m_settingsApplier->applyStatusBarAtLoad();
    if (m_state.StartupInProgress)
        m_settingsApplier->prepareStartView();
}

void MainWindow::applyLoadedSettings()
{
    m_settingsApplier->applyAfterLoad();
    if (SettingsEffects::effectsOfLoad(m_settings).refreshTimerEnabled)
        m_timer2->start();
    else
        m_timer2->stop();
    findChild<QAction *>(QLatin1String(sortActionName(currentSortOrder())))->setChecked(true);
    m_settingsApplier->applyFonts();
    m_presence->updateTimer1();
    m_presence->applyHotKeys();
}

void MainWindow::collectWindowSettings()
{
    m_settings.FormWidth = width();
    m_settings.FormHeight = height();
    m_settings.ListViewHeight = m_notesPage->listHeight();
    m_settings.SwitchState1 = m_quickBar->hidePrivateSwitch()->isChecked();
    m_settings.SwitchState2 = m_quickBar->showFinishedSwitch()->isChecked();
    m_settings.UpcomingEventsColapsed = m_upcoming->rollOut()->isCollapsed();
    const std::array<int, 3> columns = m_notesPage->columnWidths();
    m_settings.ListView1Column0Width = columns[0];
    m_settings.ListView1Column1Width = columns[1];
    m_settings.ListView1Column2Width = columns[2];
    m_settings.ListView2Column0Width = m_upcoming->columnWidth(0);
    m_settings.ListView2Column1Width = m_upcoming->columnWidth(1);
}

bool MainWindow::SaveAllNotes()
{
    return saveNotesFiles(false);
}

bool MainWindow::saveNotesFiles(bool wait)
{
    // A note added without a refresh since still gets its identity before it reaches the disk.
    NoteIdentity::assignMissing(m_notes);
    // The alerts' states go with the notes into notestate.txt; the last check beside them.
    m_alerts->followWatcher();
    m_alerts->ledger().keepOnly(m_notes, m_alerts->savedLastCheck());
    m_alerts->ledger().writeTo(m_notes);
    const bool writeLastCheck = m_alerts->lastCheckNeedsSave(m_notes);
    recordHistory();
    collectWindowSettings();
    // Once there, the file is written with every save, so that it follows the folder's protection.
    ReminderLedger lastCheck;
    lastCheck.setLastChecked(writeLastCheck ? m_alerts->ledger().lastChecked() : m_alerts->savedLastCheck());
    if (wait) {
        if (!reportSaveFailure(m_folder.saveNotes(m_notes)))
            return false;
        if (!reportSaveFailure(m_folder.saveNotepad(m_notepadPage->lines())))
            return false;
        if (!reportSaveFailure(m_folder.saveSettings(m_settingsStore, m_settings)))
            return false;
        if (!qIsNaN(lastCheck.lastChecked()) && !reportSaveFailure(m_folder.saveReminders(lastCheck)))
            return false;
    } else {
        // Written on the writer's thread; a failure is shown when it comes back.
        m_folder.saveNotesLater(m_notes);
        m_folder.saveNotepadLater(m_notepadPage->lines());
        m_folder.saveSettingsLater(m_settingsStore, m_settings);
        if (!qIsNaN(lastCheck.lastChecked()))
            m_folder.saveRemindersLater(lastCheck);
    }
    m_alerts->ledgerSaved(writeLastCheck);
    m_syncControl->notesSaved();
    return true;
}

bool MainWindow::saveReminders()
{
    // During the start the notepad and the settings are not read yet: a save would lose them.
    if (m_state.StartupInProgress || !m_alerts->ledgerNeedsSave())
        return true;
    return SaveAllNotes();
}

bool MainWindow::reportSaveFailure(const IoResult &result)
{
    if (!result)
        Messages::error(this, result.error);
    return result.ok;
}

NotesRefreshOptions MainWindow::refreshOptions(const QDateTime &now) const
{
    return notesRefreshOptions(m_settings, currentSortOrder(), notesFilter(), DateTime::toQDate(m_state.WeekStart),
                               DateTime::fromQDateTime(now), m_formats);
}

void MainWindow::RefreshNotes()
{
    const QDateTime now = Clock::now();
    m_lastRefreshDay = now.date();
    AlarmWatcher *alarms = m_alerts->JvAlarms1();
    NotesRefreshOptions options = refreshOptions(now);
    m_alerts->followWatcher();
    options.reminders = &m_alerts->ledger();
    const NotesViews views = ::RefreshNotes(m_notes, options, &m_searchable);
    recordHistory();
    // First, before anything below can open a box: the list must follow the new positions.
    alarms->setEntries(views.alarms);
    showNotesViews(views);
    RefreshExpenditures();
}

void MainWindow::refilterNotes()
{
    const QDateTime now = Clock::now();
    if (now.date() != m_lastRefreshDay || !m_searchable.fits(m_notes, refreshOptions(now))) {
        RefreshNotes();
        return;
    }
    showNotesViews(m_searchable.narrowed(m_search));
    // Transactions that fell due are no step of the user's.
    if (m_expenditurePage->refreshLists(m_book, m_settings) && m_historyStarted)
        m_history.absorbBook(m_book);
}

void MainWindow::showNotesViews(const NotesViews &views)
{
    m_notesModel->setRows(views.rows);
    showUpcomingEvents(views.upcoming);
    m_weekPage->showWeek(views.week);
    if (views.counters) {
        m_statusBar->counter(3)->setText(QString::number(views.counters->highest));
        m_statusBar->counter(2)->setText(QString::number(views.counters->increased));
        m_statusBar->counter(1)->setText(QString::number(views.counters->normal));
        m_statusBar->counter(0)->setText(QString::number(views.counters->finished));
    }
    if (m_presence)
        m_presence->refreshToolTip();
}

void MainWindow::RefreshUpcomingEvents()
{
    showUpcomingEvents(::upcomingEvents(m_notes, notesFilter(), m_settings.UpcomingEventsTime, Clock::nowValue()));
}

void MainWindow::showUpcomingEvents(const QList<UpcomingEvent> &events)
{
    m_upcoming->showEvents(events);
    // The wallpaper shows the user's events, not a search's: it is painted again once the search closes.
    if (!m_settings.ShowUpcomingEventsOnDesktop || !m_search.isEmpty())
        return;
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    // The picture covers the screen's device pixels, as a wallpaper does.
    const QSize size = (QSizeF(screen->size()) * screen->devicePixelRatio()).toSize();
    const QPalette desktop = QApplication::palette();
    const WallpaperLook look = onDesktop({m_settings.UpcomingEventsBackgroundColor, m_settings.UpcomingEventsFontColor,
                                          m_settings.Font5Size, m_settings.ShowUpcomingEventsOnDesktopPositionX,
                                          m_settings.ShowUpcomingEventsOnDesktopPositionY},
                                         Appearance::isDark(desktop), desktop.color(QPalette::Window),
                                         desktop.color(QPalette::WindowText));
    QStringList lines;
    for (const UpcomingEvent &event : events)
        lines.append(wallpaperLine(event));
    const IoResult saved = m_folder.saveWallpaper(wallpaperBmp(paintWallpaper(look, lines, size)));
    if (!saved) {
        Messages::error(this, saved.error);
        return;
    }
    SetWallpaper(m_folder.wallpaperPath());
}

void MainWindow::SetWallpaper(const QString &path)
{
    m_desktopWallpaper->apply(path, qEnvironmentVariable("XDG_CURRENT_DESKTOP"));
}

void MainWindow::RunOnStartup()
{
    const IoResult written =
        Autostart::write(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                         QCoreApplication::applicationFilePath(), m_dataDirChosen ? m_state.AppDir : QString());
    if (!written)
        Messages::error(this, written.error);
}

void MainWindow::ReadAllExpenditures()
{
    const auto loaded = m_folder.loadExpenditures(&m_book, Clock::now());
    if (loaded.outcome == DataFolder::Outcome::Unreadable)
        Messages::error(this, loaded.error);
    else if (loaded.outcome == DataFolder::Outcome::Loaded)
        RefreshExpenditures();
}

bool MainWindow::SaveAllExpenditures()
{
    m_folder.saveExpendituresLater(m_book);
    return true;
}

void MainWindow::RefreshExpenditures()
{
    recordHistory();
    m_expenditurePage->refresh(m_book, m_settings);
    // Transactions that fell due are no step of the user's.
    if (m_historyStarted)
        m_history.absorbBook(m_book);
}

int MainWindow::SelectedItem(int row) const
{
    return static_cast<int>(::SelectedItem(m_notes, notesFilter(), row));
}

void MainWindow::Addnote1Click()
{
    if (m_editor->isVisible())
        return;
    m_editor->clearText();
    m_editor->openForAdd();
}

void MainWindow::DsFancyButton1Click()
{
    m_editor->openForAdd();
}

NotesSortOrder MainWindow::currentSortOrder() const
{
    return SettingsEffects::sortOrder(m_settings);
}

void MainWindow::chooseSortOrder(NotesSortOrder order)
{
    SettingsEffects::chooseSortOrder(m_settings, order);
}

NotesFilter MainWindow::notesFilter() const
{
    return {m_quickBar->hidePrivateSwitch()->isChecked(), m_quickBar->showFinishedSwitch()->isChecked(), m_search};
}

namespace {

// The local .ics files among dropped URLs.
QStringList droppedCalendars(const QMimeData *data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile() && url.toLocalFile().endsWith(QLatin1String(".ics"), Qt::CaseInsensitive))
            files.append(url.toLocalFile());
    }
    return files;
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedCalendars(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QStringList files = droppedCalendars(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    for (const QString &file : files)
        importCalendarFile(file);
}

bool MainWindow::importCalendarFile(const QString &fileName)
{
    return m_transfer->importCalendar(fileName);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_ending) {
        event->accept();
        return;
    }
    event->ignore();
    // Marked before the save, so that the notice is given once across runs.
    const bool trayNotice = m_presence->takeTrayNotice();
    if (!saveAllDataFiles())
        return;
    hideToTray();
    if (trayNotice)
        m_presence->showTrayNotice();
}

void MainWindow::Close1Click()
{
    if (m_ending)
        return;
    m_presence->closeBalloon();
    m_state.TrayPopupDelay = 100000;
    if (!saveAllDataFiles())
        return;
    m_ending = true;
    QApplication::quit();
}

void MainWindow::Settings1Click()
{
    m_settingsDialog->execute();
}

void MainWindow::Settings2Click()
{
    m_settingsDialog->execute();
}

void MainWindow::About2Click()
{
    m_about->move(m_about->screen()->availableGeometry().center() - m_about->rect().center());
    m_about->exec();
}

void MainWindow::Timer2Timer()
{
    if (m_upcoming->countRefreshTick(m_settings.UpcomingEventsRefreshTime))
        RefreshUpcomingEvents();
    const TDateTime now = Clock::nowValue();
    m_timeInfo->sunPanelStep(now);
    m_timeInfo->customPanelStep(now);
}

void MainWindow::Timer3Timer()
{
    m_weekPage->followDayChange();
    // Asleep or with the clock moved over midnight, the half minute after it passes unseen.
    QDate weekStart = DateTime::toQDate(m_state.WeekStart);
    if (m_lastRefreshDay.isValid() && missedDayChange(Clock::now().date(), m_lastRefreshDay, weekStart)) {
        m_state.WeekStart = DateTime::fromQDate(weekStart);
        RefreshNotes();
    }
    if (m_state.NotepadChanged) {
        SaveAllNotes();
        m_state.NotepadChanged = false;
    }
    m_statusBar->updateClock(Clock::now());
    m_timeInfo->clockStep(Clock::nowValue());
}

void MainWindow::NotepadChange()
{
    if (!m_state.StartupInProgress)
        m_state.NotepadChanged = true;
}

void MainWindow::showFromTray()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void MainWindow::hideToTray()
{
    if (!isVisible() || isMinimized())
        return;
    // Without a notification area the window could not be reached again once hidden.
    if (m_tray->isVisible())
        hide();
    else
        showMinimized();
}

bool MainWindow::anyDialogOpen() const
{
    for (const QWidget *dialog : std::initializer_list<const QWidget *>{m_settingsDialog, m_editor, m_about,
                                                                        m_addExpenditure, m_manage, m_changeValue})
        if (dialog && dialog->isVisible())
            return true;
    // The pass phrase window belongs to the start, not to this window.
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.cbegin(), windows.cend(), [](const QWidget *window) {
        return qobject_cast<const PassPhraseDialog *>(window) && window->isVisible();
    });
}
