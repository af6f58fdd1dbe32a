#include "FolderContents.h"

#include "notes/NotesFile.h"
#include "protection/PassPhraseCodec.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

using File = DataFolder::File;
using Outcome = DataFolder::Outcome;

const QDateTime kNow(QDate(2026, 3, 14), QTime(9, 30));

QString folderOf(const QTemporaryDir &dir)
{
    return dir.path() + QLatin1Char('/');
}

bool writeRaw(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QByteArray readRaw(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file of the folder with its bytes and time, to see that nothing was touched.
QStringList snapshot(const QString &folder)
{
    QStringList entries;
    const QFileInfoList infos =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &info : infos)
        entries.append(info.fileName() + QLatin1Char(' ') + info.lastModified().toString(Qt::ISODateWithMs) +
                       QLatin1Char(' ') + QString::fromLatin1(readRaw(info.filePath()).toHex()));
    return entries;
}

using Contents = FolderContents;

void saveAll(DataFolder &folder, const Contents &contents)
{
    QVERIFY(contents.saveTo(folder));
}

QByteArray strongMagic()
{
    return QByteArray(StrongCipher::kMagic, StrongCipher::kMagicSize);
}

// A strong-form data file changed in one of the ways an attacker or a bad disk would.
QByteArray tampered(const QByteArray &stored, const QString &how, const QByteArray &otherFolders)
{
    using namespace StrongCipher;
    QByteArray bytes = stored;
    const qsizetype chunk = kChunkSize + kChunkOverhead;
    if (how == QLatin1String("headerSalt"))
        bytes[kMagicSize + 16] = char(bytes[kMagicSize + 16] ^ 1);
    else if (how == QLatin1String("streamHeader"))
        bytes[kFileHeaderSize - 1] = char(bytes[kFileHeaderSize - 1] ^ 0x80);
    else if (how == QLatin1String("body"))
        bytes[kFileHeaderSize + chunk + 100] = char(bytes[kFileHeaderSize + chunk + 100] ^ 4);
    else if (how == QLatin1String("tag"))
        bytes[bytes.size() - 1] = char(bytes[bytes.size() - 1] ^ 1);
    else if (how == QLatin1String("cutAtFirstChunk"))
        bytes.truncate(kFileHeaderSize + chunk);
    else if (how == QLatin1String("cutAtSecondChunk"))
        bytes.truncate(kFileHeaderSize + 2 * chunk);
    else if (how == QLatin1String("byteAdded"))
        bytes.append('\0');
    else if (how == QLatin1String("chunksSwapped"))
        bytes = bytes.left(kFileHeaderSize) + bytes.mid(kFileHeaderSize + chunk, chunk)
              + bytes.mid(kFileHeaderSize, chunk) + bytes.mid(kFileHeaderSize + 2 * chunk);
    else if (how == QLatin1String("otherFoldersKey"))
        bytes = otherFolders;
    return bytes;
}

} // namespace

