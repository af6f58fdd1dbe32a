#include "NotesFixture.h"

#include "notes/NotesCsv.h"
#include "protection/Protection.h"
#include "ui/pages/NotepadPage.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

const QString kPassPhrase = QStringLiteral("Correct Horse");
const QString kOverwrite = QStringLiteral("File already exists. Do you want to overwrite it?");

NotesCollection fiveNotes()
{
    NotesCollection notes = {makeNote(QStringLiteral("A"), 1), makeNote(QStringLiteral("B"), 2, 50),
                             makeNote(QStringLiteral("C;c"), 3, 0, true, DateTime::encode(2026, 12, 24)),
                             makeNote(QStringLiteral("D"), 3, 100, false, DateTime::encode(2026, 12, 9, 14, 30)),
                             makeNote(QStringLiteral("E"), 3, 0, false, DateTime::kNoDeadline, QStringLiteral("Hall"))};
    renumberNotes(notes);
    return notes;
}

QString writeNotesFile(const QString &path, const NotesCollection &notes)
{
    writeAll(path, NotesFile::notesData(notes));
    return path;
}

} // namespace

class TestNotesTransfer final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { enterUiTestMode(); }
    void init();
    void cleanup();

    void exportData_writesTheCollectionAsCsv();
    void exportCommands_askBeforeOverwriting_data();
    void exportCommands_askBeforeOverwriting();
    void commands_cancelled_doNothing_data();
    void commands_cancelled_doNothing();
    void exportData_failure_isShownAndReleasesBusy();
    void exportCommands_refuseWhatIsNotTheirs_data();
    void exportCommands_refuseWhatIsNotTheirs();
    void exportNotes_savesThenWritesPlainXmlWhileEnciphered();
    void importNotes_replacesAndRefreshesWithoutSaving();
    void importNotesAppend_addsAfterTheExistingNotes();
    void importNotes_unreadableFile_keepsTheNotes();
    void importOldNotes_keepsTheLinesBeforeAFailure();
    void organiserSaved_commandLinePrintsToday_data();
    void organiserSaved_commandLinePrintsToday();

private:
    QString appDir() const { return m_dir->path() + QLatin1Char('/'); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_elsewhere;
    QList<bool> m_busyWhileShown;
};

void TestNotesTransfer::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_elsewhere = std::make_unique<QTemporaryDir>();
    m_busyWhileShown.clear();
}

void TestNotesTransfer::cleanup()
{
    Messages::setObserver(nullptr);
    Messages::takeShown();
    FileChoosers::setTestMode(true);
}

void TestNotesTransfer::exportData_writesTheCollectionAsCsv()
{
    auto window = startWithNotes(m_dir->path(), fiveNotes());
    const QString target = m_elsewhere->filePath(QStringLiteral("notes.csv"));
    FileChoosers::queuePath(target);
    trigger(*window, "Exportdata1");

    QCOMPARE(FileChoosers::lastDirectory(), appDir());
    QCOMPARE(FileChoosers::lastFilter(), QStringLiteral("Comma Separated Values (*.csv)"));
    QCOMPARE(FileChoosers::lastDefaultSuffix(), QStringLiteral("csv"));
    QVERIFY(Messages::takeShown().isEmpty()); // a new file: no question
    QCOMPARE(readAll(target), NotesCsv::csvData(fiveNotes(), window->localeFormats()));
    QVERIFY(readAll(target).contains(";Cc;0;Normal;;Yes\r\n"));
    QVERIFY(!window->state().DialogBusy);
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("data.txt")))); // exporting data saves nothing
}

void TestNotesTransfer::exportCommands_askBeforeOverwriting_data()
{
    QTest::addColumn<QByteArray>("action");
    QTest::addColumn<bool>("yes");
    QTest::newRow("csv, No") << QByteArray("Exportdata1") << false;
    QTest::newRow("csv, Yes") << QByteArray("Exportdata1") << true;
    QTest::newRow("notes, No") << QByteArray("Makebackup1") << false;
    QTest::newRow("notes, Yes") << QByteArray("Makebackup1") << true;
}

