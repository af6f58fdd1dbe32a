#include "NoteSync.h"

#include "DavClient.h"
#include "DavMultistatus.h"
#include "SyncItems.h"
#include "SyncMerge.h"

#include "ical/IcsTime.h"
#include "notes/NoteIdentity.h"

#include <QHash>
#include <QSet>

namespace {

// Items fetched per calendar-multiget, and writes in flight at once.
constexpr int kFetchBatch = 200;
constexpr int kParallelWrites = 4;

QByteArray xmlEscaped(const QString &text)
{
    return text.toHtmlEscaped().toUtf8();
}

TDateTime localNow()
{
    return DateTime::fromQDateTime(QDateTime::currentDateTime());
}

QString httpStatusText(const DavReply &reply)
{
    return reply.error.isEmpty() ? QStringLiteral("the server answered %1").arg(reply.status) : reply.error;
}

} // namespace

class NoteSync::Run
{
public:
    Run(NoteSync *owner, const SyncAccount &account, const NotesCollection &notes, const SyncState &state)
        : m_owner(owner), m_client(owner->m_client), m_account(account), m_local(notes), m_state(state)
    {
        m_now = localNow();
        m_options.now = m_now;
        m_options.alertsOn = owner->m_alertsOn;
        m_options.alertHours = owner->m_alertHours;
        m_calendar = account.calendar;
        if (!m_calendar.path().endsWith(QLatin1Char('/')))
            m_calendar.setPath(m_calendar.path() + QLatin1Char('/'));
        const QString calendarKey = m_calendar.toString(QUrl::RemoveUserInfo);
        if (m_state.calendar != calendarKey) {
            // Another task list: nothing of the old one is in step with it.
            m_state.items.clear();
            m_state.syncToken.clear();
            m_state.calendar = calendarKey;
        }
        for (qsizetype i = 0; i < m_local.size(); ++i)
            m_localByUid.insert(m_local[i].uid, i);
        for (qsizetype i = 0; i < m_state.items.size(); ++i) {
            m_items.insert(hrefKey(m_state.items[i].href), m_state.items[i]);
            for (const QString &uid : m_state.items[i].noteUids)
                m_syncedUids.insert(uid);
        }
    }

    void begin()
    {
        m_client->setAccount(m_account);
        listChanges(m_state.syncToken);
    }

private:
    // Server hrefs compared as encoded paths, however the server spelled them.
    QString hrefKey(const QString &href) const
    {
        return m_calendar.resolved(QUrl::fromEncoded(href.toUtf8())).path(QUrl::FullyEncoded);
    }
    QUrl urlOf(const QString &key) const { return m_calendar.resolved(QUrl::fromEncoded(key.toUtf8())); }
    bool isCollection(const QString &key) const
    {
        const QString own = m_calendar.path(QUrl::FullyEncoded);
        return key == own || key + QLatin1Char('/') == own || key.endsWith(QLatin1Char('/'));
    }

    // --- listing ------------------------------------------------------------------------------

    void listChanges(const QString &token)
    {
        const QByteArray body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<d:sync-collection xmlns:d=\"DAV:\">"
                                "<d:sync-token>" +
                                xmlEscaped(token) +
                                "</d:sync-token><d:sync-level>1</d:sync-level><d:prop><d:getetag/></d:prop>"
                                "</d:sync-collection>";
        m_client->report(m_calendar, 0, body, [this, token](const DavReply &reply) {
            if (failed(reply))
                return;
            if (reply.status == 404)
                return fail(vanished());
            const DavMultistatus listing = reply.status == 207 ? parseMultistatus(reply.body) : DavMultistatus();
            if (!listing.ok) {
                // An expired token is answered with an error; a server without the report lists everything.
                if (!token.isEmpty())
                    return listChanges({});
                return listAll();
            }
            m_fullListing = token.isEmpty();
            m_newToken = listing.syncToken;
            take(listing);
        });
    }

    void listAll()
    {
        const QByteArray body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<d:propfind xmlns:d=\"DAV:\"><d:prop>"
                                "<d:getetag/><d:resourcetype/></d:prop></d:propfind>";
        m_client->propfind(m_calendar, 1, body, [this](const DavReply &reply) {
            if (failed(reply))
                return;
            if (reply.status == 404)
                return fail(vanished());
            const DavMultistatus listing = parseMultistatus(reply.body);
            if (reply.status != 207 || !listing.ok)
                return fail(QStringLiteral("The server did not list the task list %1 (%2).")
                                .arg(m_calendar.toDisplayString(QUrl::RemoveUserInfo),
                                     listing.error.isEmpty() ? httpStatusText(reply) : listing.error));
            m_fullListing = true;
            m_newToken.clear();
            take(listing);
        });
    }

