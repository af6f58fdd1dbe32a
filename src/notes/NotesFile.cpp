#include "NotesFile.h"

#include "core/KeyValueXmlWriter.h"
#include "core/TextLines.h"

namespace NotesFile {

IoResult readNotes(const TKeyValueXmlFile &store, NotesCollection *notes)
{
    const qint32 count = store.ReadInteger(QStringLiteral("NumberOfNotes"), 0);
    if (count < 0)
        return IoResult::failure(QStringLiteral("The number of notes is not valid (%1).").arg(count));
    // Each note has entries in the file; a larger count is damage, not notes.
    if (count > store.entryCount())
        return IoResult::failure(
            QStringLiteral("The number of notes (%1) is larger than the file could hold.").arg(count));

    NotesCollection loaded(count);
    for (qint32 i = 0; i < count; ++i) {
        TNotesData &note = loaded[i];
        note.Progress = static_cast<quint8>(store.ReadInteger(TKeyValueXmlFile::indexedKey("Progress", i), 0));
        note.Importance = static_cast<quint8>(store.ReadInteger(TKeyValueXmlFile::indexedKey("Importance", i), 0));
        note.PrivateMsg = store.ReadBoolean(TKeyValueXmlFile::indexedKey("PrivateMsg", i), true);
        note.Deadline = store.ReadFloat(TKeyValueXmlFile::indexedKey("Deadline", i), 0);
        note.Text = store.ReadString(TKeyValueXmlFile::indexedKey("Text", i), QString());
        note.Location = store.ReadString(TKeyValueXmlFile::indexedKey("Location", i), QString());
        note.ID = i;
    }
    *notes = std::move(loaded);
    return IoResult::success();
}

IoResult parseNotes(const QByteArray &plain, TKeyValueXmlFile &store, NotesCollection *notes)
{
    store.Clear();
    if (IoResult loaded = store.LoadFromData(plain); !loaded)
        return loaded;
    return readNotes(store, notes);
}

QByteArray notesData(const NotesCollection &notes, const QString &rootName)
{
    KeyValueXmlWriter writer = KeyValueXmlWriter::withRoot(rootName);
    // Six elements of about forty bytes a note, and its texts.
    writer.reserve(128 + notes.size() * 256);
    writer.writeInteger({"NumberOfNotes"}, static_cast<qint32>(notes.size()));
    for (qsizetype i = 0; i < notes.size(); ++i) {
        const TNotesData &note = notes[i];
        writer.writeInteger({"Progress", i}, note.Progress);
        writer.writeInteger({"Importance", i}, note.Importance);
        writer.writeBoolean({"PrivateMsg", i}, note.PrivateMsg);
        writer.writeFloat({"Deadline", i}, note.Deadline);
        writer.writeString({"Text", i}, note.Text);
        writer.writeString({"Location", i}, note.Location);
    }
    return writer.finish();
}

QStringList parseNotepad(const QByteArray &plain)
{
    return TextLines::split(plain);
}

QByteArray notepadData(const QStringList &lines)
{
    return TextLines::join(lines);
}

} // namespace NotesFile