void TestNotesTransfer::exportCommands_askBeforeOverwriting()
{
    QFETCH(QByteArray, action);
    QFETCH(bool, yes);
    auto window = startWithNotes(m_dir->path(), fiveNotes());
    const QString target = m_elsewhere->filePath(QStringLiteral("existing"));
    writeAll(target, "keep me");
    Messages::setObserver(
        [this, &window](const Messages::Shown &) { m_busyWhileShown.append(window->state().DialogBusy); });
    Messages::queueAnswer(yes);
    FileChoosers::queuePath(target);
    trigger(*window, action.constData());

    const auto shown = Messages::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, Messages::Kind::Question);
    QCOMPARE(shown[0].text, kOverwrite);
    QCOMPARE(m_busyWhileShown, QList<bool>{true});
    QVERIFY(!window->state().DialogBusy);
    QCOMPARE(readAll(target) == "keep me", !yes);
    // Answering No writes nothing at all, not even the usual save.
    QCOMPARE(savedFileExists(m_dir->filePath(QStringLiteral("data.txt"))), yes && action == "Makebackup1");
}

void TestNotesTransfer::commands_cancelled_doNothing_data()
{
    QTest::addColumn<QByteArray>("action");
    for (const char *action :
         {"Exportdata1", "Makebackup1", "Importnotes1", "Importappendnotes1", "Importdata1", "ExportIcs1", "ImportIcs1"})
        QTest::newRow(action) << QByteArray(action);
}

void TestNotesTransfer::commands_cancelled_doNothing()
{
    QFETCH(QByteArray, action);
    auto window = startWithNotes(m_dir->path(), fiveNotes());
    FileChoosers::queuePath(QString());
    trigger(*window, action.constData());
    QCOMPARE(window->notes(), fiveNotes());
    QVERIFY(Messages::takeShown().isEmpty());
    QVERIFY(QDir(m_dir->path()).isEmpty());
    QVERIFY(!window->state().DialogBusy);
    QCOMPARE(FileChoosers::lastDirectory(), appDir());
}

void TestNotesTransfer::exportData_failure_isShownAndReleasesBusy()
{
    auto window = startWithNotes(m_dir->path(), fiveNotes());
    Messages::setObserver(
        [this, &window](const Messages::Shown &) { m_busyWhileShown.append(window->state().DialogBusy); });
    const QString target = m_elsewhere->filePath(QStringLiteral("no/such/folder/notes.csv"));
    FileChoosers::queuePath(target);
    trigger(*window, "Exportdata1");

    const auto shown = Messages::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, Messages::Kind::Error);
    QVERIFY2(shown[0].text.contains(QStringLiteral("notes.csv")), qPrintable(shown[0].text));
    QCOMPARE(m_busyWhileShown, QList<bool>{true});
    QVERIFY(!window->state().DialogBusy);
    QVERIFY(!QFile::exists(target));
}

void TestNotesTransfer::exportCommands_refuseWhatIsNotTheirs_data()
{
    QTest::addColumn<QByteArray>("action");
    QTest::addColumn<QString>("kind");
    QTest::newRow("csv to a folder") << QByteArray("Exportdata1") << QStringLiteral("folder");
    QTest::newRow("notes to a device") << QByteArray("Makebackup1") << QStringLiteral("device");
    QTest::newRow("csv to a named pipe nobody reads") << QByteArray("Exportdata1") << QStringLiteral("pipe");
    QTest::newRow("csv over data.txt") << QByteArray("Exportdata1") << QStringLiteral("data.txt");
    QTest::newRow("notes over the lock file") << QByteArray("Makebackup1") << QStringLiteral(".marevo-notes.lock");
}

