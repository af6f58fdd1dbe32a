#include "CommandRunner.h"

#include "core/AppDir.h"
#include "core/Clock.h"
#include "core/DataFile.h"
#include "core/ExportFile.h"
#include "core/KeyValueXmlFile.h"
#include "core/LocaleFormats.h"
#include "notes/NotesBackup.h"
#include "notes/NotesCsv.h"
#include "notes/NotesFile.h"
#include "notes/NotesList.h"
#include "protection/Protection.h"
#include "reminders/TodayEvents.h"
#include "reminders/UpcomingEvents.h"
#include "settings/SettingsFile.h"

#include <QFileInfo>
#include <QStringBuilder>

#include <csignal>
#include <cstdio>
#include <memory>

#include <termios.h>
#include <unistd.h>

namespace CommandRunner {

namespace {

using CommandLine::Command;

// What a command reads: the folder, the pass phrase's codec and the notes.
struct DataFolder
{
    QString appDir;
    std::unique_ptr<DataFileCodec> codec;
    NotesCollection notes;
};

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
        default:
            break;
        }
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
        default:
            return 2;
        }
    }

private:
    void error(const QString &text) { m_env.writeErr((text % QLatin1Char('\n')).toUtf8()); }
    void print(const QString &line) { m_env.writeOut((line % QLatin1Char('\n')).toUtf8()); }
    QString dataPath(const QString &name) const { return m_folder.appDir + name; }

    bool openFolder()
    {
        // A mistyped folder must not turn into a new, empty one.
        if (!m_options.dataDir.isEmpty() && !QFileInfo(m_options.dataDir).isDir()) {
            error(QStringLiteral("The data folder \"%1\" does not exist.").arg(m_options.dataDir));
            return false;
        }
        QString why;
        m_folder.appDir = AppDir::resolve(m_options.dataDir, m_env.executableDir, &why);
        if (m_folder.appDir.isEmpty()) {
            error(why);
            return false;
        }
        return true;
    }

    bool unlock()
    {
        if (!Protection::isProtected(m_folder.appDir))
            return true;
        const Protection::TUnlock unlock =
            Protection::verifyPassPhraseFile(Protection::passwordFilePath(m_folder.appDir), m_env.readPassPhrase());
        if (unlock.verdict != Protection::Verdict::Correct) {
            error(unlock.message);
            return false;
        }
        m_folder.codec = Protection::codecFor(m_folder.appDir, unlock.passPhrase);
        return true;
    }

    bool readNotes()
    {
        const QString path = dataPath(QStringLiteral("data.txt"));
        if (!QFileInfo::exists(path)) {
            error(QStringLiteral("Data file not found!"));
            return true;
        }
        // Read as the organiser reads, but a damaged file is only reported, never moved aside.
        const IoResult result = DataFile::read(path, m_folder.codec.get(), [this](const QByteArray &plain) {
            return NotesFile::parseNotes(plain, &m_folder.notes);
        });
        if (!result)
            error(QStringLiteral("data.txt could not be read: ") % result.error);
        return result.ok;
    }

    Settings readSettings()
    {
        Settings settings;
        const QString path = dataPath(QStringLiteral("settings.xml"));
        if (!QFileInfo::exists(path))
            return settings;
        TKeyValueXmlFile store;
        const IoResult result = DataFile::read(path, nullptr, [&](const QByteArray &plain) { // never enciphered
            return SettingsFile::parseSettings(plain, store, &settings);
        });
        if (!result)
            error(QStringLiteral("settings.xml could not be read, the default settings apply: ") % result.error);
        return settings;
    }

    int printToday()
    {
        // The balloon keeps a note's line breaks; a terminal line cannot.
        for (const QString &line : TodayEvents::lines(m_folder.notes, Clock::nowValue()))
            print(singleLineText(line));
        return 0;
    }

    int printUpcoming()
    {
        const Settings settings = readSettings();
        const NotesFilter filter{settings.SwitchState1, settings.SwitchState2};
        for (const UpcomingEvent &event :
             upcomingEvents(m_folder.notes, filter, settings.UpcomingEventsTime, Clock::nowValue()))
            print(wallpaperLine(event));
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
        const IoResult allowed = ExportFile::check(m_options.file, m_folder.appDir);
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
            m_env.writeOut(NotesCsv::csvData(m_folder.notes, LocaleFormats::system()));
            return 0;
        }
        return finishExport(NotesCsv::ExportDataToCSV(m_options.file, m_folder.notes, LocaleFormats::system(),
                                                      ExportFile::NoReader::Wait));
    }

    int exportNotes()
    {
        if (refuseTarget())
            return 1;
        if (toStandardOutput()) {
            m_env.writeOut(NotesFile::notesData(m_folder.notes));
            return 0;
        }
        return finishExport(NotesBackup::writeNotesFile(m_options.file, m_folder.notes, ExportFile::NoReader::Wait));
    }

    const CommandLine::Options &m_options;
    const Environment &m_env;
    DataFolder m_folder;
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
