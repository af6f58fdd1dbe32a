#pragma once

#include <QString>
#include <QStringList>

// The program's command line: start the organiser, or print or export and leave.
namespace CommandLine {

enum class Command
{
    RunOrganiser,
    Today,
    Upcoming,
    ExportCsv,
    ExportNotes,
    ExportIcs,
    ImportIcs,
    Sync,
    Search,
    AddNote,    // act on the running organiser
    Show,
    TodayPopup,
    Help,
    Version
};

struct Options
{
    Command command = Command::RunOrganiser;
    QString dataDir;  // empty: the usual data folder
    QString file;     // the export's target
    QString text;     // what --search looks for
    QString error;    // not empty: the arguments are not understood
    QString rejected; // the argument that was not understood
};

// `arguments` without the program's name.
Options parse(const QStringList &arguments);

// Whether the command runs without windows (everything but starting the organiser).
bool runsWithoutWindows(const Options &options);
// The rejected argument is one of the windowing toolkit's own options ("-style", "-platform")
// and no command was asked for: the organiser's start checks again once the toolkit has
// removed its options.
bool mayBeToolkitOption(const Options &options, const QStringList &arguments);

QString usage();
QString version(); // "marevo-notes " and the version

} // namespace CommandLine
