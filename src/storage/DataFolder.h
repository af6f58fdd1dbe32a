#pragma once

class ReminderLedger;

#include "core/DataFile.h"
#include "core/IoResult.h"
#include "expenditures/Expenditure.h"
#include "notes/NotesData.h"
#include "protection/Protection.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class TKeyValueXmlFile;
struct Settings;

// The data folder as one object: its files, the pass phrase and codec in force, and the loading and
// saving of notes, notepad, settings and the book. It shows nothing; the callers show the results.
// Read-only, it never writes, renames or creates anything, so it can be used beside a running organiser.
class DataFolder final
{
    Q_DISABLE_COPY_MOVE(DataFolder)

public:
    enum class Access
    {
        ReadWrite,
        ReadOnly
    };

    enum class File
    {
        Notes,
        NoteState, // identities and per-note state beside data.txt
        Notepad,
        Settings,
        Expenditures,
        Password,
        Lock,
        Wallpaper,
        Reminders,
        SyncState // what the calendar server held when last in step
    };

    enum class Outcome
    {
        Missing,
        Loaded,
        Unreadable
    };

    struct LoadResult
    {
        Outcome outcome = Outcome::Missing;
        QString error;        // Unreadable: what went wrong and, when set aside, where the file now is
        bool setAside = false; // the unreadable file was renamed, so that no later save overwrites it
        QString setAsidePath;
    };

    explicit DataFolder(const QString &appDir, Access access = Access::ReadWrite);
    ~DataFolder();

    static QString fileName(File file);
    QString appDir() const { return m_appDir; } // ends with "/"
    QString path(File file) const;

    // Any data file besides data.txt: the folder has been used before.
    bool hasOtherDataFiles() const;
    // Refuses an export target that is one of this folder's own files (see ExportFile::check).
    IoResult checkExportTarget(const QString &target) const;

    // passwd.txt's presence is the one sign that the data files are enciphered.
    bool isProtected() const;
    // Checks a typed pass phrase against passwd.txt (either form); when it is right it is in force
    // from now on.
    Protection::TUnlock unlock(const QString &typed);
    const DataFileCodec *codec() const { return m_codec.get(); }

    // "Accept" of the settings dialog: a new passwd.txt in the strong form, and its pass phrase
    // in force once written.
    Protection::TAccept acceptPassPhrase(const QString &first, const QString &second);
    // The files are saved plain by saveAllPlain first; passwd.txt goes only when that succeeded.
    // On failure the pass phrase stays in force.
    IoResult turnProtectionOff(const std::function<bool()> &saveAllPlain);

    // Unlocked with a passwd.txt of the old form, whose files can be read without the pass phrase.
    bool isInOldForm() const;
    // Rewrites the data files (saveAll, which shows its own errors) and then passwd.txt in the
    // strong form. Each step replaces one whole file, so a crash at any moment leaves a folder
    // that opens with the same pass phrase; passwd.txt is written last, so an interrupted
    // conversion is offered again.
    IoResult convertToStrongForm(const std::function<bool()> &saveAll);
    // The Argon2id cost of new pass phrases and conversions; tests lower it.
    void setNewKeyCost(const TStrongParams &cost) { m_newKeyCost = cost; }

    // Where the wallpaper picture goes: the folder, or while it is protected the user's cache,
    // so that the protected folder holds no readable note text.
    QString wallpaperPath() const;
    IoResult saveWallpaper(const QByteArray &picture) const;

    // data.txt, then the identities beside it. Those are only ever a help: when they are missing,
    // unreadable or stale, notes are matched by content and the rest get new identities.
    LoadResult loadNotes(NotesCollection *notes, const QDateTime &now);
    // The notepad's lines are appended to `lines`.
    LoadResult loadNotepad(QStringList *lines, const QDateTime &now);
    LoadResult loadSettings(TKeyValueXmlFile &store, Settings *settings, const QDateTime &now);
    LoadResult loadExpenditures(ExpenditureBook *book, const QDateTime &now);

    // data.txt, then notestate.txt; each replaced whole, so a crash between them leaves a stale
    // but readable notestate.txt that the next load repairs.
    IoResult saveNotes(const NotesCollection &notes) const;
    IoResult saveNotepad(const QStringList &lines) const;
    IoResult saveSettings(TKeyValueXmlFile &store, const Settings &settings) const;
    IoResult saveExpenditures(const ExpenditureBook &book) const;
    // Snoozes and the last check of the alerts; enciphered like data.txt.
    LoadResult loadReminders(ReminderLedger *ledger, const QDateTime &now);
    IoResult saveReminders(const ReminderLedger &ledger) const;

    // The sync state's plain bytes go through `parse`; saved after the notes it belongs to, enciphered
    // like data.txt.
    LoadResult loadSyncState(const DataFile::Parser &parse, const QDateTime &now);
    IoResult saveSyncState(const QByteArray &plain) const;

    // The same saves without waiting: the bytes are made (the large files from a copy of the data)
    // and written on the program's writer thread, after every save asked for before. A file whose
    // content did not change is not written. A failure is kept for takeSaveFailure, and the notice
    // (given on the writer's thread) says there is one.
    void saveNotesLater(const NotesCollection &notes) const;
    void saveNotepadLater(const QStringList &lines) const;
    void saveSettingsLater(TKeyValueXmlFile &store, const Settings &settings) const;
    void saveExpendituresLater(const ExpenditureBook &book) const;
    void saveRemindersLater(const ReminderLedger &ledger) const;
    void setSaveFailureNotice(std::function<void()> notice);
    // Waits until every save asked for so far is on disk.
    void waitForSaves() const;
    // The first failure of the saves above not yet taken.
    IoResult takeSaveFailure();

private:
    LoadResult load(File file, const DataFileCodec *codec, const DataFile::Parser &parse, const QDateTime &now);
    IoResult save(File file, const QByteArray &plain, bool enciphered) const;
    void saveLater(File file, std::function<QByteArray()> make, bool enciphered) const;
    std::shared_ptr<const DataFileCodec> codecFor(bool enciphered) const;

    struct SaveFailures;
    IoResult refuseWrite(File file) const;
    // The sync state is written by the sync, not by the callers' save-all: it follows a change of codec here.
    void recodeSyncState(const DataFileCodec *from) const;

    QString m_appDir;
    Access m_access;
    std::shared_ptr<FolderCodec> m_codec; // null while the folder is not protected
    TStrongParams m_newKeyCost = StrongCipher::defaultCost();
    // The root element of the data file read last; a hand-edited name is kept on saving.
    QString m_dataRootName = QStringLiteral("Configuration");
    std::shared_ptr<SaveFailures> m_failures;
};