    QString vanished() const
    {
        return QStringLiteral("The task list %1 is no longer on the server.")
            .arg(m_calendar.toDisplayString(QUrl::RemoveUserInfo));
    }

    void take(const DavMultistatus &listing)
    {
        QSet<QString> listed;
        for (const DavResponseEntry &entry : listing.responses) {
            const QString key = hrefKey(entry.href);
            if (entry.href.isEmpty() || isCollection(key))
                continue;
            const auto resource = entry.properties.constFind(Dav::name(Dav::kDavNs, "resourcetype"));
            if (resource != entry.properties.cend() && !resource->children.isEmpty())
                continue; // a collection inside the calendar
            if (entry.status == 404) {
                m_removed.insert(key);
                continue;
            }
            listed.insert(key);
            const QByteArray etag = entry.properties.value(Dav::name(Dav::kDavNs, "getetag")).text.toUtf8();
            const auto known = m_items.constFind(key);
            if (known == m_items.cend() || known->etag != etag || etag.isEmpty())
                m_toFetch.append(key);
        }
        if (m_fullListing) {
            for (auto it = m_items.cbegin(); it != m_items.cend(); ++it) {
                if (!listed.contains(it.key()))
                    m_removed.insert(it.key());
            }
        }
        m_total = int(m_toFetch.size());
        fetchNext();
    }

    // --- fetching -----------------------------------------------------------------------------

    void fetchNext()
    {
        if (m_fetchAt >= m_toFetch.size())
            return decide();
        const qsizetype end = qMin(m_fetchAt + kFetchBatch, m_toFetch.size());
        QByteArray body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<c:calendar-multiget xmlns:d=\"DAV:\" "
                          "xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:prop><d:getetag/><c:calendar-data/></d:prop>";
        for (qsizetype i = m_fetchAt; i < end; ++i)
            body += "<d:href>" + xmlEscaped(m_toFetch[i]) + "</d:href>";
        body += "</c:calendar-multiget>";
        m_fetchAt = end;
        m_client->report(m_calendar, 1, body, [this](const DavReply &reply) {
            if (failed(reply))
                return;
            const DavMultistatus items = parseMultistatus(reply.body);
            if (reply.status != 207 || !items.ok)
                return fail(QStringLiteral("The server did not send the tasks (%1).")
                                .arg(items.error.isEmpty() ? httpStatusText(reply) : items.error));
            for (const DavResponseEntry &entry : items.responses) {
                const QString key = hrefKey(entry.href);
                if (entry.status == 404) {
                    m_removed.insert(key);
                    continue;
                }
                Fetched fetched;
                fetched.etag = entry.properties.value(Dav::name(Dav::kDavNs, "getetag")).text.toUtf8();
                fetched.ics = entry.properties.value(Dav::name(Dav::kCalDavNs, "calendar-data")).text.toUtf8();
                m_fetched.insert(key, fetched);
            }
            Q_EMIT m_owner->progress(int(m_fetchAt), m_total);
            fetchNext();
        });
    }

    // --- deciding -----------------------------------------------------------------------------

    struct Fetched
    {
        QByteArray etag;
        QByteArray ics;
    };

    struct Write
    {
        QString key;
        QByteArray ifMatch; // empty: create
        QByteArray ics;     // empty: delete
        SyncItemState after;
    };

    const TNotesData *local(const QString &uid) const
    {
        const auto at = m_localByUid.constFind(uid);
        return at == m_localByUid.cend() ? nullptr : &m_local[*at];
    }

    void update(const TNotesData &before, const TNotesData &after)
    {
        if (SyncMerge::sameContent(before, after))
            return;
        TNotesData note = before;
        note.Text = after.Text;
        note.Location = after.Location;
        note.Deadline = after.Deadline;
        note.Importance = after.Importance;
        note.Progress = after.Progress;
        note.PrivateMsg = after.PrivateMsg;
        for (auto field = after.extra.cbegin(); field != after.extra.cend(); ++field)
            note.extra.insert(field.key(), field.value());
        m_outcome.changes.append({SyncNoteChange::Kind::Update, before, note});
        ++m_outcome.received;
    }

