#pragma once

#include "sync/NoteSync.h"
#include "sync/PasswordStore.h"
#include "sync/SyncSchedule.h"
#include "sync/SyncState.h"
#include "sync/SyncStatusText.h"

#include "notes/NotesData.h"

#include <QObject>

#include <functional>

class DataFolder;
class QLabel;
class QTimer;
class QWidget;
struct Settings;

// The program's side of sync: runs NoteSync in the background at start, a few seconds after the notes
// change, every few minutes and on "Sync now", waits longer after each failure, applies what came back
// and saves it, and says in the status bar how the last sync went. Nothing here waits for the network:
// without one the notes work as always and the changes go out when the server answers again.
class SyncControl final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SyncControl)

public:
    // notesChanged: the window refreshes and saves the notes a sync changed (false: a save failed).
    // askPassword: where there is no password store, the password for this run; empty: cancelled.
    SyncControl(NotesCollection &notes, Settings &settings, DataFolder &folder, QLabel *status,
                std::function<bool()> notesChanged,
                std::function<QString(const QString &server, const QString &user)> askPassword, QWidget *window);
    ~SyncControl() override;

    // After the data are loaded: reads the sync state and the password, then the first sync.
    void start();
    // The window saved the notes: a sync follows a few seconds later.
    void notesSaved();
    // "Sync now" in the General menu and the tray menu.
    void syncNow();
    // The settings dialog closed: another server, account, list or interval takes effect.
    void settingsChanged();

    PasswordStore &passwords() { return m_passwords; }
    NoteSync &engine() { return m_sync; }
    QTimer *timer() const { return m_timer; }
    const SyncState &state() const { return m_state; }
    QString statusText() const;
    bool isConfigured() const;

Q_SIGNALS:
    // A sync ended, well or not; the status bar already says how.
    void syncEnded(bool ok);

private:
    void run();
    void finished(const SyncOutcome &outcome);
    void progressed(int done, int total);
    void passwordAnswered(const PasswordStore::Result &result);
    void arm();
    void showStatus();
    QString accountKey() const;

    NotesCollection &m_notes;
    Settings &m_settings;
    DataFolder &m_folder;
    QLabel *m_status;
    std::function<bool()> m_notesChanged;
    std::function<QString(const QString &, const QString &)> m_askPassword;
    QWidget *m_window;
    NoteSync m_sync;
    PasswordStore m_passwords;
    SyncSchedule m_schedule;
    SyncState m_state;
    SyncStatusText::Progress m_progress;
    QTimer *m_timer;
    QString m_password;
    QString m_passwordFor; // server and user m_password belongs to
    bool m_passwordPending = false;
    bool m_applying = false; // the save after applying a sync is no change of the user's
    bool m_started = false;
};
