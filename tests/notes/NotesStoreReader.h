#pragma once

// data.txt read through TKeyValueXmlFile's typed reads, one lookup per value: how the notes
// were read before the file got a reader of its own, kept as the oracle for that reader.

#include "core/KeyValueXmlFile.h"
#include "notes/NotesData.h"

inline IoResult readNotesThroughStore(const QByteArray &plain, NotesCollection *notes, QString *rootName = nullptr)
{
    TKeyValueXmlFile store;
    if (IoResult loaded = store.LoadFromData(plain); !loaded)
        return loaded;
    const qint32 count = store.ReadInteger(QStringLiteral("NumberOfNotes"), 0);
    if (count < 0)
        return IoResult::failure(QStringLiteral("The number of notes is not valid (%1).").arg(count));
    if (count > store.entryCount())
        return IoResult::failure(
            QStringLiteral("The number of notes (%1) is larger than the file could hold.").arg(count));
    NotesCollection loaded(count);
    for (qint32 i = 0; i < count; ++i) {
        const auto key = [i](const char *name) -> QString { return QLatin1String(name) + QString::number(i); };
        TNotesData &note = loaded[i];
        note.Progress = static_cast<quint8>(store.ReadInteger(key("Progress"), 0));
        note.Importance = static_cast<quint8>(store.ReadInteger(key("Importance"), 0));
        note.PrivateMsg = store.ReadBoolean(key("PrivateMsg"), true);
        note.Deadline = store.ReadFloat(key("Deadline"), 0);
        note.Text = store.ReadString(key("Text"), QString());
        note.Location = store.ReadString(key("Location"), QString());
        note.ID = i;
    }
    *notes = std::move(loaded);
    if (rootName)
        *rootName = store.rootName();
    return IoResult::success();
}