    void add(const TNotesData &note)
    {
        m_outcome.changes.append({SyncNoteChange::Kind::Add, {}, note});
        ++m_outcome.received;
    }

    void removeLocal(const TNotesData &note)
    {
        m_outcome.changes.append({SyncNoteChange::Kind::Remove, note, {}});
        ++m_outcome.received;
    }

    SyncItemState stateOf(const QString &key, const QByteArray &etag, const SyncItems::Item &item,
                          const QByteArray &ics) const
    {
        SyncItemState state{key, etag, item.uid, item.isTask ? ics : QByteArray(), {}, {}};
        for (const TNotesData &note : item.notes)
            state.noteUids.append(note.uid);
        if (item.isTask && !item.recurring && item.notes.size() == 1)
            state.fingerprint = NoteIdentity::fingerprint(item.notes.first());
        return state;
    }

    void keep(const SyncItemState &state) { m_items.insert(state.href, state); }

    void put(const QString &key, const QByteArray &ifMatch, const TNotesData &note)
    {
        TNotesData sent = note;
        sent.extra.insert(QLatin1String(IcsExport::kModifiedField), QString::fromLatin1(IcsTime::utcStamp(m_now)));
        const QByteArray ics = SyncItems::write(sent, m_options);
        m_writes.append({key, ifMatch, ics, {key, {}, note.uid, ics, {note.uid}, NoteIdentity::fingerprint(note)}});
    }

    void decide()
    {
        QSet<QString> handled;
        // What the server changed or added.
        for (auto it = m_fetched.cbegin(); it != m_fetched.cend(); ++it) {
            handled.insert(it.key());
            const SyncItems::Item server = SyncItems::read(it->ics, m_now);
            const auto known = m_items.constFind(it.key());
            if (!server.isTask) {
                keep(stateOf(it.key(), it->etag, server, {}));
                continue;
            }
            if (known == m_items.cend() || known->uid.isEmpty())
                serverNew(it.key(), it->etag, it->ics, server);
            else if (server.recurring)
                serverChangedSeries(it.key(), it->etag, it->ics, server, *known);
            else
                serverChangedSingle(it.key(), it->etag, it->ics, server, *known);
        }
        // What the server removed.
        for (const QString &key : std::as_const(m_removed)) {
            const auto known = m_items.constFind(key);
            if (known == m_items.cend() || handled.contains(key))
                continue;
            handled.insert(key);
            const SyncItems::Item base = SyncItems::read(known->ics, m_now);
            for (const QString &uid : known->noteUids) {
                const TNotesData *note = local(uid);
                const TNotesData *was = findNote(base.notes, uid);
                // A note changed here since is kept and goes up as a new item.
                if (note && was && SyncMerge::sameContent(*note, *was)) {
                    removeLocal(*note);
                    m_syncedUids.insert(uid);
                } else {
                    m_syncedUids.remove(uid);
                }
            }
            m_items.remove(key);
        }
        // What changed here only.
        const QList<QString> keys = m_items.keys();
        for (const QString &key : keys) {
            if (handled.contains(key))
                continue;
            const SyncItemState known = m_items.value(key);
            if (known.uid.isEmpty())
                continue;
            // A note exactly as it was when last in step needs no reading of the item.
            const TNotesData *same = known.fingerprint.isEmpty() ? nullptr : local(known.uid);
            if (same && NoteIdentity::fingerprint(*same) == known.fingerprint)
                continue;
            const SyncItems::Item base = SyncItems::read(known.ics, m_now);
            if (base.recurring) {
                localChangedSeries(key, known, base);
                continue;
            }
            const TNotesData *note = local(known.uid);
            const TNotesData *was = findNote(base.notes, known.uid);
            if (!note)
                m_writes.append({key, known.etag, {}, {}});
            else if (!was || !SyncMerge::sameContent(*note, *was))
                put(key, known.etag, *note);
        }
        // Notes the server has never had.
        for (const TNotesData &note : std::as_const(m_local)) {
            if (!m_syncedUids.contains(note.uid))
                put(newKey(note.uid), {}, note);
        }
        for (const TNotesData &copy : std::as_const(m_conflictCopies))
            put(newKey(copy.uid), {}, copy);
        m_total += int(m_writes.size());
        writeNext();
    }

    static const TNotesData *findNote(const NotesCollection &notes, const QString &uid)
    {
        for (const TNotesData &note : notes) {
            if (note.uid == uid)
                return &note;
        }
        return nullptr;
    }

