#include "NoteIdentity.h"

#include "core/KeyValueXmlRecords.h"
#include "core/KeyValueXmlWriter.h"

#include <QCryptographicHash>
#include <QHash>
#include <QSet>
#include <QUuid>

#include <cstring>

namespace NoteIdentity {

QString newUid()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

void assignMissing(NotesCollection &notes)
{
    // Read first, so that a list shared with the history is copied only when a note really lacks one.
    for (qsizetype i = 0; i < notes.size(); ++i) {
        if (notes.at(i).uid.isEmpty())
            notes[i].uid = newUid();
    }
}

void makeUnique(NotesCollection &notes)
{
    QSet<QString> seen;
    seen.reserve(notes.size());
    for (TNotesData &note : notes) {
        if (note.uid.isEmpty() || seen.contains(note.uid)) {
            note.uid = newUid();
            note.extra.clear(); // the state belongs to the note that had the identity first
        }
        seen.insert(note.uid);
    }
}

QByteArray fingerprint(const TNotesData &note)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    char fixed[3 + sizeof(double)];
    fixed[0] = char(note.Importance);
    fixed[1] = char(note.Progress);
    fixed[2] = note.PrivateMsg ? 1 : 0;
    std::memcpy(fixed + 3, &note.Deadline, sizeof(double));
    hash.addData(QByteArrayView(fixed, sizeof fixed));
    // The length keeps "ab" + "c" apart from "a" + "bc".
    const QByteArray text = note.Text.toUtf8();
    const QByteArray textLength = QByteArray::number(text.size()) + ':';
    hash.addData(textLength);
    hash.addData(text);
    hash.addData(note.Location.toUtf8());
    return hash.result().left(8).toHex();
}

IoResult parseStates(const QByteArray &plain, QList<TNoteState> *states)
{
    enum Name
    {
        NumberOfNotes,
        Uid,
        Content,
        NumberOfFields,
        FieldNote,
        FieldName,
        FieldValue
    };
    KeyValueXmlRecords file({QLatin1StringView("NumberOfNotes"), QLatin1StringView("Uid"), QLatin1StringView("Content"),
                             QLatin1StringView("NumberOfFields"), QLatin1StringView("FieldNote"),
                             QLatin1StringView("FieldName"), QLatin1StringView("FieldValue")});
    if (IoResult loaded = file.load(plain); !loaded)
        return loaded;
    const qint32 count = file.readInteger({NumberOfNotes}, 0);
    const qint32 fields = file.readInteger({NumberOfFields}, 0);
    if (IoResult counted = file.checkRecordCount(count, QStringLiteral("notes")); !counted)
        return counted;
    if (IoResult counted = file.checkRecordCount(fields, QStringLiteral("note fields")); !counted)
        return counted;
    file.placeRecords(qMax(count, fields));
    QList<TNoteState> read(count);
    for (qint32 i = 0; i < count; ++i) {
        read[i].uid = file.readString({Uid, i});
        read[i].fingerprint = file.readString({Content, i}).toLatin1();
    }
    for (qint32 k = 0; k < fields; ++k) {
        const qint32 note = file.readInteger({FieldNote, k}, -1);
        const QString name = file.readString({FieldName, k});
        if (note >= 0 && note < count && !name.isEmpty())
            read[note].extra.insert(name, file.readString({FieldValue, k}));
    }
    *states = std::move(read);
    return IoResult::success();
}

QByteArray statesData(const NotesCollection &notes)
{
    KeyValueXmlWriter writer;
    writer.reserve(128 + notes.size() * 128);
    writer.writeInteger({"NumberOfNotes"}, static_cast<qint32>(notes.size()));
    qint32 fields = 0;
    for (qsizetype i = 0; i < notes.size(); ++i) {
        writer.writeString({"Uid", i}, notes[i].uid);
        writer.writeString({"Content", i}, QString::fromLatin1(fingerprint(notes[i])));
        fields += static_cast<qint32>(notes[i].extra.size());
    }
    writer.writeInteger({"NumberOfFields"}, fields);
    qsizetype k = 0;
    for (qsizetype i = 0; i < notes.size(); ++i) {
        for (auto field = notes[i].extra.cbegin(); field != notes[i].extra.cend(); ++field, ++k) {
            writer.writeInteger({"FieldNote", k}, static_cast<qint32>(i));
            writer.writeString({"FieldName", k}, field.key());
            writer.writeString({"FieldValue", k}, field.value());
        }
    }
    return writer.finish();
}

void attach(NotesCollection &notes, const QList<TNoteState> &states)
{
    const qsizetype n = notes.size();
    QList<QByteArray> prints(n);
    QList<qsizetype> matched(n, -1);
    QList<bool> used(states.size(), false);
    bool allInPlace = true;
    for (qsizetype i = 0; i < n; ++i) {
        prints[i] = fingerprint(notes[i]);
        if (i < states.size() && states[i].fingerprint == prints[i]) {
            matched[i] = i;
            used[i] = true;
        } else {
            allInPlace = false;
        }
    }
    if (!allInPlace) {
        // Unused records by content, each list in reverse so the earliest record is taken first.
        QHash<QByteArray, QList<qsizetype>> byContent;
        for (qsizetype r = states.size() - 1; r >= 0; --r) {
            if (!used[r])
                byContent[states[r].fingerprint].append(r);
        }
        for (qsizetype i = 0; i < n; ++i) {
            if (matched[i] >= 0)
                continue;
            auto candidates = byContent.find(prints[i]);
            if (candidates != byContent.end() && !candidates->isEmpty())
                matched[i] = candidates->takeLast();
        }
    }
    for (qsizetype i = 0; i < n; ++i) {
        if (matched[i] < 0)
            continue;
        notes[i].uid = states[matched[i]].uid;
        notes[i].extra = states[matched[i]].extra;
    }
    makeUnique(notes);
}

} // namespace NoteIdentity
