#include "app/CommandLine.h"
#include "app/SingleInstance.h"

#include "core/DateTime.h"
#include "core/KeyValueXmlFile.h"
#include "core/LocaleFormats.h"
#include "notes/NotesCsv.h"
#include "notes/NotesFile.h"
#include "protection/PassPhraseCodec.h"
#include "protection/PasswordFile.h"
#include "settings/SettingsFile.h"
#include "storage/DataFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>

namespace {

const QString kPassPhrase = QStringLiteral("K\u00F6ln 2026");

struct Outcome
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Outcome runProgram(const QStringList &arguments, const QByteArray &input = {}, const QString &workingDir = {})
{
    QProcess process;
    process.setWorkingDirectory(workingDir);
    process.start(QStringLiteral(MAREVO_EXECUTABLE), arguments);
    if (!process.waitForStarted(10000))
        return {};
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &data)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(data);
}

// Every file below the folder with its bytes, so "nothing was written" can be checked.
QMap<QString, QByteArray> snapshot(const QString &dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(dir).relativeFilePath(path), readAll(path));
    }
    return files;
}

TNotesData note(const QString &text, TDateTime deadline, quint8 progress = 0, bool privateMsg = false)
{
    TNotesData n;
    n.Importance = 3;
    n.Progress = progress;
    n.PrivateMsg = privateMsg;
    n.Deadline = deadline;
    n.Text = text;
    n.Location = QStringLiteral("Room 1");
    return n;
}

TDateTime todayAt(int hour, int minute)
{
    return DateTime::fromQDateTime(QDateTime(QDate::currentDate(), QTime(hour, minute)));
}

TDateTime hoursFromNow(double hours)
{
    return DateTime::fromQDateTime(QDateTime::currentDateTime()) + hours / 24;
}

// Notes due today and others; texts with characters beyond ASCII and Latin-1.
NotesCollection todayNotes()
{
    return {note(QStringLiteral("Undated"), DateTime::kNoDeadline),
            note(QStringLiteral("Evening \u20AC call"), todayAt(23, 59)),
            note(QStringLiteral("Lunch with Ren\u00E9e"), todayAt(0, 0), 100),
            note(QStringLiteral("A note whose text runs well past thirty characters"), todayAt(12, 0)),
            note(QStringLiteral("two\r\nlines"), todayAt(23, 59), 0, true),
            note(QStringLiteral("Yesterday"), todayAt(12, 0) - 1)};
}

// Those and some due within hours, today or (late in the day) tomorrow.
NotesCollection sampleNotes()
{
    return todayNotes() + NotesCollection{note(QStringLiteral("In three hours"), hoursFromNow(3)),
                                          note(QStringLiteral("Hidden private"), hoursFromNow(4), 0, true),
                                          note(QStringLiteral("Next week"), hoursFromNow(24 * 7))};
}

enum Form
{
    kPlain,
    kOldForm,
    kStrongForm
};

// A data folder as the organiser leaves it: data.txt, notepad.txt and settings.xml, enciphered
// under the pass phrase with passwd.txt unless plain.
void prepareFolder(const QString &dir, const NotesCollection &notes, int form)
{
    QByteArray data = NotesFile::notesData(notes);
    QByteArray notepad = NotesFile::notepadData({QStringLiteral("scribbles")});
    if (form == kStrongForm) {
        DataFolder folder(dir + QLatin1Char('/'));
        folder.setNewKeyCost(StrongCipher::minimalCost());
        QCOMPARE(folder.acceptPassPhrase(kPassPhrase, kPassPhrase).outcome, Protection::AcceptOutcome::TurnedOn);
        QVERIFY(folder.codec()->encode(data, &data));
        QVERIFY(folder.codec()->encode(notepad, &notepad));
    } else if (form == kOldForm) {
        QRandomGenerator random(7);
        QVERIFY(PasswordFile::write(dir + QStringLiteral("/passwd.txt"), PasswordFile::create(kPassPhrase, random)));
        const PassPhraseCodec codec(kPassPhrase);
        QVERIFY(codec.encode(data, &data));
        QVERIFY(codec.encode(notepad, &notepad));
    }
    writeAll(dir + QStringLiteral("/data.txt"), data);
    writeAll(dir + QStringLiteral("/notepad.txt"), notepad);
    Settings settings;
    settings.SwitchState1 = true; // "Hide private notes"
    TKeyValueXmlFile settingsStore;
    writeAll(dir + QStringLiteral("/settings.xml"), SettingsFile::settingsData(settingsStore, settings));
}

