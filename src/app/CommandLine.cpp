#include "CommandLine.h"

#include "core/Version.h"

#include <QStringBuilder>

namespace CommandLine {

namespace {

struct CommandName
{
    const char *name;
    Command command;
    bool takesFile;
};

constexpr CommandName kCommands[] = {
    {"--today", Command::Today, false},         {"--upcoming", Command::Upcoming, false},
    {"--export-csv", Command::ExportCsv, true}, {"--export-notes", Command::ExportNotes, true},
    {"--export-ics", Command::ExportIcs, true}, {"--import-ics", Command::ImportIcs, true},
    {"--sync", Command::Sync, false},
    {"--search", Command::Search, true},        {"--add-note", Command::AddNote, false},
    {"--show", Command::Show, false},           {"--today-popup", Command::TodayPopup, false},
    {"--help", Command::Help, false},           {"--version", Command::Version, false},
};

const CommandName *findCommand(QStringView name)
{
    for (const CommandName &command : kCommands)
        if (name == QLatin1String(command.name))
            return &command;
    return nullptr;
}

Options rejected(Options options, const QString &argument, const QString &error)
{
    options.error = error;
    options.rejected = argument;
    return options;
}

} // namespace

Options parse(const QStringList &arguments)
{
    Options options;
    bool commandGiven = false;
    bool dataDirGiven = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        // "--name=value" or "--name value".
        const qsizetype equals = argument.startsWith(QLatin1String("--")) ? argument.indexOf(QLatin1Char('=')) : -1;
        const QString name = equals < 0 ? argument : argument.left(equals);
        const CommandName *command = findCommand(name);
        const bool isDataDir = name == QLatin1String("--data-dir");
        if (!command && !isDataDir) {
            if (argument.startsWith(QLatin1Char('-')))
                return rejected(options, argument, QStringLiteral("unknown option '%1'").arg(name));
            return rejected(options, argument, QStringLiteral("unexpected argument '%1'").arg(argument));
        }
        const bool takesValue = isDataDir || command->takesFile;
        QString value;
        if (takesValue) {
            if (equals >= 0) {
                value = argument.mid(equals + 1);
            } else if (i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1String("--"))) {
                value = arguments[++i];
            }
            if (value.isEmpty())
                return rejected(options, argument,
                                QStringLiteral("option '%1' needs %2")
                                    .arg(name, isDataDir                           ? QStringLiteral("a folder")
                                               : command->command == Command::Search ? QStringLiteral("a text")
                                                                                     : QStringLiteral("a file name")));
        } else if (equals >= 0) {
            return rejected(options, argument, QStringLiteral("option '%1' takes no value").arg(name));
        }

        if (isDataDir) {
            if (dataDirGiven)
                return rejected(options, argument, QStringLiteral("option '--data-dir' given twice"));
            dataDirGiven = true;
            options.dataDir = value;
            continue;
        }
        if (commandGiven)
            return rejected(options, argument, QStringLiteral("one command at a time ('%1')").arg(name));
        commandGiven = true;
        options.command = command->command;
        (options.command == Command::Search ? options.text : options.file) = value;
    }
    return options;
}

bool runsWithoutWindows(const Options &options)
{
    return !options.error.isEmpty() || options.command != Command::RunOrganiser;
}

bool mayBeToolkitOption(const Options &options, const QStringList &arguments)
{
    // Options the windowing toolkit takes out of the command line itself.
    static const QStringList toolkitOptions = {QStringLiteral("platform"),
                                               QStringLiteral("platformpluginpath"),
                                               QStringLiteral("platformtheme"),
                                               QStringLiteral("plugin"),
                                               QStringLiteral("qwindowgeometry"),
                                               QStringLiteral("qwindowicon"),
                                               QStringLiteral("qwindowtitle"),
                                               QStringLiteral("reverse"),
                                               QStringLiteral("session"),
                                               QStringLiteral("style"),
                                               QStringLiteral("stylesheet"),
                                               QStringLiteral("widgetcount"),
                                               QStringLiteral("display"),
                                               QStringLiteral("geometry"),
                                               QStringLiteral("name"),
                                               QStringLiteral("title"),
                                               QStringLiteral("visual"),
                                               QStringLiteral("ncols"),
                                               QStringLiteral("cmap"),
                                               QStringLiteral("nograb"),
                                               QStringLiteral("dograb"),
                                               QStringLiteral("qmljsdebugger")};
    if (options.error.isEmpty() || !options.rejected.startsWith(QLatin1Char('-')))
        return false;
    QString name = options.rejected.mid(options.rejected.startsWith(QLatin1String("--")) ? 2 : 1);
    name.truncate(name.indexOf(QLatin1Char('=')) < 0 ? name.size() : name.indexOf(QLatin1Char('=')));
    if (!toolkitOptions.contains(name))
        return false;
    // A command anywhere means no window is wanted: report the error instead.
    for (const QString &argument : arguments)
        if (findCommand(QStringView(argument).left(argument.indexOf(QLatin1Char('=')))))
            return false;
    return true;
}

QString usage()
{
    return QStringLiteral(
        "Usage:\n"
        "  marevo-notes [--data-dir DIR]                      start the organiser\n"
        "  marevo-notes [--data-dir DIR] --today              print today's events\n"
        "  marevo-notes [--data-dir DIR] --upcoming           print the upcoming events, one line each\n"
        "  marevo-notes [--data-dir DIR] --export-csv FILE    write the notes as semicolon-separated values\n"
        "  marevo-notes [--data-dir DIR] --export-notes FILE  write the notes as an XML notes file\n"
        "  marevo-notes [--data-dir DIR] --export-ics FILE    write the notes as an iCalendar file\n"
        "  marevo-notes [--data-dir DIR] --import-ics FILE    add or update notes from an iCalendar file\n"
        "  marevo-notes [--data-dir DIR] --sync               sync the notes with the calendar server once\n"
        "  marevo-notes [--data-dir DIR] --search TEXT        print the notes holding every word of TEXT\n"
        "  marevo-notes [--data-dir DIR] --add-note           open the running organiser's note editor\n"
        "  marevo-notes [--data-dir DIR] --show               show the running organiser's window\n"
        "  marevo-notes [--data-dir DIR] --today-popup        show the running organiser's today's events\n"
        "  marevo-notes --help | --version\n"
        "\n"
        "An export FILE of - is standard output; a named pipe or a terminal is written into.\n"
        "The printing and export commands only read the data files, also while the organiser runs.\n"
        "--import-ics hands the file to the organiser when it runs on the folder, otherwise it\n"
        "imports and saves the notes itself; --sync likewise. --sync ends with 0 when the notes and the\n"
        "server are in step, otherwise with 1 and the reason.\n"
        "When the data are protected, the password is read from the terminal, or as one line from\n"
        "standard input.\n"
        "--add-note, --show and --today-popup are meant for the desktop's own keyboard shortcuts where\n"
        "the organiser's hot keys do not work.\n");
}

QString version()
{
    return QStringLiteral("marevo-notes " MAREVO_VERSION);
}

} // namespace CommandLine
