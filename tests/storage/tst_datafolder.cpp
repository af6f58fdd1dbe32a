#include "storage/DataFolder.h"

#include "core/KeyValueXmlFile.h"
#include "protection/FileCipher.h"
#include "settings/Settings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
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

struct Contents
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
};

void saveAll(DataFolder &folder, const Contents &contents)
{
    TKeyValueXmlFile store;
    QVERIFY(folder.saveNotes(contents.notes));
    QVERIFY(folder.saveNotepad(contents.notepad));
    QVERIFY(folder.saveSettings(store, contents.settings));
    QVERIFY(folder.saveExpenditures(contents.book));
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

    void roundTrip()
    {
        QFETCH(bool, protect);
        QFETCH(QString, passPhrase);
        QTemporaryDir dir;
        const Contents written;
        {
            DataFolder folder(folderOf(dir));
            QRandomGenerator random(3);
            if (protect)
                QCOMPARE(folder.acceptPassPhrase(passPhrase, passPhrase, random).outcome,
                         Protection::AcceptOutcome::TurnedOn);
            QCOMPARE(folder.isProtected(), protect);
            QCOMPARE(folder.codec() != nullptr, protect);
            saveAll(folder, written);
        }
        // Enciphered files do not show their text; the settings never are.
        QCOMPARE(readRaw(dir.filePath(QStringLiteral("data.txt"))).contains("secret plan"), !protect);
        QCOMPARE(readRaw(dir.filePath(QStringLiteral("notepad.txt"))).contains("second line"), !protect);
        QCOMPARE(readRaw(dir.filePath(QStringLiteral("expenditures.txt"))).contains("Rent"), !protect);
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
        QRandomGenerator random(5);
        QByteArray salt;
        {
            DataFolder folder(folderOf(dir));
            const Protection::TAccept accepted =
                folder.acceptPassPhrase(QStringLiteral("Tajne"), QStringLiteral("Tajne"), random);
            salt = accepted.salt;
            saveAll(folder, Contents());
        }
        DataFolder folder(folderOf(dir));
        const Protection::TUnlock unlock = folder.unlock(typed);
        QCOMPARE(unlock.verdict, correct ? Protection::Verdict::Correct : Protection::Verdict::Wrong);
        // A wrong pass phrase puts nothing in force.
        QCOMPARE(folder.codec() != nullptr, correct);
        QCOMPARE(folder.passPhrase(), correct ? typed : QString());
        QCOMPARE(folder.passPhraseSalt(), correct ? salt : QByteArray());
    }

    void codec_followsPasswdPresence()
    {
        QTemporaryDir dir;
        DataFolder folder(folderOf(dir));
        folder.usePassPhrase(QStringLiteral("x"), QByteArray());
        QVERIFY(!folder.codec());
        QRandomGenerator random(9);
        QVERIFY(folder.acceptPassPhrase(QString(), QString(), random).outcome == Protection::AcceptOutcome::TurnedOn);
        QVERIFY(folder.codec());
        QCOMPARE(folder.codec()->encode(QByteArray()), TFileCipher(QString()).EncryptFile(QByteArray()));
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
            QRandomGenerator random(4);
            if (protect)
                folder.acceptPassPhrase(QStringLiteral("k"), QStringLiteral("k"), random);
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
        QRandomGenerator random(6);
        QCOMPARE(folder.acceptPassPhrase(QStringLiteral("n"), QStringLiteral("n"), random).outcome,
                 Protection::AcceptOutcome::WriteFailed);
        bool saveAsked = false;
        QVERIFY(!folder.turnProtectionOff([&] { return saveAsked = true; }));
        QVERIFY(!saveAsked);
        QCOMPARE(snapshot(folderOf(dir)), before);
    }
};

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_datafolder.moc"