QStringList outputLines(const QByteArray &out)
{
    QStringList lines = QString::fromUtf8(out).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

class TestCommandLine final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data();
    void parse();
    void toolkitOptions_areLeftToTheToolkit();

    void printingCommands_data();
    void printingCommands();
    void today_printsOneLinePerEventInUtf8();
    void upcoming_followsTheSavedSwitchesAndHorizon();
    void search_printsTheMatchingNotesUnderTheSavedSwitches();
    void exportCommands_data();
    void exportCommands();
    void wrongPassPhrase_data();
    void wrongPassPhrase();
    void usageErrors_data();
    void usageErrors();
    void helpAndVersion();
    void calendarExport_readsAnEncipheredFolder();
    void calendarImport_withoutOrganiser_savesTheNotes();
    void calendarImport_isHandedToTheRunningOrganiser();
    void runsBesideARunningOrganiser();
    void missingFolder_isNotCreated();
    void missingDataFile_printsNothing();
    void damagedDataFile_isReportedAndLeftInPlace();
    void exportOverADataFile_isRefused_data();
    void exportOverADataFile_isRefused();
    void exportToWhatIsNotAFile_data();
    void exportToWhatIsNotAFile();
    void dataFileThatIsNotAFile_isReportedWithoutWaiting_data();
    void dataFileThatIsNotAFile_isReportedWithoutWaiting();
};

void TestCommandLine::parse_data()
{
    using CommandLine::Command;
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("dataDir");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("ok");

    const auto s = [](const char *text) { return QString::fromUtf8(text); };
    QTest::newRow("nothing: the organiser")
        << QStringList{} << int(Command::RunOrganiser) << QString() << QString() << true;
    QTest::newRow("organiser in a folder")
        << QStringList{s("--data-dir"), s("/d")} << int(Command::RunOrganiser) << s("/d") << QString() << true;
    QTest::newRow("today") << QStringList{s("--data-dir"), s("/d"), s("--today")} << int(Command::Today) << s("/d")
                           << QString() << true;
    QTest::newRow("folder after the command")
        << QStringList{s("--upcoming"), s("--data-dir=/e")} << int(Command::Upcoming) << s("/e") << QString() << true;
    QTest::newRow("csv") << QStringList{s("--export-csv"), s("out.csv")} << int(Command::ExportCsv) << QString()
                         << s("out.csv") << true;
    QTest::newRow("notes with =") << QStringList{s("--export-notes=b.xml")} << int(Command::ExportNotes) << QString()
                                  << s("b.xml") << true;
    QTest::newRow("file name with a single dash")
        << QStringList{s("--export-csv"), s("-x.csv")} << int(Command::ExportCsv) << QString() << s("-x.csv") << true;
    QTest::newRow("help") << QStringList{s("--help")} << int(Command::Help) << QString() << QString() << true;
    QTest::newRow("version") << QStringList{s("--version")} << int(Command::Version) << QString() << QString() << true;
    QTest::newRow("unknown option") << QStringList{s("--bogus")} << -1 << QString() << QString() << false;
    QTest::newRow("missing file") << QStringList{s("--export-csv")} << -1 << QString() << QString() << false;
    QTest::newRow("missing folder") << QStringList{s("--today"), s("--data-dir")} << -1 << QString() << QString()
                                    << false;
    QTest::newRow("option where the folder belongs")
        << QStringList{s("--data-dir"), s("--today")} << -1 << QString() << QString() << false;
    QTest::newRow("empty folder") << QStringList{s("--data-dir="), s("--today")} << -1 << QString() << QString()
                                  << false;
    QTest::newRow("two commands") << QStringList{s("--today"), s("--upcoming")} << -1 << QString() << QString()
                                  << false;
    QTest::newRow("folder twice") << QStringList{s("--data-dir=/a"), s("--data-dir=/b")} << -1 << QString() << QString()
                                  << false;
    QTest::newRow("value for a switch") << QStringList{s("--today=yes")} << -1 << QString() << QString() << false;
    QTest::newRow("stray argument") << QStringList{s("--today"), s("extra")} << -1 << QString() << QString() << false;
}

