#pragma once

#include "NotesData.h"

#include "core/IoResult.h"

#include <QByteArray>
#include <QList>

// Stable identities of notes, and the state kept beside data.txt (notestate.txt).
namespace NoteIdentity {

// A fresh RFC 4122 random UUID, the form calendar programs use for UIDs.
QString newUid();

// Gives every note without an identity a new one. Cheap enough for every refresh: it does not
// look for duplicates, which only a load or an import can bring (see makeUnique).
void assignMissing(NotesCollection &notes);
// New identities for notes without one and for every repeat of an identity already used.
void makeUnique(NotesCollection &notes);

// What data.txt holds of a note, hashed: it finds a note again when positions changed.
QByteArray fingerprint(const TNotesData &note);

// One note's record in notestate.txt.
struct TNoteState
{
    QString uid;
    QByteArray fingerprint;
    NoteExtraFields extra;
};

// notestate.txt's plain bytes; an unreadable file fails, states stays untouched.
IoResult parseStates(const QByteArray &plain, QList<TNoteState> *states);
// One record per note, in collection order.
QByteArray statesData(const NotesCollection &notes);

// Puts the identities and extra state of `states` on `notes`. Matches by position while the
// fingerprints agree (the usual case), otherwise by content, earlier records first; notes left
// without a match get new identities. Never two notes with one identity.
void attach(NotesCollection &notes, const QList<TNoteState> &states);

} // namespace NoteIdentity
