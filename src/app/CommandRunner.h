#pragma once

#include "CommandLine.h"

#include <QByteArray>
#include <QString>

#include <functional>

// Runs the printing and export commands: reads the data files, never writes them, and needs
// no windows, so it works beside a running organiser.
namespace CommandRunner {

struct Environment
{
    QString executableDir;
    // Asked only when the data are protected; the typed line without its line end.
    std::function<QString()> readPassPhrase;
    std::function<void(const QByteArray &)> writeOut;
    std::function<void(const QByteArray &)> writeErr;
};

// The exit code: 0 done, 1 the command failed (wrong password, unreadable data, export not
// written), 2 the arguments were not understood.
int run(const CommandLine::Options &options, const Environment &environment);

// From the terminal without echo, or one line of standard input when it is not a terminal.
QString readPassPhraseFromStdin();

} // namespace CommandRunner