void TestCommandLine::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, command);
    QFETCH(QString, dataDir);
    QFETCH(QString, file);
    QFETCH(bool, ok);

    const CommandLine::Options options = CommandLine::parse(arguments);
    QCOMPARE(options.error.isEmpty(), ok);
    if (!ok) {
        QVERIFY(!options.rejected.isEmpty());
        QVERIFY(CommandLine::runsWithoutWindows(options));
        return;
    }
    QCOMPARE(int(options.command), command);
    QCOMPARE(options.dataDir, dataDir);
    QCOMPARE(options.file, file);
    QCOMPARE(CommandLine::runsWithoutWindows(options), command != int(CommandLine::Command::RunOrganiser));
}

void TestCommandLine::toolkitOptions_areLeftToTheToolkit()
{
    const QStringList style = {QStringLiteral("-style"), QStringLiteral("fusion")};
    QVERIFY(CommandLine::mayBeToolkitOption(CommandLine::parse(style), style));
    const QStringList withCommand = {QStringLiteral("-style"), QStringLiteral("fusion"), QStringLiteral("--today")};
    QVERIFY(!CommandLine::mayBeToolkitOption(CommandLine::parse(withCommand), withCommand));
    const QStringList platform = {QStringLiteral("--platform=offscreen")};
    QVERIFY(CommandLine::mayBeToolkitOption(CommandLine::parse(platform), platform));
    for (const char *unknown : {"--bogus", "-bogus", "-"}) {
        const QStringList arguments = {QString::fromUtf8(unknown)};
        QVERIFY2(!CommandLine::mayBeToolkitOption(CommandLine::parse(arguments), arguments), unknown);
    }
    const QStringList fine = {QStringLiteral("--today")};
    QVERIFY(!CommandLine::mayBeToolkitOption(CommandLine::parse(fine), fine));
}

void TestCommandLine::printingCommands_data()
{
    QTest::addColumn<int>("protect");
    QTest::addColumn<QString>("command");
    QTest::newRow("today, plain") << int(kPlain) << QStringLiteral("--today");
    QTest::newRow("today, enciphered") << int(kStrongForm) << QStringLiteral("--today");
    QTest::newRow("today, old form") << int(kOldForm) << QStringLiteral("--today");
    QTest::newRow("upcoming, plain") << int(kPlain) << QStringLiteral("--upcoming");
    QTest::newRow("upcoming, enciphered") << int(kStrongForm) << QStringLiteral("--upcoming");
}

// The same lines from a plain folder and from an enciphered one, and not a byte written.
void TestCommandLine::printingCommands()
{
    QFETCH(int, protect);
    QFETCH(QString, command);
    QTemporaryDir dir;
    prepareFolder(dir.path(), sampleNotes(), protect);
    const auto before = snapshot(dir.path());

    const Outcome outcome =
        runProgram({QStringLiteral("--data-dir"), dir.path(), command}, (kPassPhrase + QLatin1Char('\n')).toUtf8());
    QCOMPARE(outcome.exitCode, 0);
    QVERIFY2(outcome.err.isEmpty(), outcome.err.constData());
    QVERIFY(!outcome.out.isEmpty());
    QCOMPARE(snapshot(dir.path()), before);

    QTemporaryDir plainDir;
    prepareFolder(plainDir.path(), sampleNotes(), kPlain);
    const Outcome plain = runProgram({QStringLiteral("--data-dir"), plainDir.path(), command});
    QCOMPARE(outputLines(outcome.out).size(), outputLines(plain.out).size());
}

