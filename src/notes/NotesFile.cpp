#include "NotesFile.h"

#include "core/TextLines.h"

#include <charconv>

namespace NotesFile {

namespace {

// "Name12": made once per field of every record on each load and save, so in one allocation.
QString key(const char *field, qsizetype index)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, index).ptr;
    const QLatin1String name(field);
    QString text(name.size() + (end - digits), Qt::Uninitialized);
    QChar *out = text.data();
    for (char c : name)
        *out++ = QLatin1Char(c);
    for (const char *c = digits; c != end; ++c)
        *out++ = QLatin1Char(*c);
    return text;
}

} // namespace

void writeNotes(TKeyValueXmlFile &store, const NotesCollection &notes)
{
    store.Clear();
    store.reserve(1 + 6 * notes.size());
    store.WriteInteger(QStringLiteral("NumberOfNotes"), static_cast<qint32>(notes.size()));
    for (qsizetype i = 0; i < notes.size(); ++i) {
        const TNotesData &note = notes[i];
        store.WriteInteger(key("Progress", i), note.Progress);
        store.WriteInteger(key("Importance", i), note.Importance);
        store.WriteBoolean(key("PrivateMsg", i), note.PrivateMsg);
        store.WriteFloat(key("Deadline", i), note.Deadline);
        store.WriteString(key("Text", i), note.Text);
        store.WriteString(key("Location", i), note.Location);
    }
}

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
        note.Progress = static_cast<quint8>(store.ReadInteger(key("Progress", i), 0));
        note.Importance = static_cast<quint8>(store.ReadInteger(key("Importance", i), 0));
        note.PrivateMsg = store.ReadBoolean(key("PrivateMsg", i), true);
        note.Deadline = store.ReadFloat(key("Deadline", i), 0);
        note.Text = store.ReadString(key("Text", i), QString());
        note.Location = store.ReadString(key("Location", i), QString());
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

QByteArray notesData(TKeyValueXmlFile &store, const NotesCollection &notes)
{
    writeNotes(store, notes);
    return store.SaveToData();
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
