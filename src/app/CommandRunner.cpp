#include "CommandRunner.h"
#include "SingleInstance.h"

#include "SingleInstance.h"

#include "core/AppDir.h"
#include "core/Clock.h"
#include "core/ExportFile.h"
#include "core/KeyValueXmlFile.h"
#include "core/LocaleFormats.h"
#include "ical/IcsExport.h"
#include "ical/IcsImport.h"
#include "notes/NoteIdentity.h"
#include "notes/NotesBackup.h"
#include "notes/NotesCsv.h"
#include "notes/NotesFile.h"
#include "notes/NotesList.h"
#include "reminders/TodayEvents.h"
#include "reminders/UpcomingEvents.h"
#include "settings/Settings.h"
#include "storage/DataFolder.h"
#include "sync/NoteSync.h"
#include "sync/PasswordStore.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QStringBuilder>

#include <csignal>
#include <cstdio>
#include <functional>
#include <optional>

#include <termios.h>
#include <unistd.h>

namespace CommandRunner {

namespace {

using CommandLine::Command;

class Run
{
public:
    Run(const CommandLine::Options &options, const Environment &environment) : m_options(options), m_env(environment) {}

    int exec()
    {
        if (!m_options.error.isEmpty()) {
            error(QStringLiteral("marevo-notes: ") % m_options.error);
            m_env.writeErr(CommandLine::usage().toUtf8());
            return 2;
        }
        switch (m_options.command) {
        case Command::Help:
            m_env.writeOut(CommandLine::usage().toUtf8());
            return 0;
        case Command::Version:
            m_env.writeOut((CommandLine::version() % QLatin1Char('\n')).toUtf8());
            return 0;
        case Command::RunOrganiser:
            return 2; // not a command of its own
        case Command::AddNote:
            return askRunning(SingleInstance::Request::AddNote);
        case Command::Show:
            return askRunning(SingleInstance::Request::Show);
        case Command::TodayPopup:
            return askRunning(SingleInstance::Request::TodayPopup);
        default:
            break;
        }
        if (m_options.command == Command::ImportIcs)
            return importIcs();
        if (m_options.command == Command::Sync)
            return syncNow();
        if (!openFolder() || !unlock() || !readNotes())
            return 1;
        switch (m_options.command) {
        case Command::Today:
            return printToday();
        case Command::Upcoming:
            return printUpcoming();
        case Command::ExportCsv:
            return exportCsv();
        case Command::ExportNotes:
            return exportNotes();
        case Command::ExportIcs:
            return exportIcs();
        case Command::Search:
            return printSearch();
        default:
            return 2;
        }
    }

private:
    void error(const QString &text) { m_env.writeErr((text % QLatin1Char('\n')).toUtf8()); }
    void print(const QString &line) { m_env.writeOut((line % QLatin1Char('\n')).toUtf8()); }

    int askRunning(SingleInstance::Request request)
    {
        if (!openFolder())
            return 1;
        if (SingleInstance(m_folder->appDir()).notifyRunning(request))
            return 0;
        error(QStringLiteral("Marevo Notes is not running for the data folder \"%1\".").arg(m_folder->appDir()));
        return 1;
    }

    bool openFolder(DataFolder::Access access = DataFolder::Access::ReadOnly)
    {
        // A mistyped folder must not turn into a new, empty one.
        if (!m_options.dataDir.isEmpty() && !QFileInfo(m_options.dataDir).isDir()) {
            error(QStringLiteral("The data folder \"%1\" does not exist.").arg(m_options.dataDir));
            return false;
        }
        QString why;
        const QString appDir = AppDir::resolve(m_options.dataDir, m_env.executableDir, &why);
        if (appDir.isEmpty()) {
            error(why);
            return false;
        }
        m_appDir = appDir;
        // Read-only beside a running organiser: no lock taken, nothing written.
        m_folder.emplace(appDir, access);
        return true;
    }

    bool unlock()
    {
        if (!m_folder->isProtected())
            return true;
        const Protection::TUnlock unlock = m_folder->unlock(m_env.readPassPhrase());
        if (unlock.verdict != Protection::Verdict::Correct) {
            error(unlock.message);
            return false;
        }
        return true;
    }

