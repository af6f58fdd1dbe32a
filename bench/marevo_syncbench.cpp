// Sync with a calendar server at scale: a real Radicale on 127.0.0.1, started here.
//   marevo_syncbench [notes, default 1000]
#include "BenchData.h"

#include "../tests/sync/RadicaleServer.h"

#include "notes/NoteIdentity.h"
#include "sync/DavClient.h"
#include "sync/NoteSync.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <algorithm>
#include <cstdio>

namespace {

struct Timed
{
    SyncOutcome outcome;
    qint64 ms = 0;
    int requests = 0;
};

Timed syncOnce(NotesCollection &notes, SyncState &state, const SyncAccount &account)
{
    NoteSync sync;
    Timed timed;
    QEventLoop loop;
    QObject::connect(&sync, &NoteSync::finished, &loop, [&](const SyncOutcome &outcome) {
        timed.outcome = outcome;
        loop.quit();
    });
    QElapsedTimer clock;
    clock.start();
    sync.start(account, notes, state);
    loop.exec();
    applySyncOutcome(notes, state, timed.outcome);
    timed.ms = clock.elapsed();
    timed.requests = sync.client()->requestsSent();
    return timed;
}

void report(const char *what, const Timed &timed)
{
    std::printf("%-40s %7lld ms  %5d requests  %s\n", what, static_cast<long long>(timed.ms), timed.requests,
                timed.outcome.ok ? "ok" : qPrintable(timed.outcome.message));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 1000;
    RadicaleServer server(RadicaleServer::NoAuth, false);
    if (!server.start())
        return 1;
    const SyncAccount account{server.calendar(), {}, {}, server.calendar(), {}};
    if (!server.createCalendar())
        return 1;

    NotesCollection up = BenchData::notes(count);
    NoteIdentity::assignMissing(up);
    SyncState upState;
    report(qPrintable(QStringLiteral("first sync, %1 new notes up").arg(count)), syncOnce(up, upState, account));
    NotesCollection down;
    SyncState downState;
    const Timed received = syncOnce(down, downState, account);
    report(qPrintable(QStringLiteral("first sync, %1 notes down").arg(down.size())), received);

    QList<qint64> times;
    int requests = 0;
    for (int i = 0; i < 21; ++i) {
        const Timed idle = syncOnce(up, upState, account);
        times.append(idle.ms);
        requests = std::max(requests, idle.requests);
    }
    std::sort(times.begin(), times.end());
    std::printf("%-40s %7lld ms  %5d requests  (median of 21, max %lld ms)\n", "nothing changed",
                static_cast<long long>(times[10]), requests, static_cast<long long>(times.last()));
    // The same listing alone, without the sync around it: what the server takes to answer it.
    QList<qint64> bare;
    const QByteArray body =
        "<d:sync-collection xmlns:d=\"DAV:\"><d:sync-token>" + upState.syncToken.toUtf8() +
        "</d:sync-token><d:sync-level>1</d:sync-level><d:prop><d:getetag/></d:prop></d:sync-collection>";
    DavClient client;
    for (int i = 0; i < 21; ++i) {
        QEventLoop wait;
        QElapsedTimer clock;
        clock.start();
        client.report(server.calendar(), 0, body, [&](const DavReply &) { wait.quit(); });
        wait.exec();
        bare.append(clock.elapsed());
    }
    std::sort(bare.begin(), bare.end());
    std::printf("%-40s %7lld ms  %5d requests  (median of 21)\n", "the server's answer to that one request",
                static_cast<long long>(bare[10]), 1);
    return 0;
}
