#include "NotesBackup.h"

#include "NotesFile.h"

#include "core/FileIo.h"

#include <QDir>

#include <limits>

namespace NotesBackup {

IoResult writeNotesFile(const QString &fileName, const NotesCollection &notes, ExportFile::NoReader noReader)
{
    return ExportFile::write(fileName, NotesFile::notesData(notes), noReader);
}

IoResult ReadNotes(const QString &fileName, bool append, NotesCollection &notes)
{
    QByteArray data;
    if (IoResult read = FileIo::readFile(fileName, &data); !read)
        return read;
    NotesCollection imported;
    if (IoResult parsed = NotesFile::parseNotes(data, &imported, nullptr, NotesFile::CountKey::Required); !parsed)
        return IoResult::failure(QStringLiteral("Cannot import notes from \"%1\". %2")
                                     .arg(QDir::toNativeSeparators(fileName), parsed.error));

    const qsizetype base = append ? notes.size() : 0;
    // 32-bit positions: a collection that would outgrow them is refused whole.
    if (base + imported.size() > std::numeric_limits<qint32>::max())
        return IoResult::failure(QStringLiteral("Too many notes to import from \"%1\".").arg(fileName));
    for (qsizetype k = 0; k < imported.size(); ++k)
        imported[k].ID = static_cast<qint32>(base + k);
    if (append)
        notes.append(imported);
    else
        notes = std::move(imported);
    return IoResult::success();
}

} // namespace NotesBackup
