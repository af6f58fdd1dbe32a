#pragma once

#include "SyncAccount.h"
#include "SyncState.h"

#include "notes/NotesData.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

class DavClient;

// One change to the notes that a sync asks for, with the note as the sync saw it, so that a note the
// user edited meanwhile is left as the user made it.
struct SyncNoteChange
{
    enum class Kind
    {
        Add,    // a note from the server, or a conflict copy
        Update, // `before` becomes `after`
        Remove
    };
    Kind kind = Kind::Add;
    TNotesData before;
    TNotesData after;
};

struct SyncOutcome
{
    bool ok = false;
    QString message;      // why it failed, in plain words; empty on success
    QDateTime finishedAt; // UTC
    bool inStep = false;  // ok, and nothing was left waiting on either side
    QList<SyncNoteChange> changes;
    SyncState state; // to keep once the changes are applied
    int sent = 0;
    int received = 0;
    int conflicts = 0;
    // The server refused a certificate the system does not trust: the UI may offer to accept it.
    QByteArray untrustedCertificateSha256;
    QString certificateDescription;
};

// Texts of conflict copies begin with this line's text, and the copy keeps the original's UID in the
// extra field kConflictOfField.
inline constexpr char kConflictPrefix[] = "Conflict copy (from the server): ";
inline constexpr char kConflictOfField[] = "SyncConflictOf";

// Two-way sync of the notes with one calendar collection's tasks (CalDAV). One sync at a time, on a copy
// of the notes; network work happens on the signals of the main thread.
class NoteSync final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NoteSync)

public:
    explicit NoteSync(QObject *parent = nullptr);
    ~NoteSync() override;

    // VALARMs on the items sent, as the export writes them.
    void setAlerts(bool on, int hoursBefore);

    void start(const SyncAccount &account, const NotesCollection &notes, const SyncState &state);
    bool isRunning() const;
    // Ends a running sync; it reports finished with a failure.
    void cancel();
    DavClient *client() const { return m_client; }

Q_SIGNALS:
    void progress(int done, int total);
    void finished(const SyncOutcome &outcome);

private:
    class Run;
    void runEnded(const SyncOutcome &outcome);

    DavClient *m_client;
    Run *m_run = nullptr;
    Run *m_ended = nullptr;
    bool m_alertsOn = false;
    int m_alertHours = 1;
};

// Applies a finished sync to the notes as they are now and takes its state. A note edited since the
// sync began keeps that edit (it goes to the server next time). Returns whether the notes changed.
bool applySyncOutcome(NotesCollection &notes, SyncState &state, const SyncOutcome &outcome);