void TestNotesTransfer::exportCommands_refuseWhatIsNotTheirs()
{
    QFETCH(QByteArray, action);
    QFETCH(QString, kind);
    auto window = startWithNotes(m_dir->path(), fiveNotes());
    QString target = m_elsewhere->filePath(kind);
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir(m_elsewhere->path()).mkdir(kind));
    else if (kind == QLatin1String("pipe"))
        QCOMPARE(mkfifo(QFile::encodeName(target).constData(), 0600), 0);
    else if (kind == QLatin1String("device") &&
             mknod(QFile::encodeName(target).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        QSKIP("no right to make a device node here");
    else if (kind.contains(QLatin1Char('.')))
        target = m_dir->filePath(kind);
    FileChoosers::queuePath(target);
    trigger(*window, action.constData());

    const auto shown = Messages::takeShown();
    QCOMPARE(shown.size(), 1); // no question about overwriting: there is nothing to overwrite
    QCOMPARE(shown[0].kind, Messages::Kind::Error);
    QVERIFY2(shown[0].text.contains(QFileInfo(target).fileName()), qPrintable(shown[0].text));
    QVERIFY(QDir(m_dir->path()).isEmpty()); // not even the usual save of "Export notes..."
    QVERIFY(!QFileInfo(target).isFile());
    QVERIFY(QDir(m_elsewhere->path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    QVERIFY(!window->state().DialogBusy);
}

void TestNotesTransfer::exportNotes_savesThenWritesPlainXmlWhileEnciphered()
{
    auto window = startWithNotes(m_dir->path(), fiveNotes());
    window->dataFolder().setNewKeyCost(StrongCipher::minimalCost());
    QCOMPARE(window->dataFolder().acceptPassPhrase(kPassPhrase, kPassPhrase).outcome,
             Protection::AcceptOutcome::TurnedOn);

    const QString target = m_elsewhere->filePath(QStringLiteral("backup.xml"));
    FileChoosers::queuePath(target);
    trigger(*window, "Makebackup1");

    QCOMPARE(FileChoosers::lastFilter(), QStringLiteral("Notes data file  (*.xml)"));
    QCOMPARE(FileChoosers::lastDefaultSuffix(), QStringLiteral("xml"));
    QVERIFY(Messages::takeShown().isEmpty());
    const QByteArray stored = readAll(m_dir->filePath(QStringLiteral("data.txt")));
    QVERIFY(!stored.isEmpty());
    QVERIFY(!stored.startsWith("<?xml")); // saved, and enciphered on disk
    QVERIFY(QFile::exists(m_dir->filePath(QStringLiteral("settings.xml"))));
    QCOMPARE(readAll(target), NotesFile::notesData(fiveNotes()));
    QVERIFY(!window->state().DialogBusy);
}

void TestNotesTransfer::importNotes_replacesAndRefreshesWithoutSaving()
{
    auto window = startWithNotes(m_dir->path(), fiveNotes());
    const NotesCollection incoming = {makeNote(QStringLiteral("new one")), makeNote(QStringLiteral("new two"))};
    FileChoosers::queuePath(writeNotesFile(m_elsewhere->filePath(QStringLiteral("in.xml")), incoming));
    trigger(*window, "Importnotes1");

    QCOMPARE(FileChoosers::lastFilter(), QStringLiteral("Notes data file (*.xml)"));
    QCOMPARE(FileChoosers::lastDirectory(), appDir());
    QCOMPARE(textsOf(window->notes()), (QStringList{QStringLiteral("new one"), QStringLiteral("new two")}));
    QCOMPARE(listedTexts(*window), (QStringList{QStringLiteral("new one"), QStringLiteral("new two")}));
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("data.txt"))));
    QVERIFY(Messages::takeShown().isEmpty());
    QVERIFY(!window->state().DialogBusy);
}

void TestNotesTransfer::importNotesAppend_addsAfterTheExistingNotes()
{
    auto window = startWithNotes(m_dir->path(), fiveNotes());
    const NotesCollection incoming = {makeNote(QStringLiteral("X")), makeNote(QStringLiteral("Y")),
                                      makeNote(QStringLiteral("Z"))};
    FileChoosers::queuePath(writeNotesFile(m_elsewhere->filePath(QStringLiteral("three.xml")), incoming));
    trigger(*window, "Importappendnotes1");

    const NotesCollection &notes = window->notes();
    QCOMPARE(notes.size(), 8);
    QCOMPARE(textsOf(notes).mid(5), (QStringList{QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")}));
    QCOMPARE(notes.first(5), fiveNotes());
    QCOMPARE(notes[5].ID, 5);
    QCOMPARE(notes[7].ID, 7);
    QCOMPARE(listedTexts(*window).size(), 8);
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("data.txt"))));
}