    bool readNotes()
    {
        const DataFolder::LoadResult result = m_folder->loadNotes(&m_notes, Clock::now());
        if (result.outcome == DataFolder::Outcome::Missing) {
            error(QStringLiteral("Data file not found!"));
            return true;
        }
        if (result.outcome == DataFolder::Outcome::Unreadable)
            error(DataFolder::fileName(DataFolder::File::Notes) % QStringLiteral(" could not be read: ") %
                  result.error);
        return result.outcome == DataFolder::Outcome::Loaded;
    }

    Settings readSettings()
    {
        Settings settings;
        TKeyValueXmlFile store;
        const DataFolder::LoadResult result = m_folder->loadSettings(store, &settings, Clock::now());
        if (result.outcome == DataFolder::Outcome::Unreadable)
            error(DataFolder::fileName(DataFolder::File::Settings) %
                  QStringLiteral(" could not be read, the default settings apply: ") % result.error);
        return settings;
    }

    int printToday()
    {
        // The balloon keeps a note's line breaks; a terminal line cannot.
        for (const QString &line : TodayEvents::lines(m_notes, Clock::nowValue()))
            print(singleLineText(line));
        return 0;
    }

    int printUpcoming()
    {
        const Settings settings = readSettings();
        const NotesFilter filter{settings.SwitchState1, settings.SwitchState2};
        for (const UpcomingEvent &event :
             upcomingEvents(m_notes, filter, settings.UpcomingEventsTime, Clock::nowValue()))
            print(wallpaperLine(event));
        return 0;
    }

    // The notes the window would list for this search under its switches, in its order.
    int printSearch()
    {
        const Settings settings = readSettings();
        const NotesFilter filter{settings.SwitchState1, settings.SwitchState2, SearchQuery(m_options.text)};
        for (const NoteRow &row : notesListRows(m_notes, filter, Clock::nowValue()))
            print(wallpaperLine({row.position, row.icon, row.note, row.left}));
        return 0;
    }

    int finishExport(const IoResult &result)
    {
        if (!result) {
            error(result.error);
            return 1;
        }
        return 0;
    }

    bool toStandardOutput() const { return m_options.file == QLatin1String("-"); }

    bool refuseTarget()
    {
        if (toStandardOutput())
            return false;
        const IoResult allowed = m_folder->checkExportTarget(m_options.file);
        if (!allowed)
            error(allowed.error);
        return !allowed;
    }

    // A named pipe without a reader is waited for, as a shell's redirection waits.
    int exportCsv()
    {
        if (refuseTarget())
            return 1;
        if (toStandardOutput()) {
            m_env.writeOut(NotesCsv::csvData(m_notes, LocaleFormats::system()));
            return 0;
        }
        return finishExport(
            NotesCsv::ExportDataToCSV(m_options.file, m_notes, LocaleFormats::system(), ExportFile::NoReader::Wait));
    }

    int exportNotes()
    {
        if (refuseTarget())
            return 1;
        if (toStandardOutput()) {
            m_env.writeOut(NotesFile::notesData(m_notes));
            return 0;
        }
        return finishExport(NotesBackup::writeNotesFile(m_options.file, m_notes, ExportFile::NoReader::Wait));
    }

    int exportIcs()
    {
        if (refuseTarget())
            return 1;
        const Settings settings = readSettings();
        const QByteArray calendar =
            IcsExport::exportNotes(m_notes, {Clock::nowValue(), settings.ShowAlerts, settings.AlertsTime});
        if (toStandardOutput()) {
            m_env.writeOut(calendar);
            return 0;
        }
        return finishExport(ExportFile::write(m_options.file, calendar, ExportFile::NoReader::Wait));
    }

    // Changes to the folder are made by whoever holds its lock: this process, or the running organiser
    // asked through `handOver`. The exit code when the work went elsewhere or nobody answered.
    std::optional<int> holdOrHandOver(SingleInstance &instance, const std::function<bool()> &handOver,
                                      const QString &handedOver)
    {
        if (instance.acquire())
            return std::nullopt;
        if (handOver()) {
            print(handedOver);
            return 0;
        }
        error(QStringLiteral("The data folder is in use, and its organiser does not answer."));
        return 1;
    }

