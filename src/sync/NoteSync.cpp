#include "NoteSync.h"

#include "DavClient.h"

NoteSync::NoteSync(QObject *parent) : QObject(parent), m_client(new DavClient(this)) {}

NoteSync::~NoteSync() = default;

void NoteSync::setAlerts(bool on, int hoursBefore)
{
    m_alertsOn = on;
    m_alertHours = hoursBefore;
}

void NoteSync::start(const SyncAccount &, const NotesCollection &, const SyncState &) {}

bool NoteSync::isRunning() const
{
    return m_run != nullptr;
}

void NoteSync::cancel() {}

void NoteSync::runEnded(const SyncOutcome &outcome)
{
    Q_EMIT finished(outcome);
}

bool applySyncOutcome(NotesCollection &, SyncState &, const SyncOutcome &)
{
    return false;
}