void TestNotesTransfer::importNotes_unreadableFile_keepsTheNotes()
{
    auto window = startWithNotes(m_dir->path(), fiveNotes());
    Messages::setObserver(
        [this, &window](const Messages::Shown &) { m_busyWhileShown.append(window->state().DialogBusy); });
    const QString bad = m_elsewhere->filePath(QStringLiteral("bad.xml"));
    writeAll(bad, "-1 3 0 0 not XML");
    FileChoosers::queuePath(bad);
    trigger(*window, "Importnotes1");

    const auto shown = Messages::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, Messages::Kind::Error);
    QCOMPARE(m_busyWhileShown, QList<bool>{true});
    QCOMPARE(window->notes(), fiveNotes());
    QVERIFY(!window->state().DialogBusy);
}

void TestNotesTransfer::importOldNotes_keepsTheLinesBeforeAFailure()
{
    auto window = startWithNotes(m_dir->path(), fiveNotes());
    const QString old = m_elsewhere->filePath(QStringLiteral("old.txt"));
    writeAll(old, "-1 3 0 0 Call\r\n45000.5 1 0 2 Pay rent\r\nsoon 3 0 0 Broken\r\n-1 3 0 0 After\r\n");
    FileChoosers::queuePath(old);
    trigger(*window, "Importdata1");

    QCOMPARE(FileChoosers::lastFilter(), QStringLiteral("Old Data files (*.txt)"));
    const auto shown = Messages::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, Messages::Kind::Error);
    QVERIFY2(shown[0].text.contains(QStringLiteral("Line 3")), qPrintable(shown[0].text));
    QCOMPARE(textsOf(window->notes()).mid(5), (QStringList{QStringLiteral("Call"), QStringLiteral("Pay rent")}));
    QVERIFY(window->notes()[6].PrivateMsg);
    QCOMPARE(listedTexts(*window).size(), 7);
    QVERIFY(!window->state().DialogBusy);
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("data.txt"))));
}

void TestNotesTransfer::organiserSaved_commandLinePrintsToday_data()
{
    QTest::addColumn<bool>("protect");
    QTest::newRow("plain") << false;
    QTest::newRow("enciphered") << true;
}

void TestNotesTransfer::organiserSaved_commandLinePrintsToday()
{
    QFETCH(bool, protect);
    {
        const TDateTime noon = DateTime::fromQDateTime(QDateTime(QDate::currentDate(), QTime(12, 0)));
        auto window = startWithNotes(m_dir->path(), {makeNote(QStringLiteral("Dentist"), 1, 0, false, noon),
                                                     makeNote(QStringLiteral("Someday"))});
        if (protect) {
            window->dataFolder().setNewKeyCost(StrongCipher::minimalCost());
            window->dataFolder().acceptPassPhrase(kPassPhrase, kPassPhrase);
        }
        window->notepadPage()->editor()->setPlainText(QStringLiteral("a line"));
        QVERIFY(window->saveAllDataFiles());
    }
    QProcess process;
    process.start(QStringLiteral(MAREVO_EXECUTABLE),
                  {QStringLiteral("--data-dir"), m_dir->path(), QStringLiteral("--today")});
    QVERIFY(process.waitForStarted());
    process.write((kPassPhrase + QLatin1Char('\n')).toUtf8());
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(process.readAllStandardOutput(), QByteArray("\xE2\x80\xA2 Dentist\n"));
    QCOMPARE(process.readAllStandardError(), QByteArray());
}

QTEST_MAIN(TestNotesTransfer)
#include "tst_notestransfer.moc"
