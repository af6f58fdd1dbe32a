#include "DataFolder.h"

#include "core/ExportFile.h"
#include "expenditures/ExpendituresFile.h"
#include "notes/NoteIdentity.h"
#include "notes/NotesFile.h"
#include "reminders/ReminderLedgerFile.h"
#include "core/FileIo.h"
#include "core/SaveQueue.h"
#include "settings/SettingsFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <mutex>

namespace {

// The data files besides data.txt; any of them shows the folder has been used before.
constexpr DataFolder::File kOtherDataFiles[] = {DataFolder::File::NoteState, DataFolder::File::Notepad, DataFolder::File::Settings,
                                                DataFolder::File::Expenditures, DataFolder::File::Password};

// What no export may replace: every file the program keeps in the folder. The wallpaper is
// repainted at every refresh, which would replace the export.
constexpr DataFolder::File kOwnFiles[] = {DataFolder::File::Notes,        DataFolder::File::NoteState,
                                          DataFolder::File::Notepad,
                                          DataFolder::File::Settings,     DataFolder::File::Expenditures,
                                          DataFolder::File::Password,     DataFolder::File::Lock,
                                          DataFolder::File::Wallpaper,    DataFolder::File::Reminders,
                                          DataFolder::File::SyncState};

} // namespace

// Shared with the writer's thread, which may still report after the folder is gone.
struct DataFolder::SaveFailures
{
    std::mutex mutex;
    QList<IoResult> failures;
    std::function<void()> notice;
};

DataFolder::DataFolder(const QString &appDir, Access access)
    : m_appDir(appDir), m_access(access), m_failures(std::make_shared<SaveFailures>())
{
}

DataFolder::~DataFolder()
{
    {
        std::lock_guard lock(m_failures->mutex);
        m_failures->notice = nullptr;
    }
    // Nothing asked for is left unwritten.
    waitForSaves();
}

QString DataFolder::fileName(File file)
{
    switch (file) {
    case File::Notes:
        return QStringLiteral("data.txt");
    case File::NoteState:
        return QStringLiteral("notestate.txt");
    case File::Notepad:
        return QStringLiteral("notepad.txt");
    case File::Settings:
        return QStringLiteral("settings.xml");
    case File::Expenditures:
        return QStringLiteral("expenditures.txt");
    case File::Password:
        return QStringLiteral("passwd.txt");
    case File::Lock:
        return QStringLiteral(".marevo-notes.lock");
    case File::Wallpaper:
        return QStringLiteral("Wallpaper.bmp");
    case File::Reminders:
        return QStringLiteral("reminders.txt");
    case File::SyncState:
        return QStringLiteral("syncstate.txt");
    }
    return {};
}

QString DataFolder::path(File file) const
{
    return m_appDir + fileName(file);
}

bool DataFolder::hasOtherDataFiles() const
{
    return std::any_of(std::begin(kOtherDataFiles), std::end(kOtherDataFiles),
                       [this](File file) { return QFileInfo::exists(path(file)); });
}

IoResult DataFolder::checkExportTarget(const QString &target) const
{
    QStringList own;
    for (File file : kOwnFiles)
        own.append(fileName(file));
    return ExportFile::check(target, m_appDir, own);
}

bool DataFolder::isProtected() const
{
    return QFileInfo::exists(path(File::Password));
}

Protection::TUnlock DataFolder::unlock(const QString &typed)
{
    Protection::TUnlock unlock = Protection::verifyPassPhraseFile(path(File::Password), typed);
    if (unlock.verdict == Protection::Verdict::Correct)
        m_codec = unlock.codec;
    return unlock;
}

