#pragma once

#include "core/IoResult.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// One item of the calendar as it was when both sides were last in step.
struct SyncItemState
{
    QString href; // path on the server, percent-encoded
    QByteArray etag;
    QString uid;    // the item's UID; a repeated item's occurrences are notes "uid" and "uid-R<start>"
    QByteArray ics; // the item as last in step: the base of the three-way merge
    // The notes made from it (one, or one per occurrence); empty for an item that is no task.
    QStringList noteUids;
    // The note (of a single item) as last in step, hashed: an unchanged note is known without reading ics.
    QByteArray fingerprint;
};

// Kept beside data.txt and saved with it.
struct SyncState
{
    QString calendar; // the collection this state belongs to; another one starts afresh
    QString syncToken;
    QList<SyncItemState> items;
    QDateTime lastSuccess; // UTC
    QString lastError;     // empty after a success
    int failures = 0;      // in a row, for the back-off
};

namespace SyncStateFile {
// The file's plain bytes; an unreadable file fails and leaves state untouched.
IoResult parse(const QByteArray &plain, SyncState *state);
QByteArray data(const SyncState &state);
} // namespace SyncStateFile

// Seconds to wait before the next automatic try: none after a success, then 30 s doubling up to an hour.
int retryDelaySeconds(const SyncState &state);
