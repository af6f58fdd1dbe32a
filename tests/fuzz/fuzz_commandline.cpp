// The command line: arguments separated by zero bytes.
#include "FuzzInput.h"

#include "app/CommandLine.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QStringList arguments;
    for (const QByteArray &argument : fuzzInput(data, size).split('\0'))
        arguments << QString::fromUtf8(argument);
    const CommandLine::Options options = CommandLine::parse(arguments);
    const bool exports =
        options.command == CommandLine::Command::ExportCsv || options.command == CommandLine::Command::ExportNotes;
    if (options.error.isEmpty()) {
        // An accepted export always knows where to write.
        FUZZ_REQUIRE(!exports || !options.file.isEmpty());
    }
    // The same arguments always mean the same.
    const CommandLine::Options again = CommandLine::parse(arguments);
    FUZZ_REQUIRE(again.command == options.command && again.file == options.file && again.error == options.error);
    return 0;
}