    QString newKey(const QString &uid) const
    {
        return m_calendar.path(QUrl::FullyEncoded) + QString::fromLatin1(QUrl::toPercentEncoding(uid)) +
               QLatin1String(".ics");
    }

    void serverNew(const QString &key, const QByteArray &etag, const QByteArray &ics, const SyncItems::Item &server)
    {
        // After a crash the server may hold what was sent but never recorded: a note of the same UID here
        // is that item, never a second one.
        for (const TNotesData &incoming : server.notes) {
            m_syncedUids.insert(incoming.uid);
            const TNotesData *note = local(incoming.uid);
            if (!note)
                add(incoming);
            else if (!server.recurring && !SyncMerge::sameContent(*note, incoming))
                put(key, etag, *note);
            else if (server.recurring)
                update(*note, incoming);
        }
        keep(stateOf(key, etag, server, ics));
    }

    void serverChangedSingle(const QString &key, const QByteArray &etag, const QByteArray &ics,
                             const SyncItems::Item &server, const SyncItemState &known)
    {
        const SyncItems::Item base = SyncItems::read(known.ics, m_now);
        const TNotesData *was = findNote(base.notes, known.uid);
        const TNotesData &incoming = server.notes.first();
        const TNotesData *note = local(incoming.uid);
        for (const QString &uid : known.noteUids)
            m_syncedUids.insert(uid);
        m_syncedUids.insert(incoming.uid);
        keep(stateOf(key, etag, server, ics));
        if (!note) {
            // Deleted here: an unchanged item goes, a changed one comes back.
            if (was && SyncMerge::sameContent(*was, incoming))
                m_writes.append({key, etag, {}, {}});
            else
                add(incoming);
            return;
        }
        if (!was || SyncMerge::sameContent(*note, *was)) {
            update(*note, incoming);
            return;
        }
        const SyncMerge::Result merged = SyncMerge::merge(*was, *note, incoming);
        update(*note, merged.note);
        if (merged.conflict) {
            ++m_outcome.conflicts;
            m_conflictCopies.append(merged.serverCopy);
            add(merged.serverCopy);
            --m_outcome.received;
        }
        if (!SyncMerge::sameContent(merged.note, incoming))
            put(key, etag, merged.note);
    }

    void serverChangedSeries(const QString &key, const QByteArray &etag, const QByteArray &ics,
                             const SyncItems::Item &server, const SyncItemState &known)
    {
        const SyncItems::Item base = SyncItems::read(known.ics, m_now);
        NotesCollection changed;
        QStringList removed;
        localOccurrenceChanges(known, base, &changed, &removed);
        QByteArray merged = ics;
        if (!changed.isEmpty() || !removed.isEmpty())
            merged = SyncItems::withOccurrences(ics, changed, removed, m_options);
        const SyncItems::Item now = SyncItems::read(merged, m_now);
        applySeries(known, base, now);
        keep(stateOf(key, etag, server, ics));
        if (merged != ics)
            m_writes.append({key, etag, merged, stateOf(key, {}, now, merged)});
    }

    void localChangedSeries(const QString &key, const SyncItemState &known, const SyncItems::Item &base)
    {
        NotesCollection changed;
        QStringList removed;
        localOccurrenceChanges(known, base, &changed, &removed);
        // Occurrences that came within reach since the last sync appear here too.
        for (const TNotesData &occurrence : base.notes) {
            if (!known.noteUids.contains(occurrence.uid) && !local(occurrence.uid)) {
                add(occurrence);
                m_items[key].noteUids.append(occurrence.uid);
            }
            m_syncedUids.insert(occurrence.uid);
        }
        if (changed.isEmpty() && removed.isEmpty())
            return;
        const QByteArray merged = SyncItems::withOccurrences(known.ics, changed, removed, m_options);
        if (merged.isEmpty())
            return;
        const SyncItems::Item now = SyncItems::read(merged, m_now);
        m_writes.append({key, known.etag, merged, stateOf(key, {}, now, merged)});
    }

    void localOccurrenceChanges(const SyncItemState &known, const SyncItems::Item &base, NotesCollection *changed,
                                QStringList *removed) const
    {
        for (const QString &uid : known.noteUids) {
            const TNotesData *note = local(uid);
            const TNotesData *was = findNote(base.notes, uid);
            if (!was)
                continue;
            if (!note)
                removed->append(uid);
            else if (!SyncMerge::sameContent(*note, *was))
                changed->append(*note);
        }
    }

