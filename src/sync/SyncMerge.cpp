#include "SyncMerge.h"

#include "NoteSync.h"

#include "core/DateTime.h"
#include "notes/NoteIdentity.h"

#include <cmath>

namespace SyncMerge {

namespace {

// A note without importance is written without PRIORITY, which reads back as "Normal".
quint8 importance(const TNotesData &note)
{
    return note.Importance >= 1 && note.Importance <= 3 ? note.Importance : 3;
}

qint64 seconds(TDateTime when)
{
    return when < 0 ? -1 : std::llround(when * 86400.0);
}

bool sameText(const QString &a, const QString &b)
{
    // The calendar holds line feeds, the notes CR LF.
    if (a == b)
        return true;
    QString x = a;
    QString y = b;
    return x.replace(QLatin1String("\r\n"), QLatin1String("\n")) ==
           y.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

} // namespace

bool sameContent(const TNotesData &a, const TNotesData &b)
{
    return importance(a) == importance(b) && qMin<int>(a.Progress, 100) == qMin<int>(b.Progress, 100) &&
           a.PrivateMsg == b.PrivateMsg && seconds(a.Deadline) == seconds(b.Deadline) && sameText(a.Text, b.Text) &&
           a.Location == b.Location;
}

Result merge(const TNotesData &base, const TNotesData &local, const TNotesData &server)
{
    Result result;
    result.note = local;
    bool conflict = false;
    // Each field: taken from the server when only the server changed it; a conflict when both changed it
    // differently.
    const auto field = [&](auto get, auto set, auto same) {
        const bool localChanged = !same(get(local), get(base));
        const bool serverChanged = !same(get(server), get(base));
        if (serverChanged && !localChanged)
            set(result.note, get(server));
        else if (serverChanged && localChanged && !same(get(server), get(local)))
            conflict = true;
    };
    const auto equal = [](const auto &a, const auto &b) { return a == b; };
    field([](const TNotesData &n) { return n.Text; }, [](TNotesData &n, const QString &v) { n.Text = v; }, sameText);
    field([](const TNotesData &n) { return n.Location; }, [](TNotesData &n, const QString &v) { n.Location = v; },
          equal);
    field([](const TNotesData &n) { return seconds(n.Deadline); },
          [&](TNotesData &n, qint64) { n.Deadline = server.Deadline; }, equal);
    field([](const TNotesData &n) { return importance(n); }, [](TNotesData &n, quint8 v) { n.Importance = v; }, equal);
    field([](const TNotesData &n) { return qMin<int>(n.Progress, 100); },
          [](TNotesData &n, int v) { n.Progress = quint8(v); }, equal);
    field([](const TNotesData &n) { return n.PrivateMsg; }, [](TNotesData &n, bool v) { n.PrivateMsg = v; }, equal);
    result.conflict = conflict;
    if (conflict) {
        result.serverCopy = server;
        result.serverCopy.uid = NoteIdentity::newUid();
        result.serverCopy.extra.clear();
        result.serverCopy.extra.insert(QLatin1String(kConflictOfField), local.uid);
        result.serverCopy.Text = QLatin1String(kConflictPrefix) + server.Text;
    }
    return result;
}

} // namespace SyncMerge
