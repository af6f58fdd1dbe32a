#include "NotesFile.h"

#include "core/KeyValueXmlRecords.h"
#include "core/KeyValueXmlWriter.h"
#include "core/TextLines.h"

namespace NotesFile {

IoResult parseNotes(const QByteArray &plain, NotesCollection *notes, QString *rootName, CountKey countKey)
{
    enum Name
    {
        NumberOfNotes,
        Progress,
        Importance,
        PrivateMsg,
        Deadline,
        Text,
        Location
    };
    KeyValueXmlRecords file({QLatin1StringView("NumberOfNotes"), QLatin1StringView("Progress"),
                             QLatin1StringView("Importance"), QLatin1StringView("PrivateMsg"),
                             QLatin1StringView("Deadline"), QLatin1StringView("Text"), QLatin1StringView("Location")});
    if (IoResult loaded = file.load(plain); !loaded)
        return loaded;
    if (countKey == CountKey::Required && !file.contains({NumberOfNotes}))
        return IoResult::failure(QStringLiteral("It is not a notes file: it holds no NumberOfNotes."));
    const qint32 count = file.readInteger({NumberOfNotes}, 0);
    // Each note has entries in the file; a larger count is damage, not notes.
    if (IoResult counted = file.checkRecordCount(count, QStringLiteral("notes")); !counted)
        return counted;
    file.placeRecords(count);
    NotesCollection loaded(count);
    for (qint32 i = 0; i < count; ++i) {
        TNotesData &note = loaded[i];
        note.Progress = static_cast<quint8>(file.readInteger({Progress, i}, 0));
        note.Importance = static_cast<quint8>(file.readInteger({Importance, i}, 0));
        note.PrivateMsg = file.readBoolean({PrivateMsg, i}, true);
        note.Deadline = file.readFloat({Deadline, i}, 0);
        note.Text = file.readString({Text, i});
        note.Location = file.readString({Location, i});
        note.ID = i;
    }
    *notes = std::move(loaded);
    if (rootName)
        *rootName = file.rootName();
    return IoResult::success();
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