    void applySeries(const SyncItemState &known, const SyncItems::Item &base, const SyncItems::Item &now)
    {
        QSet<QString> present;
        for (const TNotesData &occurrence : now.notes) {
            present.insert(occurrence.uid);
            m_syncedUids.insert(occurrence.uid);
            if (const TNotesData *note = local(occurrence.uid))
                update(*note, occurrence);
            else if (!known.noteUids.contains(occurrence.uid))
                add(occurrence);
        }
        for (const QString &uid : known.noteUids) {
            const TNotesData *note = local(uid);
            const TNotesData *was = findNote(base.notes, uid);
            if (!present.contains(uid) && note && was && SyncMerge::sameContent(*note, *was))
                removeLocal(*note);
        }
    }

    // --- writing ------------------------------------------------------------------------------

    void writeNext()
    {
        while (!m_failedOnce && m_inFlight < kParallelWrites && m_writeAt < m_writes.size()) {
            const Write write = m_writes[m_writeAt++];
            ++m_inFlight;
            const auto done = [this, write](const DavReply &reply) {
                --m_inFlight;
                ++m_done;
                Q_EMIT m_owner->progress(int(m_fetchAt) + m_done, m_total);
                written(write, reply);
                writeNext();
            };
            if (write.ics.isEmpty())
                m_client->remove(urlOf(write.key), write.ifMatch, done);
            else
                m_client->put(urlOf(write.key), write.ics, write.ifMatch, done);
        }
        if (m_inFlight == 0 && (m_failedOnce || m_writeAt >= m_writes.size()))
            end();
    }

    void written(const Write &write, const DavReply &reply)
    {
        if (reply.failure != DavReply::Failure::None) {
            noteFailure(reply.error, reply);
            return;
        }
        if (reply.status == 412) {
            // Changed on the server meanwhile: the next sync merges it. A create that met an existing item
            // (sent before a crash) is found by a full listing.
            m_behind = true;
            if (write.ifMatch.isEmpty())
                m_newToken.clear();
            return;
        }
        if (write.ics.isEmpty()) {
            if (reply.isSuccess() || reply.status == 404)
                m_items.remove(write.key);
            else
                noteFailure(QStringLiteral("The server did not delete a task (%1).").arg(httpStatusText(reply)), reply);
            return;
        }
        if (!reply.isSuccess()) {
            noteFailure(QStringLiteral("The server did not store a task (%1).").arg(httpStatusText(reply)), reply);
            return;
        }
        SyncItemState state = write.after;
        state.etag = reply.etag; // none: the next listing fetches it once and finds it unchanged
        keep(state);
        for (const QString &uid : state.noteUids)
            m_syncedUids.insert(uid);
        ++m_outcome.sent;
    }

    // --- ending -------------------------------------------------------------------------------

    bool failed(const DavReply &reply)
    {
        if (reply.failure == DavReply::Failure::None && reply.status != 401)
            return false;
        fail(reply.error, reply);
        return true;
    }

    void noteFailure(const QString &why, const DavReply &reply = {})
    {
        if (m_outcome.message.isEmpty())
            m_outcome.message = why;
        if (!reply.certificateSha256.isEmpty()) {
            m_outcome.untrustedCertificateSha256 = reply.certificateSha256;
            m_outcome.certificateDescription = reply.certificateDescription;
        }
        m_failedOnce = true;
    }

    // A failure before anything was decided: nothing to apply.
    void fail(const QString &why, const DavReply &reply = {})
    {
        noteFailure(why, reply);
        m_outcome.changes.clear();
        m_items.clear();
        for (const SyncItemState &item : std::as_const(m_state.items))
            m_items.insert(hrefKey(item.href), item);
        m_newToken = m_state.syncToken;
        end();
    }

    void end()
    {
        m_outcome.ok = !m_failedOnce;
        m_outcome.finishedAt = QDateTime::currentDateTimeUtc();
        m_outcome.inStep = m_outcome.ok && !m_behind;
        SyncState &state = m_outcome.state;
        state = m_state;
        state.items = m_items.values();
        state.syncToken = m_newToken;
        if (m_outcome.ok) {
            state.failures = 0;
            state.lastError.clear();
            state.lastSuccess = m_outcome.finishedAt;
        } else {
            ++state.failures;
            state.lastError = m_outcome.message;
        }
        m_owner->runEnded(m_outcome);
    }