Protection::TAccept DataFolder::acceptPassPhrase(const QString &first, const QString &second)
{
    if (m_access == Access::ReadOnly) {
        Protection::TAccept refused;
        refused.outcome = Protection::AcceptOutcome::WriteFailed;
        refused.message = refuseWrite(File::Password).error;
        return refused;
    }
    const std::shared_ptr<FolderCodec> before = m_codec;
    Protection::TAccept accepted = Protection::Accept(path(File::Password), first, second, m_newKeyCost);
    if (accepted.outcome == Protection::AcceptOutcome::TurnedOn) {
        m_codec = accepted.codec;
        recodeSyncState(before.get());
    }
    return accepted;
}

IoResult DataFolder::turnProtectionOff(const std::function<bool()> &saveAllPlain)
{
    if (m_access == Access::ReadOnly)
        return refuseWrite(File::Password);
    std::shared_ptr<FolderCodec> inForce = std::move(m_codec);
    const QString cachedWallpaper = wallpaperPath();
    const IoResult turnedOff = Protection::turnProtectionOff(path(File::Password), [&] {
        return saveAllPlain() ? IoResult::success() : IoResult::failure(QString());
    });
    if (!turnedOff) {
        m_codec = std::move(inForce);
        return turnedOff;
    }
    if (cachedWallpaper != wallpaperPath())
        QFile::remove(cachedWallpaper); // the next refresh paints it in the folder again
    recodeSyncState(inForce.get());
    return turnedOff;
}

bool DataFolder::isInOldForm() const
{
    return m_codec && !m_codec->writesStrongForm();
}

IoResult DataFolder::convertToStrongForm(const std::function<bool()> &saveAll)
{
    if (m_access == Access::ReadOnly)
        return refuseWrite(File::Password);
    if (!isInOldForm())
        return IoResult::success();
    std::shared_ptr<const TStrongKey> key;
    const TStrongPasswordFile passwd = StrongPasswordFile::create(m_codec->keyring(), m_newKeyCost, &key);
    if (!key)
        return IoResult::failure(QStringLiteral("Not enough memory to derive a key from the password. "
                                                "Nothing was changed."));
    const std::shared_ptr<FolderCodec> oldForm = m_codec;
    m_codec = oldForm->convertedTo(passwd.params);
    if (!saveAll()) {
        // The files written so far stay in the strong form; the old passwd.txt still opens them.
        m_codec = oldForm;
        return IoResult::failure(QString());
    }
    recodeSyncState(oldForm.get());
    // Until passwd.txt is replaced, old-form files of this pass phrase stay readable.
    return Protection::writeStrongPasswordFile(path(File::Password), passwd);
}

QString DataFolder::wallpaperPath() const
{
    if (!isProtected())
        return path(File::Wallpaper);
    // One picture per data folder, so that two protected folders do not share theirs.
    const QByteArray folderId =
        QCryptographicHash::hash(QFileInfo(m_appDir).absoluteFilePath().toUtf8(), QCryptographicHash::Sha256)
            .toHex()
            .left(16);
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
         + QStringLiteral("/marevo-notes/wallpaper-%1.bmp").arg(QString::fromLatin1(folderId));
}

