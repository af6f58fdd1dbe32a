// Loads the data files, turns them into the other of two known states and saves
// them, over and over, until it is killed. The crash-safety test kills it at
// random moments. With --enciphered the three data files go through the pass
// phrase cipher; settings.xml is always plain.
//   notes_save_loop <dir> [--enciphered]
#include "SaveLoopStates.h"

#include "core/DataFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QStringList>

#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString dir = app.arguments().value(1);
    std::unique_ptr<PassPhraseCodec> codec;
    if (app.arguments().contains(QStringLiteral("--enciphered")))
        codec = std::make_unique<PassPhraseCodec>(SaveLoop::passPhrase());
    const QDateTime now = QDateTime::currentDateTime();

    for (int round = 0;; ++round) {
        // Whatever the last save left must load; the next state is the other one.
        int state = 1;
        NotesCollection notes;
        const DataFile::LoadResult loaded = DataFile::load(
            dir + QStringLiteral("/data.txt"), codec.get(),
            [&](const QByteArray &plain) { return NotesFile::parseNotes(plain, &notes); }, now);
        if (loaded.outcome == DataFile::Outcome::KeptAside) {
            std::fprintf(stderr, "%s\n", qPrintable(loaded.message));
            return 2;
        }
        if (loaded.outcome == DataFile::Outcome::Loaded)
            state = SaveLoop::notesState(notes);
        if (state < 0)
            return 3;
        state = 1 - state;

        for (const SaveLoop::File &file : SaveLoop::files()) {
            const DataFileCodec *fileCodec = file.enciphered ? codec.get() : nullptr;
            if (!DataFile::save(dir + QLatin1Char('/') + file.name, file.write(state), fileCodec))
                return 1;
        }
        if (round == 0) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}