void TestCommandLine::today_printsOneLinePerEventInUtf8()
{
    QTemporaryDir dir;
    prepareFolder(dir.path(), todayNotes(), kPlain);
    const Outcome outcome = runProgram({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--today")});
    QCOMPARE(outcome.exitCode, 0);
    // Deadline order; finished and private notes too; long texts cut; line breaks become blanks.
    QCOMPARE(outputLines(outcome.out),
             (QStringList{QStringLiteral("\u2022 Lunch with Ren\u00E9e"),
                          QStringLiteral("\u2022 A note whose text runs well..."),
                          QStringLiteral("\u2022 Evening \u20AC call"), QStringLiteral("\u2022 two  lines")}));
    QVERIFY(outcome.out.contains("Ren\xC3\xA9"
                                 "e"));
}

void TestCommandLine::upcoming_followsTheSavedSwitchesAndHorizon()
{
    QTemporaryDir dir;
    prepareFolder(dir.path(), sampleNotes(), kPlain);
    const Outcome outcome = runProgram({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--upcoming")});
    QCOMPARE(outcome.exitCode, 0);
    const QStringList lines = outputLines(outcome.out);
    // Private notes hidden by the saved switch, next week beyond the horizon of 1 day; the notes due
    // today (and, near midnight, tomorrow) come in deadline order.
    QVERIFY2(!lines.isEmpty(), outcome.out.constData());
    for (const QString &line : lines) {
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d+d \\d\\dh\\d\\dm  \\S")).match(line).hasMatch(),
                 qPrintable(line));
        QVERIFY(!line.contains(QStringLiteral("private")));
        QVERIFY(!line.contains(QStringLiteral("two")));
        QVERIFY(!line.contains(QStringLiteral("Next week")));
    }
    QVERIFY(lines.filter(QRegularExpression(QStringLiteral("^0d 0[23]h\\d\\dm  In three hours$"))).size() == 1);
}

void TestCommandLine::search_printsTheMatchingNotesUnderTheSavedSwitches()
{
    QTemporaryDir dir;
    prepareFolder(dir.path(), sampleNotes(), kPlain);
    // Accents and case ignored, every word required, private notes hidden by the saved switch.
    const Outcome outcome =
        runProgram({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--search"), QStringLiteral("RENEE lunch")});
    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(outputLines(outcome.out), QStringList{QStringLiteral("expired  Lunch with Ren\u00E9e")});
    const Outcome hidden =
        runProgram({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--search"), QStringLiteral("private")});
    QCOMPARE(hidden.exitCode, 0);
    QCOMPARE(hidden.out, QByteArray());
}

void TestCommandLine::exportCommands_data()
{
    QTest::addColumn<int>("protect");
    QTest::addColumn<QString>("command");
    QTest::newRow("csv, plain") << int(kPlain) << QStringLiteral("--export-csv");
    QTest::newRow("csv, enciphered") << int(kStrongForm) << QStringLiteral("--export-csv");
    QTest::newRow("notes, plain") << int(kPlain) << QStringLiteral("--export-notes");
    QTest::newRow("notes, enciphered") << int(kStrongForm) << QStringLiteral("--export-notes");
    QTest::newRow("notes, old form") << int(kOldForm) << QStringLiteral("--export-notes");
}

void TestCommandLine::exportCommands()
{
    QFETCH(int, protect);
    QFETCH(QString, command);
    QTemporaryDir dir;
    QTemporaryDir outDir;
    const NotesCollection notes = sampleNotes();
    prepareFolder(dir.path(), notes, protect);
    const auto before = snapshot(dir.path());
    const QString target = outDir.filePath(QStringLiteral("export.out"));
    writeAll(target, "an older export that is replaced");

    const Outcome outcome = runProgram({QStringLiteral("--data-dir"), dir.path(), command, target},
                                       (kPassPhrase + QLatin1Char('\n')).toUtf8());
    QCOMPARE(outcome.exitCode, 0);
    QVERIFY2(outcome.err.isEmpty(), outcome.err.constData());
    QVERIFY(outcome.out.isEmpty());
    QCOMPARE(snapshot(dir.path()), before);

    // The child runs under the same locale settings as this test.
    const QByteArray expected = command == QLatin1String("--export-csv")
                                    ? NotesCsv::csvData(notes, LocaleFormats::system())
                                    : NotesFile::notesData(notes);
    QCOMPARE(readAll(target), expected);
}

void TestCommandLine::wrongPassPhrase_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<QByteArray>("input");
    const QByteArray caseDiffers = (kPassPhrase.toLower() + QLatin1Char('\n')).toUtf8();
    QTest::newRow("today") << QStringList{QStringLiteral("--today")} << caseDiffers;
    QTest::newRow("upcoming") << QStringList{QStringLiteral("--upcoming")} << caseDiffers;
    QTest::newRow("csv") << QStringList{QStringLiteral("--export-csv"), QStringLiteral("x")} << caseDiffers;
    QTest::newRow("notes") << QStringList{QStringLiteral("--export-notes"), QStringLiteral("x")} << caseDiffers;
    QTest::newRow("nothing on standard input") << QStringList{QStringLiteral("--today")} << QByteArray();
    QTest::newRow("a megabyte without a line end")
        << QStringList{QStringLiteral("--today")} << QByteArray(1 << 20, 'x');
    QTest::newRow("right phrase on the second line")
        << QStringList{QStringLiteral("--today")} << ("\n" + kPassPhrase.toUtf8() + "\n");
}

void TestCommandLine::wrongPassPhrase()
{
    QFETCH(QStringList, command);
    QFETCH(QByteArray, input);
    QTemporaryDir dir;
    QTemporaryDir outDir;
    prepareFolder(dir.path(), sampleNotes(), kStrongForm);
    const auto before = snapshot(dir.path());
    if (command.size() == 2)
        command[1] = outDir.filePath(QStringLiteral("export.out"));

    const Outcome outcome = runProgram(QStringList{QStringLiteral("--data-dir"), dir.path()} + command, input);
    QCOMPARE(outcome.exitCode, 1);
    QCOMPARE(outcome.err, QByteArray("Wrong password!\n"));
    QVERIFY(outcome.out.isEmpty());
    QCOMPARE(snapshot(dir.path()), before);
    QVERIFY(QDir(outDir.path()).isEmpty());
}

void TestCommandLine::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--bogus")};
    QTest::newRow("unknown single-dash option") << QStringList{QStringLiteral("-bogus")};
    QTest::newRow("unknown single-dash option with a command")
        << QStringList{QStringLiteral("-x"), QStringLiteral("--today")};
    QTest::newRow("export without a file") << QStringList{QStringLiteral("--export-csv")};
    QTest::newRow("folder without a name") << QStringList{QStringLiteral("--today"), QStringLiteral("--data-dir")};
    QTest::newRow("two commands") << QStringList{QStringLiteral("--today"), QStringLiteral("--export-notes"),
                                                 QStringLiteral("x.xml")};
    QTest::newRow("stray argument") << QStringList{QStringLiteral("notes.txt")};
}

void TestCommandLine::usageErrors()
{
    QFETCH(QStringList, arguments);
    QTemporaryDir dir;
    prepareFolder(dir.path(), sampleNotes(), kPlain);
    const auto before = snapshot(dir.path());
    // No display is needed to be told the arguments are wrong.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(dir.path());
    process.start(QStringLiteral(MAREVO_EXECUTABLE), arguments);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 2);
    const QByteArray err = process.readAllStandardError();
    QVERIFY2(err.startsWith("marevo-notes: "), err.constData());
    QVERIFY(err.contains("Usage:"));
    QVERIFY(process.readAllStandardOutput().isEmpty());
    QCOMPARE(snapshot(dir.path()), before);
}

void TestCommandLine::helpAndVersion()
{
    const Outcome help = runProgram({QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    for (const char *option :
         {"--data-dir DIR", "--today", "--upcoming", "--export-csv FILE", "--export-notes FILE", "--export-ics FILE",
          "--import-ics FILE", "--search TEXT", "--help", "--version"})
        QVERIFY2(help.out.contains(option), option);
    const Outcome version = runProgram({QStringLiteral("--version")});
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out, QByteArray("marevo-notes 1.0.4.4\n"));
}

void TestCommandLine::runsBesideARunningOrganiser()
{
    QTemporaryDir dir;
    prepareFolder(dir.path(), todayNotes(), kPlain);
    SingleInstance organiser(dir.path() + QLatin1Char('/'));
    QVERIFY(organiser.acquire());
    organiser.listen();
    const auto before = snapshot(dir.path());
    const Outcome outcome = runProgram({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--today")});
    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(outputLines(outcome.out).size(), 4);
    QCOMPARE(snapshot(dir.path()), before);
}

void TestCommandLine::missingFolder_isNotCreated()
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("typo"));
    const Outcome outcome = runProgram({QStringLiteral("--data-dir"), missing, QStringLiteral("--today")});
    QCOMPARE(outcome.exitCode, 1);
    QVERIFY(outcome.err.contains("does not exist"));
    QVERIFY(!QFileInfo::exists(missing));
}

void TestCommandLine::missingDataFile_printsNothing()
{
    QTemporaryDir dir;
    const Outcome outcome = runProgram({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--today")});
    QCOMPARE(outcome.exitCode, 0);
    QVERIFY(outcome.out.isEmpty());
    QCOMPARE(outcome.err, QByteArray("Data file not found!\n"));
    QVERIFY(QDir(dir.path()).isEmpty());
}

void TestCommandLine::damagedDataFile_isReportedAndLeftInPlace()
{
    QTemporaryDir dir;
    writeAll(dir.filePath(QStringLiteral("data.txt")), "not a notes file");
    const auto before = snapshot(dir.path());
    const Outcome outcome = runProgram({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--upcoming")});
    QCOMPARE(outcome.exitCode, 1);
    QVERIFY2(outcome.err.startsWith("data.txt could not be read"), outcome.err.constData());
    QCOMPARE(snapshot(dir.path()), before); // not moved aside: that is the organiser's decision
}

void TestCommandLine::exportOverADataFile_isRefused_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("data.txt by another name") << QStringLiteral("/sub/../data.txt");
    QTest::newRow("the lock file") << QStringLiteral("/.marevo-notes.lock");
    QTest::newRow("a file kept aside") << QStringLiteral("/notepad.txt.unreadable-20261209-101112");
}

void TestCommandLine::exportOverADataFile_isRefused()
{
    QFETCH(QString, target);
    QTemporaryDir dir;
    prepareFolder(dir.path(), sampleNotes(), kStrongForm);
    const auto before = snapshot(dir.path());
    const Outcome outcome =
        runProgram({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--export-notes"), dir.path() + target},
                   (kPassPhrase + QLatin1Char('\n')).toUtf8());
    QCOMPARE(outcome.exitCode, 1);
    QVERIFY(outcome.err.contains("is a data file"));
    QCOMPARE(snapshot(dir.path()), before);
}

void TestCommandLine::exportToWhatIsNotAFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("named pipe: written into") << QStringLiteral("pipe") << 0;
    QTest::newRow("terminal: written into") << QStringLiteral("terminal") << 0;
    QTest::newRow("-: standard output") << QStringLiteral("-") << 0;
    QTest::newRow("/dev/stdout") << QStringLiteral("/dev/stdout") << 0;
    QTest::newRow("device: refused") << QStringLiteral("device") << 1;
}

void TestCommandLine::exportToWhatIsNotAFile()
{
    QFETCH(QString, kind);
    QFETCH(int, exitCode);
    QTemporaryDir dir;
    QTemporaryDir outDir;
    const NotesCollection notes = sampleNotes();
    prepareFolder(dir.path(), notes, kPlain);
    QString target = kind.startsWith(QLatin1Char('/')) || kind == QLatin1String("-") ? kind : outDir.filePath(kind);
    QProcess reader;
    int terminal = -1;
    int terminalSide = -1;
    if (kind == QLatin1String("pipe")) {
        QCOMPARE(mkfifo(QFile::encodeName(target).constData(), 0600), 0);
        reader.start(QStringLiteral("cat"), {target});
        QVERIFY(reader.waitForStarted());
    } else if (kind == QLatin1String("terminal")) {
        QCOMPARE(openpty(&terminal, &terminalSide, nullptr, nullptr, nullptr), 0);
        target = QFile::decodeName(ttyname(terminalSide));
        fcntl(terminal, F_SETFL, O_NONBLOCK);
    } else if (kind == QLatin1String("device") &&
               mknod(QFile::encodeName(target).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
        QSKIP("no right to make a device node here");
    }

    const Outcome outcome = runProgram(
        {QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--export-csv"), target}, {}, outDir.path());
    QCOMPARE(outcome.exitCode, exitCode);
    QCOMPARE(outcome.err.isEmpty(), exitCode == 0);
    QByteArray received = outcome.out;
    if (kind == QLatin1String("pipe")) {
        QVERIFY(reader.waitForFinished(10000));
        received = reader.readAllStandardOutput();
    } else if (kind == QLatin1String("terminal")) {
        received.resize(1 << 16);
        received.truncate(std::max<qsizetype>(0, read(terminal, received.data(), received.size())));
        close(terminal);
        close(terminalSide);
        received.replace("\r\r\n", "\r\n"); // the terminal's own line ends
    }
    QCOMPARE(received, exitCode == 0 ? NotesCsv::csvData(notes, LocaleFormats::system()) : QByteArray());
    // Nothing was put in place of what was there, and no file "-" appeared.
    QVERIFY(QDir(outDir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

void TestCommandLine::dataFileThatIsNotAFile_isReportedWithoutWaiting_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("data.txt") << QStringLiteral("data.txt") << 1;
    QTest::newRow("passwd.txt") << QStringLiteral("passwd.txt") << 1;
    QTest::newRow("settings.xml: the default settings apply") << QStringLiteral("settings.xml") << 0;
}

void TestCommandLine::dataFileThatIsNotAFile_isReportedWithoutWaiting()
{
    QFETCH(QString, name);
    QFETCH(int, exitCode);
    QTemporaryDir dir;
    prepareFolder(dir.path(), sampleNotes(), kPlain);
    const QString path = dir.filePath(name);
    QFile::remove(path);
    QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    const auto before = snapshot(dir.path());

    const Outcome outcome = runProgram({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--upcoming")});
    QCOMPARE(outcome.exitCode, exitCode);
    QVERIFY2(outcome.err.contains(name.toUtf8()), outcome.err.constData());
    QCOMPARE(snapshot(dir.path()), before);
    QVERIFY(QFileInfo::exists(path) && !QFileInfo(path).isFile()); // left in place: the organiser decides
}

QTEST_GUILESS_MAIN(TestCommandLine)
// Written to standard output from a protected folder, which stays as it was.
void TestCommandLine::calendarExport_readsAnEncipheredFolder()
{
    QTemporaryDir dir;
    prepareFolder(dir.path(), sampleNotes(), kStrongForm);
    const auto before = snapshot(dir.path());
    const Outcome outcome =
        runProgram({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--export-ics"), QStringLiteral("-")},
                   (kPassPhrase + QLatin1Char('\n')).toUtf8());
    QCOMPARE(outcome.exitCode, 0);
    QVERIFY(outcome.out.startsWith("BEGIN:VCALENDAR\r\n"));
    QCOMPARE(outcome.out.count("BEGIN:VTODO"), sampleNotes().size());
    QVERIFY(outcome.out.contains("SUMMARY:Hidden private\r\n"));
    QCOMPARE(snapshot(dir.path()), before);
}

// Without an organiser the command saves itself; the same file again updates, never duplicates.
void TestCommandLine::calendarImport_withoutOrganiser_savesTheNotes()
{
    QTemporaryDir dir;
    const QString calendar = QStringLiteral(MAREVO_TEST_DATA "/ical/thunderbird.ics");
    const QStringList arguments{QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--import-ics"), calendar};
    QCOMPARE(runProgram(arguments).out, QByteArray("2 notes added, 0 updated.\n"));
    QCOMPARE(runProgram(arguments).out, QByteArray("0 notes added, 2 updated.\n"));
    NotesCollection notes;
    DataFolder folder(dir.path() + QLatin1Char('/'));
    QCOMPARE(folder.loadNotes(&notes, QDateTime::currentDateTime()).outcome, DataFolder::Outcome::Loaded);
    QCOMPARE(notes.size(), 2);
    QCOMPARE(notes[1].uid, QStringLiteral("7b1e2d3c-0000-4000-8000-000000000001"));
    QVERIFY(!QFile::exists(dir.filePath(DataFolder::fileName(DataFolder::File::Lock))));

    const Outcome refused = runProgram({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--import-ics"),
                                        QStringLiteral(MAREVO_TEST_DATA "/ical/letter.txt")});
    QCOMPARE(refused.exitCode, 1);
    QCOMPARE(refused.err, QByteArray("The file is not an iCalendar (.ics) file. Nothing was imported.\n"));
}

// Two writers never share a folder: the running organiser gets the file's path and imports it.
void TestCommandLine::calendarImport_isHandedToTheRunningOrganiser()
{
    QTemporaryDir dir;
    SingleInstance organiser(dir.path() + QLatin1Char('/'));
    QVERIFY(organiser.acquire());
    organiser.listen();
    QSignalSpy requested(&organiser, &SingleInstance::importRequested);
    const Outcome outcome = runProgram(
        {QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--import-ics"), QStringLiteral("ical/google.ics")},
        {}, QStringLiteral(MAREVO_TEST_DATA));
    QCOMPARE(outcome.exitCode, 0);
    QTRY_COMPARE(requested.count(), 1);
    QCOMPARE(requested.first().first().toString(), QStringLiteral(MAREVO_TEST_DATA "/ical/google.ics"));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("data.txt"))));
}

#include "tst_commandline.moc"
