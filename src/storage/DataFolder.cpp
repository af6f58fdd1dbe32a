#include "DataFolder.h"

#include "core/ExportFile.h"
#include "expenditures/ExpendituresFile.h"
#include "notes/NotesFile.h"
#include "protection/PassPhraseCodec.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// The data files besides data.txt; any of them shows the folder has been used before.
constexpr DataFolder::File kOtherDataFiles[] = {DataFolder::File::Notepad, DataFolder::File::Settings,
                                                DataFolder::File::Expenditures, DataFolder::File::Password};

// What no export may replace: every file the program keeps in the folder. The wallpaper is
// repainted at every refresh, which would replace the export.
constexpr DataFolder::File kOwnFiles[] = {DataFolder::File::Notes,        DataFolder::File::Notepad,
                                          DataFolder::File::Settings,     DataFolder::File::Expenditures,
                                          DataFolder::File::Password,     DataFolder::File::Lock,
                                          DataFolder::File::Wallpaper};

} // namespace

DataFolder::DataFolder(const QString &appDir, Access access) : m_appDir(appDir), m_access(access) {}

DataFolder::~DataFolder() = default;

QString DataFolder::fileName(File file)
{
    switch (file) {
    case File::Notes:
        return QStringLiteral("data.txt");
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
    const Protection::TUnlock unlock = Protection::verifyPassPhraseFile(path(File::Password), typed);
    if (unlock.verdict == Protection::Verdict::Correct)
        usePassPhrase(unlock.passPhrase, unlock.salt);
    return unlock;
}

void DataFolder::usePassPhrase(const QString &passPhrase, const QByteArray &salt)
{
    m_passPhrase = passPhrase;
    m_passPhraseSalt = salt;
    m_codec.reset();
    if (isProtected())
        m_codec = std::make_unique<PassPhraseCodec>(passPhrase);
}

void DataFolder::clearPassPhrase()
{
    m_passPhrase.clear();
    m_passPhraseSalt.clear();
    m_codec.reset();
}

Protection::TAccept DataFolder::acceptPassPhrase(const QString &first, const QString &second,
                                                 QRandomGenerator &random)
{
    if (m_access == Access::ReadOnly) {
        Protection::TAccept refused;
        refused.outcome = Protection::AcceptOutcome::WriteFailed;
        refused.message = refuseWrite(File::Password).error;
        return refused;
    }
    const Protection::TAccept accepted = Protection::Accept(path(File::Password), first, second, random);
    if (accepted.outcome == Protection::AcceptOutcome::TurnedOn)
        usePassPhrase(accepted.passPhrase, accepted.salt);
    return accepted;
}

IoResult DataFolder::turnProtectionOff(const std::function<bool()> &saveAllPlain)
{
    if (m_access == Access::ReadOnly)
        return refuseWrite(File::Password);
    const QString passPhrase = m_passPhrase;
    const QByteArray salt = m_passPhraseSalt;
    const IoResult turnedOff = Protection::turnProtectionOff(path(File::Password), [&] {
        clearPassPhrase();
        return saveAllPlain() ? IoResult::success() : IoResult::failure(QString());
    });
    if (!turnedOff)
        usePassPhrase(passPhrase, salt);
    return turnedOff;
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
    const DataFile::LoadResult loaded = DataFile::load(filePath, codec, parse, now);
    switch (loaded.outcome) {
    case DataFile::Outcome::Missing:
        break;
    case DataFile::Outcome::Loaded:
        result.outcome = Outcome::Loaded;
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

IoResult DataFolder::save(File file, const QByteArray &plain, const DataFileCodec *codec) const
{
    if (m_access == Access::ReadOnly)
        return refuseWrite(file);
    return DataFile::save(path(file), plain, codec);
}

IoResult DataFolder::refuseWrite(File file) const
{
    return IoResult::failure(QStringLiteral("\"%1\" was not written: the data folder is open read-only.").arg(path(file)));
}

DataFolder::LoadResult DataFolder::loadNotes(NotesCollection *notes, const QDateTime &now)
{
    return load(
        File::Notes, codec(),
        [&](const QByteArray &plain) { return NotesFile::parseNotes(plain, notes, &m_dataRootName); }, now);
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
    return save(File::Notes, NotesFile::notesData(notes, m_dataRootName), codec());
}

IoResult DataFolder::saveNotepad(const QStringList &lines) const
{
    return save(File::Notepad, NotesFile::notepadData(lines), codec());
}

IoResult DataFolder::saveSettings(TKeyValueXmlFile &store, const Settings &settings) const
{
    return save(File::Settings, SettingsFile::settingsData(store, settings), nullptr);
}

IoResult DataFolder::saveExpenditures(const ExpenditureBook &book) const
{
    return save(File::Expenditures, ExpendituresFile::expendituresData(book, m_dataRootName), codec());
}