class TestDataFolder final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data()
    {
        QTest::addColumn<bool>("protect");
        QTest::addColumn<QString>("passPhrase");
        QTest::newRow("plain") << false << QString();
        QTest::newRow("enciphered") << true << QStringLiteral("Tajne has\u0142o");
        QTest::newRow("emptyPassPhrase") << true << QString();
    }

    void init()
    {
        QStandardPaths::setTestModeEnabled(true);
    }

    void roundTrip()
    {
        QFETCH(bool, protect);
        QFETCH(QString, passPhrase);
        QTemporaryDir dir;
        const Contents written;
        {
            DataFolder folder(folderOf(dir));
            folder.setNewKeyCost(StrongCipher::minimalCost());
            if (protect)
                QCOMPARE(folder.acceptPassPhrase(passPhrase, passPhrase).outcome, Protection::AcceptOutcome::TurnedOn);
            QCOMPARE(folder.isProtected(), protect);
            QCOMPARE(folder.codec() != nullptr, protect);
            saveAll(folder, written);
        }
        // Enciphered files do not show their text; the settings never are.
        QCOMPARE(readRaw(dir.filePath(QStringLiteral("data.txt"))).contains("secret plan"), !protect);
        QCOMPARE(readRaw(dir.filePath(QStringLiteral("notepad.txt"))).contains("second line"), !protect);
        QCOMPARE(readRaw(dir.filePath(QStringLiteral("expenditures.txt"))).contains("Rent"), !protect);
        for (const char *name : {"data.txt", "notestate.txt", "notepad.txt", "expenditures.txt", "passwd.txt"})
            QCOMPARE(readRaw(dir.filePath(QLatin1String(name))).startsWith("MRV"), protect);
        QVERIFY(readRaw(dir.filePath(QStringLiteral("settings.xml"))).contains("512"));

        DataFolder folder(folderOf(dir));
        if (protect)
            QCOMPARE(folder.unlock(passPhrase).verdict, Protection::Verdict::Correct);
        NotesCollection notes;
        QStringList notepad;
        ExpenditureBook book;
        Settings settings;
        TKeyValueXmlFile store;
        QCOMPARE(folder.loadNotes(&notes, kNow).outcome, Outcome::Loaded);
        QCOMPARE(folder.loadNotepad(&notepad, kNow).outcome, Outcome::Loaded);
        QCOMPARE(folder.loadSettings(store, &settings, kNow).outcome, Outcome::Loaded);
        QCOMPARE(folder.loadExpenditures(&book, kNow).outcome, Outcome::Loaded);
        QCOMPARE(notes, written.notes);
        QCOMPARE(notepad, written.notepad);
        QCOMPARE(book, written.book);
        QCOMPARE(settings.FormWidth, 512);
        QVERIFY(settings.SwitchState1);
    }

    void unlock_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("correct");
        QTest::newRow("right") << QStringLiteral("Tajne") << true;
        QTest::newRow("wrong") << QStringLiteral("tajne") << false;
        QTest::newRow("empty") << QString() << false;
    }

    void unlock()
    {
        QFETCH(QString, typed);
        QFETCH(bool, correct);
        QTemporaryDir dir;
        {
            DataFolder folder(folderOf(dir));
            folder.setNewKeyCost(StrongCipher::minimalCost());
            folder.acceptPassPhrase(QStringLiteral("Tajne"), QStringLiteral("Tajne"));
            saveAll(folder, Contents());
        }
        DataFolder folder(folderOf(dir));
        const Protection::TUnlock unlock = folder.unlock(typed);
        QCOMPARE(unlock.verdict, correct ? Protection::Verdict::Correct : Protection::Verdict::Wrong);
        // A wrong pass phrase puts nothing in force.
        QCOMPARE(folder.codec() != nullptr, correct);
        QCOMPARE(Contents().isIn(folder, kNow), correct);
    }

    // A strong-form file that fails its check is refused and kept aside as it is; the others load.
    void tamperedFile_data()
    {
        QTest::addColumn<QString>("how");
        for (const char *how : {"headerSalt", "streamHeader", "body", "tag", "cutAtFirstChunk", "cutAtSecondChunk",
                                "byteAdded", "chunksSwapped", "otherFoldersKey", "oldFormAfterConversion"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }

    void tamperedFile()
    {
        QFETCH(QString, how);
        QTemporaryDir dir;
        QTemporaryDir otherDir;
        const Contents written = Contents::large(400);
        const QString phrase = QStringLiteral("Tajne");
        for (QTemporaryDir *each : {&otherDir, &dir}) {
            DataFolder folder(folderOf(*each));
            folder.setNewKeyCost(StrongCipher::minimalCost());
            QCOMPARE(folder.acceptPassPhrase(phrase, phrase).outcome, Protection::AcceptOutcome::TurnedOn);
            saveAll(folder, written);
        }
        const QString path = dir.filePath(QStringLiteral("data.txt"));
        const QByteArray stored = readRaw(path);
        QVERIFY(stored.startsWith(strongMagic()));
        QVERIFY(stored.size() > StrongCipher::kFileHeaderSize + 3 * (StrongCipher::kChunkSize + 17));
        QByteArray changed = tampered(stored, how, readRaw(otherDir.filePath(QStringLiteral("data.txt"))));
        if (how == QLatin1String("oldFormAfterConversion"))
            QVERIFY(PassPhraseCodec(phrase).encode(NotesFile::notesData(written.notes), &changed));
        QVERIFY(changed != stored);
        QVERIFY(writeRaw(path, changed));

        DataFolder folder(folderOf(dir));
        QCOMPARE(folder.unlock(phrase).verdict, Protection::Verdict::Correct);
        NotesCollection notes;
        const DataFolder::LoadResult loaded = folder.loadNotes(&notes, kNow);
        QCOMPARE(loaded.outcome, Outcome::Unreadable);
        QVERIFY2(loaded.error.contains(QStringLiteral("The file is damaged or was changed")), qPrintable(loaded.error));
        QVERIFY(loaded.setAside);
        QCOMPARE(readRaw(loaded.setAsidePath), changed);
        QStringList notepad;
        ExpenditureBook book;
        QCOMPARE(folder.loadNotepad(&notepad, kNow).outcome, Outcome::Loaded);
        QCOMPARE(folder.loadExpenditures(&book, kNow).outcome, Outcome::Loaded);
        QCOMPARE(book, written.book);
    }

    // An old-form folder opens with its pass phrase and converts; a conversion whose saves fail
    // leaves it opening as before and offered again.
    void oldForm_convert_data()
    {
        QTest::addColumn<bool>("savesSucceed");
        QTest::newRow("converted") << true;
        QTest::newRow("saveFailed") << false;
    }

    void oldForm_convert()
    {
        QFETCH(bool, savesSucceed);
        QTemporaryDir dir;
        const Contents written;
        const QString phrase = QStringLiteral("Za\u017C\u00F3\u0142\u0107");
        QVERIFY(writeOldFormFolder(folderOf(dir), phrase, written));
        QVERIFY(!readRaw(dir.filePath(QStringLiteral("data.txt"))).startsWith(strongMagic()));
        {
            DataFolder folder(folderOf(dir));
            folder.setNewKeyCost(StrongCipher::minimalCost());
            QCOMPARE(folder.unlock(QStringLiteral("wrong")).verdict, Protection::Verdict::Wrong);
            QCOMPARE(folder.unlock(phrase).verdict, Protection::Verdict::Correct);
            QVERIFY(folder.isInOldForm());
            QVERIFY(written.isIn(folder, kNow));
            const IoResult converted = folder.convertToStrongForm([&] {
                // The notes go before a failure, as a full disk would cut a save short.
                return folder.saveNotes(written.notes) && savesSucceed && written.saveTo(folder);
            });
            QCOMPARE(converted.ok, savesSucceed);
            QCOMPARE(folder.isInOldForm(), !savesSucceed);
        }
        QVERIFY(readRaw(dir.filePath(QStringLiteral("data.txt"))).startsWith(strongMagic()));
        QCOMPARE(readRaw(dir.filePath(QStringLiteral("notepad.txt"))).startsWith(strongMagic()), savesSucceed);
        QCOMPARE(readRaw(dir.filePath(QStringLiteral("passwd.txt"))).startsWith("MRVPASS1"), savesSucceed);
        DataFolder folder(folderOf(dir));
        QCOMPARE(folder.unlock(phrase).verdict, Protection::Verdict::Correct);
        QCOMPARE(folder.isInOldForm(), !savesSucceed);
        QString why;
        QVERIFY2(written.isIn(folder, kNow, &why), qPrintable(why));
    }

    // While protected, the picture of upcoming events stays out of the folder, and a readable one
    // from before is removed.
    void wallpaper_outsideProtectedFolder()
    {
        QTemporaryDir dir;
        DataFolder folder(folderOf(dir));
        folder.setNewKeyCost(StrongCipher::minimalCost());
        QVERIFY(folder.saveWallpaper("plain picture"));
        QCOMPARE(folder.wallpaperPath(), folder.path(File::Wallpaper));
        folder.acceptPassPhrase(QStringLiteral("k"), QStringLiteral("k"));
        QVERIFY(folder.saveWallpaper("secret picture"));
        const QString cached = folder.wallpaperPath();
        QVERIFY(!cached.startsWith(folderOf(dir)));
        QCOMPARE(readRaw(cached), QByteArray("secret picture"));
        QVERIFY(!QFile::exists(folder.path(File::Wallpaper)));
        QCOMPARE(QFileInfo(QFileInfo(cached).path()).permissions() & 0x0077, QFileDevice::Permissions());
        QVERIFY(folder.turnProtectionOff([] { return true; }));
        QVERIFY(!QFile::exists(cached));
        QCOMPARE(folder.wallpaperPath(), folder.path(File::Wallpaper));
    }

    // The sync state, written by the sync alone, follows protection on and off without the callers' saving.
    void syncState_followsProtection()
    {
        QTemporaryDir dir;
        DataFolder folder(folderOf(dir));
        folder.setNewKeyCost(StrongCipher::minimalCost());
        const QByteArray state("<Configuration><Item0>secret task</Item0></Configuration>");
        QVERIFY(folder.saveSyncState(state));
        const auto stored = [&] {
            QByteArray plain;
            folder.loadSyncState(
                [&](const QByteArray &bytes) {
                    plain = bytes;
                    return IoResult::success();
                },
                kNow);
            return plain;
        };
        for (const bool protect : {true, false}) {
            if (protect)
                folder.acceptPassPhrase(QStringLiteral("k"), QStringLiteral("k"));
            else
                QVERIFY(folder.turnProtectionOff([] { return true; }));
            QCOMPARE(readRaw(folder.path(File::SyncState)).contains("secret task"), !protect);
            QCOMPARE(stored(), state);
        }
    }

    void unreadableFile_data()
    {
        QTest::addColumn<int>("file");
        QTest::addColumn<bool>("readOnly");
        for (const auto &[name, file] : {std::pair{"notes", File::Notes}, std::pair{"settings", File::Settings},
                                         std::pair{"expenditures", File::Expenditures}}) {
            QTest::addRow("%s_setAside", name) << int(file) << false;
            QTest::addRow("%s_readOnly_untouched", name) << int(file) << true;
        }
    }

    void unreadableFile()
    {
        QFETCH(int, file);
        QFETCH(bool, readOnly);
        QTemporaryDir dir;
        const File which = File(file);
        const QByteArray garbage("\x01\x02 no data file <Configuration");
        DataFolder folder(folderOf(dir), readOnly ? DataFolder::Access::ReadOnly : DataFolder::Access::ReadWrite);
        const QString path = folder.path(which);
        QVERIFY(writeRaw(path, garbage));
        const QStringList before = snapshot(folderOf(dir));

        NotesCollection notes;
        ExpenditureBook book;
        Settings settings;
        TKeyValueXmlFile store;
        DataFolder::LoadResult loaded;
        IoResult saved;
        switch (which) {
        case File::Notes:
            loaded = folder.loadNotes(&notes, kNow);
            saved = folder.saveNotes(notes);
            break;
        case File::Settings:
            loaded = folder.loadSettings(store, &settings, kNow);
            saved = folder.saveSettings(store, settings);
            break;
        default:
            loaded = folder.loadExpenditures(&book, kNow);
            saved = folder.saveExpenditures(book);
            break;
        }
        QCOMPARE(loaded.outcome, Outcome::Unreadable);
        QVERIFY(!loaded.error.isEmpty());
        QCOMPARE(loaded.setAside, !readOnly);
        QCOMPARE(saved.ok, !readOnly);
        if (readOnly) {
            QCOMPARE(snapshot(folderOf(dir)), before);
            return;
        }
        // The damaged bytes wait aside; the save wrote a new file instead of over them.
        QVERIFY(loaded.setAsidePath.startsWith(path + QStringLiteral(".unreadable-")));
        QVERIFY(loaded.error.contains(loaded.setAsidePath));
        QCOMPARE(readRaw(loaded.setAsidePath), garbage);
        QVERIFY(QFile::exists(path));
        QVERIFY(readRaw(path) != garbage);
    }

    void readOnly_writesNothing_data()
    {
        QTest::addColumn<bool>("protect");
        QTest::newRow("plain") << false;
        QTest::newRow("enciphered") << true;
    }

    void readOnly_writesNothing()
    {
        QFETCH(bool, protect);
        QTemporaryDir dir;
        const Contents written;
        {
            DataFolder folder(folderOf(dir));
            folder.setNewKeyCost(StrongCipher::minimalCost());
            if (protect)
                folder.acceptPassPhrase(QStringLiteral("k"), QStringLiteral("k"));
            saveAll(folder, written);
        }
        const QStringList before = snapshot(folderOf(dir));

        DataFolder folder(folderOf(dir), DataFolder::Access::ReadOnly);
        if (protect)
            QCOMPARE(folder.unlock(QStringLiteral("k")).verdict, Protection::Verdict::Correct);
        NotesCollection notes;
        Settings settings;
        TKeyValueXmlFile store;
        QCOMPARE(folder.loadNotes(&notes, kNow).outcome, Outcome::Loaded);
        QCOMPARE(folder.loadSettings(store, &settings, kNow).outcome, Outcome::Loaded);
        QCOMPARE(notes, written.notes);
        QVERIFY(!folder.saveNotes(notes));
        QVERIFY(!folder.saveNotepad(written.notepad));
        QVERIFY(!folder.saveSettings(store, settings));
        QVERIFY(!folder.saveExpenditures(written.book));
        QCOMPARE(folder.acceptPassPhrase(QStringLiteral("n"), QStringLiteral("n")).outcome,
                 Protection::AcceptOutcome::WriteFailed);
        QVERIFY(!folder.convertToStrongForm([] { return true; }));
        bool saveAsked = false;
        QVERIFY(!folder.turnProtectionOff([&] { return saveAsked = true; }));
        QVERIFY(!saveAsked);
        QCOMPARE(snapshot(folderOf(dir)), before);
    }
};

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_datafolder.moc"