    // A running organiser on the folder imports the file itself, so that two writers never share
    // the folder; otherwise this process takes the folder's lock, imports and saves the notes.
    int importIcs()
    {
        const QString calendarFile = QFileInfo(m_options.file).absoluteFilePath();
        QFile file(calendarFile);
        if (m_options.file == QLatin1String("-") || !file.open(QIODevice::ReadOnly)) {
            error(QStringLiteral("Cannot read the calendar file \"%1\".").arg(m_options.file));
            return 1;
        }
        const QByteArray data = file.readAll();
        if (!openFolder(DataFolder::Access::ReadWrite))
            return 1;
        SingleInstance instance(m_appDir);
        if (const std::optional<int> handed = holdOrHandOver(
                instance, [&] { return instance.requestImport(calendarFile); },
                QStringLiteral("The running organiser imports \"%1\".").arg(QDir::toNativeSeparators(calendarFile))))
            return *handed;
        // A new folder has no data.txt yet, and needs none.
        const bool hasNotes = QFileInfo::exists(m_folder->path(DataFolder::File::Notes));
        if (!unlock() || (hasNotes && !readNotes()))
            return 1;
        const IcsImport::Result read = IcsImport::parse(data, Clock::nowValue());
        if (!read.isCalendar) {
            error(IcsImport::notCalendarMessage());
            return 1;
        }
        const IcsImport::Merged merged = IcsImport::merge(m_notes, read.notes);
        NoteIdentity::assignMissing(m_notes);
        if (const IoResult saved = m_folder->saveNotes(m_notes); !saved) {
            error(saved.error);
            return 1;
        }
        print(QStringLiteral("%1 notes added, %2 updated.").arg(merged.added).arg(merged.updated));
        if (const QString skipped = IcsImport::skippedMessage(read); !skipped.isEmpty())
            error(skipped);
        return 0;
    }

    // Like --import-ics: a running organiser syncs itself; otherwise this process holds the folder's
    // lock, syncs, and saves the notes and then the sync state.
    int syncNow()
    {
        if (!openFolder(DataFolder::Access::ReadWrite))
            return 1;
        SingleInstance instance(m_appDir);
        if (const std::optional<int> handed = holdOrHandOver(
                instance, [&] { return instance.notifyRunning(SingleInstance::Request::Sync); },
                QStringLiteral("The running organiser syncs with the server.")))
            return *handed;
        const bool hasNotes = QFileInfo::exists(m_folder->path(DataFolder::File::Notes));
        if (!unlock() || (hasNotes && !readNotes()))
            return 1;
        const Settings settings = readSettings();
        SyncAccount account;
        // The password is filed under the server as the user typed it.
        m_settingsServer = settings.SyncServer;
        account.server = QUrl::fromUserInput(settings.SyncServer);
        account.user = settings.SyncUser;
        account.calendar = account.server.resolved(QUrl(settings.SyncCalendar));
        account.trustedCertificateSha256 = QByteArray::fromHex(settings.SyncTrustedCertificate.toLatin1());
        if (settings.SyncServer.isEmpty() || settings.SyncCalendar.isEmpty()) {
            error(QStringLiteral("Sync is not set up: choose a server and a task list on the \"Sync\" page of the "
                                 "settings."));
            return 1;
        }
        if (!account.user.isEmpty() && !readSyncPassword(account))
            return 1;
        SyncState state;
        const DataFolder::LoadResult loaded = m_folder->loadSyncState(
            [&](const QByteArray &plain) { return SyncStateFile::parse(plain, &state); }, Clock::now());
        if (loaded.outcome == DataFolder::Outcome::Unreadable)
            error(loaded.error); // set aside: the next sync matches the server's items by UID
        NoteSync sync;
        sync.setAlerts(settings.ShowAlerts, settings.AlertsTime);
        SyncOutcome outcome;
        // A sync that merged or met a change made meanwhile leaves something to send: a second one sends it.
        for (int round = 0; round < 3 && !outcome.inStep; ++round) {
            QEventLoop loop;
            QObject::connect(&sync, &NoteSync::finished, &loop, [&](const SyncOutcome &result) {
                outcome = result;
                loop.quit();
            });
            sync.start(account, m_notes, state);
            loop.exec();
            const bool changed = applySyncOutcome(m_notes, state, outcome);
            if (changed) {
                if (const IoResult saved = m_folder->saveNotes(m_notes); !saved) {
                    error(saved.error);
                    return 1;
                }
            }
            if (const IoResult saved = m_folder->saveSyncState(SyncStateFile::data(state)); !saved) {
                error(saved.error);
                return 1;
            }
            if (!outcome.ok)
                break;
        }
        if (!outcome.inStep) {
            error(outcome.message.isEmpty() ? QStringLiteral("The server changed during the sync; run it again.")
                                            : outcome.message);
            return 1;
        }
        print(QStringLiteral("In step with the server: %1 sent, %2 received, %3 conflict copies.")
                  .arg(outcome.sent)
                  .arg(outcome.received)
                  .arg(outcome.conflicts));
        return 0;
    }