IoResult DataFolder::saveWallpaper(const QByteArray &picture) const
{
    if (m_access == Access::ReadOnly)
        return refuseWrite(File::Wallpaper);
    const QString target = wallpaperPath();
    if (isProtected()) {
        const QString folder = QFileInfo(target).absolutePath();
        if (!QDir().mkpath(folder)
            || !QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            return IoResult::failure(
                QStringLiteral("Cannot create the folder \"%1\".").arg(QDir::toNativeSeparators(folder)));
        // A picture from before protection was turned on holds readable note text.
        const QString readable = path(File::Wallpaper);
        if (QFileInfo(readable).isFile())
            QFile::remove(readable);
    }
    return FileIo::writeFileAtomically(target, picture);
}

DataFolder::LoadResult DataFolder::load(File file, const DataFileCodec *codec, const DataFile::Parser &parse,
                                        const QDateTime &now)
{
    LoadResult result;
    const QString filePath = path(file);
    if (m_access == Access::ReadOnly) {
        // Read as the organiser reads, but a damaged file is only reported, never moved aside.
        if (!QFileInfo::exists(filePath))
            return result;
        const IoResult read = DataFile::read(filePath, codec, parse);
        result.outcome = read ? Outcome::Loaded : Outcome::Unreadable;
        result.error = read.error;
        return result;
    }
    QByteArray plain;
    bool deciphered = false;
    const DataFile::LoadResult loaded = DataFile::load(
        filePath, codec,
        [&](const QByteArray &bytes) {
            plain = bytes;
            return parse(bytes);
        },
        now, &deciphered);
    switch (loaded.outcome) {
    case DataFile::Outcome::Missing:
        break;
    case DataFile::Outcome::Loaded:
        result.outcome = Outcome::Loaded;
        // A save of the same content in the same form leaves the file alone.
        SaveQueue::shared().remember(filePath, std::move(plain), deciphered ? m_codec : nullptr);
        break;
    case DataFile::Outcome::KeptAside:
        result.outcome = Outcome::Unreadable;
        result.error = loaded.message;
        result.setAside = true;
        result.setAsidePath = loaded.keptAsidePath;
        break;
    }
    return result;
}

std::shared_ptr<const DataFileCodec> DataFolder::codecFor(bool enciphered) const
{
    return enciphered ? m_codec : nullptr;
}

IoResult DataFolder::save(File file, const QByteArray &plain, bool enciphered) const
{
    if (m_access == Access::ReadOnly)
        return refuseWrite(file);
    return SaveQueue::shared().saveAndWait(path(file), [plain] { return plain; }, codecFor(enciphered));
}

void DataFolder::saveLater(File file, std::function<QByteArray()> make, bool enciphered) const
{
    const auto report = [failures = m_failures](const IoResult &saved) {
        if (saved)
            return;
        std::function<void()> notice;
        {
            std::lock_guard lock(failures->mutex);
            failures->failures.append(saved);
            notice = failures->notice;
        }
        if (notice)
            notice();
    };
    if (m_access == Access::ReadOnly) {
        report(refuseWrite(file));
        return;
    }
    SaveQueue::shared().save(path(file), std::move(make), codecFor(enciphered), report);
}

void DataFolder::saveNotesLater(const NotesCollection &notes) const
{
    saveLater(File::Notes, [notes, root = m_dataRootName] { return NotesFile::notesData(notes, root); }, true);
    saveLater(File::NoteState, [notes] { return NoteIdentity::statesData(notes); }, true);
}

void DataFolder::saveNotepadLater(const QStringList &lines) const
{
    saveLater(File::Notepad, [lines] { return NotesFile::notepadData(lines); }, true);
}

void DataFolder::saveSettingsLater(TKeyValueXmlFile &store, const Settings &settings) const
{
    saveLater(File::Settings, [bytes = SettingsFile::settingsData(store, settings)] { return bytes; }, false);
}

void DataFolder::saveExpendituresLater(const ExpenditureBook &book) const
{
    saveLater(File::Expenditures,
              [book, root = m_dataRootName] { return ExpendituresFile::expendituresData(book, root); }, true);
}

void DataFolder::saveRemindersLater(const ReminderLedger &ledger) const
{
    saveLater(File::Reminders, [bytes = ReminderLedgerFile::ledgerData(ledger)] { return bytes; }, true);
}

void DataFolder::setSaveFailureNotice(std::function<void()> notice)
{
    std::lock_guard lock(m_failures->mutex);
    m_failures->notice = std::move(notice);
}

void DataFolder::waitForSaves() const
{
    SaveQueue::shared().waitForIdle();
}

IoResult DataFolder::takeSaveFailure()
{
    std::lock_guard lock(m_failures->mutex);
    return m_failures->failures.isEmpty() ? IoResult::success() : m_failures->failures.takeFirst();
}

IoResult DataFolder::refuseWrite(File file) const
{
    return IoResult::failure(QStringLiteral("\"%1\" was not written: the data folder is open read-only.").arg(path(file)));
}

DataFolder::LoadResult DataFolder::loadNotes(NotesCollection *notes, const QDateTime &now)
{
    const LoadResult result = load(
        File::Notes, codec(),
        [&](const QByteArray &plain) { return NotesFile::parseNotes(plain, notes, &m_dataRootName); }, now);
    if (result.outcome != Outcome::Loaded)
        return result;
    QList<NoteIdentity::TNoteState> states;
    // An unreadable notestate.txt is set aside like any data file; the notes then get new identities.
    load(File::NoteState, codec(),
         [&](const QByteArray &plain) { return NoteIdentity::parseStates(plain, &states); }, now);
    NoteIdentity::attach(*notes, states);
    return result;
}

DataFolder::LoadResult DataFolder::loadNotepad(QStringList *lines, const QDateTime &now)
{
    return load(
        File::Notepad, codec(),
        [&](const QByteArray &plain) {
            lines->append(NotesFile::parseNotepad(plain));
            return IoResult::success();
        },
        now);
}

DataFolder::LoadResult DataFolder::loadSettings(TKeyValueXmlFile &store, Settings *settings, const QDateTime &now)
{
    // settings.xml is never enciphered.
    return load(
        File::Settings, nullptr,
        [&](const QByteArray &plain) { return SettingsFile::parseSettings(plain, store, settings); }, now);
}

DataFolder::LoadResult DataFolder::loadExpenditures(ExpenditureBook *book, const QDateTime &now)
{
    return load(
        File::Expenditures, codec(),
        [&](const QByteArray &plain) { return ExpendituresFile::parseExpenditures(plain, book, &m_dataRootName); },
        now);
}

IoResult DataFolder::saveNotes(const NotesCollection &notes) const
{
    if (IoResult saved = save(File::Notes, NotesFile::notesData(notes, m_dataRootName), true); !saved)
        return saved;
    return save(File::NoteState, NoteIdentity::statesData(notes), true);
}

IoResult DataFolder::saveNotepad(const QStringList &lines) const
{
    return save(File::Notepad, NotesFile::notepadData(lines), true);
}

IoResult DataFolder::saveSettings(TKeyValueXmlFile &store, const Settings &settings) const
{
    return save(File::Settings, SettingsFile::settingsData(store, settings), false);
}

DataFolder::LoadResult DataFolder::loadSyncState(const DataFile::Parser &parse, const QDateTime &now)
{
    return load(File::SyncState, codec(), parse, now);
}

IoResult DataFolder::saveSyncState(const QByteArray &plain) const
{
    return save(File::SyncState, plain, true);
}

void DataFolder::recodeSyncState(const DataFileCodec *from) const
{
    const QString file = path(File::SyncState);
    if (!QFileInfo::exists(file))
        return;
    QByteArray plain;
    const IoResult read = DataFile::read(file, from, [&](const QByteArray &bytes) {
        plain = bytes;
        return IoResult::success();
    });
    // The state is only a help (the next sync matches items by UID): rather none than one in the wrong form.
    if (!read || !save(File::SyncState, plain, true))
        QFile::remove(file);
}

DataFolder::LoadResult DataFolder::loadReminders(ReminderLedger *ledger, const QDateTime &now)
{
    return load(
        File::Reminders, codec(),
        [&](const QByteArray &plain) { return ReminderLedgerFile::parseLedger(plain, ledger); }, now);
}

IoResult DataFolder::saveReminders(const ReminderLedger &ledger) const
{
    return save(File::Reminders, ReminderLedgerFile::ledgerData(ledger), true);
}

IoResult DataFolder::saveExpenditures(const ExpenditureBook &book) const
{
    return save(File::Expenditures, ExpendituresFile::expendituresData(book, m_dataRootName), true);
}
