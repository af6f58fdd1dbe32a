#pragma once

#include "storage/DataFolder.h"

#include "core/KeyValueXmlFile.h"
#include "protection/PasswordFile.h"
#include "settings/Settings.h"

#include <QRandomGenerator>

// A folder's worth of data, written and read back through DataFolder.
struct FolderContents
{
    NotesCollection notes{TNotesData{2, 10, true, -1, QStringLiteral("secret plan"), QStringLiteral("Kraków"), 0}};
    QStringList notepad{QStringLiteral("first line"), QStringLiteral("second line")};
    ExpenditureBook book{{TExpenditure{QStringLiteral("Rent"), 46000, false, -1250.5, 3, 1, true}}, 4321.25};
    Settings settings = [] {
        Settings changed;
        changed.FormWidth = 512;
        changed.SwitchState1 = true;
        return changed;
    }();

    // Enough text for data.txt to span several chunks of the strong form.
    static FolderContents large(int notes)
    {
        FolderContents contents;
        for (int i = 0; i < notes; ++i)
            contents.notes.append(TNotesData{1, 20, false, 45000.0 + i, QStringLiteral("note %1 ").arg(i).repeated(40),
                                             QString(), qint32(contents.notes.size())});
        return contents;
    }

    bool saveTo(const DataFolder &folder) const
    {
        TKeyValueXmlFile store;
        return folder.saveNotes(notes) && folder.saveNotepad(notepad) && folder.saveSettings(store, settings)
            && folder.saveExpenditures(book);
    }

    // Every file loaded and equal to these contents.
    bool isIn(DataFolder &folder, const QDateTime &now, QString *why = nullptr) const
    {
        FolderContents read;
        read.notes.clear();
        read.notepad.clear();
        read.book = {};
        TKeyValueXmlFile store;
        const DataFolder::LoadResult results[] = {folder.loadNotes(&read.notes, now),
                                                  folder.loadNotepad(&read.notepad, now),
                                                  folder.loadSettings(store, &read.settings, now),
                                                  folder.loadExpenditures(&read.book, now)};
        for (const DataFolder::LoadResult &result : results) {
            if (result.outcome != DataFolder::Outcome::Loaded) {
                if (why)
                    *why = result.error.isEmpty() ? QStringLiteral("a file is missing") : result.error;
                return false;
            }
        }
        if (why)
            *why = QStringLiteral("contents differ");
        return read.notes == notes && read.notepad == notepad && read.book == book
            && read.settings.FormWidth == settings.FormWidth;
    }
};

// A folder as the old form left it: passwd.txt with its SHA-1 check, the data files XORed.
inline bool writeOldFormFolder(const QString &appDir, const QString &passPhrase, const FolderContents &contents)
{
    QRandomGenerator random(7);
    DataFolder folder(appDir);
    return PasswordFile::write(folder.path(DataFolder::File::Password), PasswordFile::create(passPhrase, random))
        && folder.unlock(passPhrase).verdict == Protection::Verdict::Correct && folder.isInOldForm()
        && contents.saveTo(folder);
}