    NoteSync *m_owner;
    DavClient *m_client;
    SyncAccount m_account;
    QUrl m_calendar;
    NotesCollection m_local;
    QHash<QString, qsizetype> m_localByUid;
    SyncState m_state;
    QMap<QString, SyncItemState> m_items; // by href key: the state being built
    QSet<QString> m_syncedUids;           // notes the server has (or had and still has in the state)
    TDateTime m_now = 0;
    IcsExport::Options m_options;

    bool m_fullListing = false;
    QString m_newToken;
    QList<QString> m_toFetch;
    qsizetype m_fetchAt = 0;
    QSet<QString> m_removed;
    QMap<QString, Fetched> m_fetched;
    NotesCollection m_conflictCopies;

    QList<Write> m_writes;
    qsizetype m_writeAt = 0;
    int m_inFlight = 0;
    int m_done = 0;
    int m_total = 0;
    bool m_behind = false;
    bool m_failedOnce = false;
    SyncOutcome m_outcome;
};

NoteSync::NoteSync(QObject *parent) : QObject(parent), m_client(new DavClient(this)) {}

NoteSync::~NoteSync()
{
    delete m_client; // no answer may reach a run that is going away
    m_client = nullptr;
    delete m_run;
    delete m_ended;
}

void NoteSync::setAlerts(bool on, int hoursBefore)
{
    m_alertsOn = on;
    m_alertHours = hoursBefore;
}

void NoteSync::start(const SyncAccount &account, const NotesCollection &notes, const SyncState &state)
{
    if (m_run)
        return;
    if (!account.calendar.isValid() || account.calendar.isRelative()) {
        SyncOutcome outcome;
        outcome.message = QStringLiteral("No task list is chosen for sync.");
        outcome.finishedAt = QDateTime::currentDateTimeUtc();
        outcome.state = state;
        ++outcome.state.failures;
        outcome.state.lastError = outcome.message;
        // Answered later, as every sync is, so that a caller may connect and then wait.
        QMetaObject::invokeMethod(
            this, [this, outcome] { Q_EMIT finished(outcome); }, Qt::QueuedConnection);
        return;
    }
    m_run = new Run(this, account, notes, state);
    m_run->begin();
}

bool NoteSync::isRunning() const
{
    return m_run != nullptr;
}

void NoteSync::cancel()
{
    if (m_run)
        m_client->abortAll();
}

void NoteSync::runEnded(const SyncOutcome &outcome)
{
    // The run is still on the stack here: it is freed at the next start or with this object.
    delete m_ended;
    m_ended = m_run;
    m_run = nullptr;
    Q_EMIT finished(outcome);
}

bool applySyncOutcome(NotesCollection &notes, SyncState &state, const SyncOutcome &outcome)
{
    state = outcome.state;
    QHash<QString, qsizetype> byUid;
    for (qsizetype i = 0; i < notes.size(); ++i)
        byUid.insert(notes[i].uid, i);
    // The user may have changed a note while the sync ran: that note is left as it is now, and the state
    // still says what the server holds, so the edit goes up next time.
    const auto unchanged = [&](const TNotesData &before) -> qsizetype {
        const auto at = byUid.constFind(before.uid);
        return at != byUid.cend() && SyncMerge::sameContent(notes[*at], before) ? *at : -1;
    };
    bool changed = false;
    QList<qsizetype> removals;
    for (const SyncNoteChange &change : outcome.changes) {
        switch (change.kind) {
        case SyncNoteChange::Kind::Add:
            if (!byUid.contains(change.after.uid)) {
                byUid.insert(change.after.uid, notes.size());
                notes.append(change.after);
                changed = true;
            }
            break;
        case SyncNoteChange::Kind::Update:
            if (const qsizetype at = unchanged(change.before); at >= 0) {
                const qint32 id = notes[at].ID;
                notes[at] = change.after;
                notes[at].ID = id;
                changed = true;
            }
            break;
        case SyncNoteChange::Kind::Remove:
            if (const qsizetype at = unchanged(change.before); at >= 0)
                removals.append(at);
            break;
        }
    }
    std::sort(removals.begin(), removals.end());
    removals.erase(std::unique(removals.begin(), removals.end()), removals.end());
    for (auto at = removals.crbegin(); at != removals.crend(); ++at) {
        notes.removeAt(*at);
        changed = true;
    }
    if (changed)
        renumberNotes(notes);
    return changed;
}