    bool readSyncPassword(SyncAccount &account)
    {
        PasswordStore store;
        PasswordStore::Result result;
        QEventLoop loop;
        QObject::connect(&store, &PasswordStore::finished, &loop, [&](const PasswordStore::Result &answer) {
            result = answer;
            loop.quit();
        });
        store.read(m_settingsServer, account.user);
        loop.exec();
        if (result.status != PasswordStore::Status::Done) {
            error(QStringLiteral("No password is kept for %1 on %2: enter it on the \"Sync\" page of the settings.")
                      .arg(account.user, account.server.host()));
            return false;
        }
        account.password = result.password;
        return true;
    }

    const CommandLine::Options &m_options;
    const Environment &m_env;
    QString m_appDir;
    QString m_settingsServer;
    std::optional<DataFolder> m_folder;
    NotesCollection m_notes;
};

// The terminal's settings while echo is off, restored also when the prompt is interrupted.
termios g_savedTerminal;
volatile std::sig_atomic_t g_echoOff = 0;

extern "C" void restoreTerminalAndLeave(int signal)
{
    if (g_echoOff)
        tcsetattr(STDIN_FILENO, TCSANOW, &g_savedTerminal);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// One line, at most 64 KiB of it: no pass phrase is longer, and endless input must not fill memory.
QByteArray readLine(std::FILE *stream)
{
    constexpr qsizetype kLimit = 64 * 1024;
    QByteArray line;
    for (int c = std::fgetc(stream); c != EOF && c != '\n' && line.size() < kLimit; c = std::fgetc(stream))
        line.append(static_cast<char>(c));
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

} // namespace

int run(const CommandLine::Options &options, const Environment &environment)
{
    return Run(options, environment).exec();
}

QString readPassPhraseFromStdin()
{
    if (!isatty(STDIN_FILENO))
        return QString::fromUtf8(readLine(stdin));

    std::fputs("Password: ", stderr);
    std::fflush(stderr);
    termios silent;
    const bool canSilence = tcgetattr(STDIN_FILENO, &g_savedTerminal) == 0;
    if (canSilence) {
        silent = g_savedTerminal;
        silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        silent.c_lflag |= ECHONL;
        std::signal(SIGINT, restoreTerminalAndLeave);
        std::signal(SIGTERM, restoreTerminalAndLeave);
        std::signal(SIGHUP, restoreTerminalAndLeave);
        g_echoOff = tcsetattr(STDIN_FILENO, TCSANOW, &silent) == 0;
    }
    const QByteArray line = readLine(stdin);
    if (g_echoOff) {
        tcsetattr(STDIN_FILENO, TCSANOW, &g_savedTerminal);
        g_echoOff = 0;
    }
    if (canSilence) {
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
        std::signal(SIGHUP, SIG_DFL);
    }
    return QString::fromUtf8(line);
}

} // namespace CommandRunner
