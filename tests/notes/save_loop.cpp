// Saves data.txt and notepad.txt over and over, alternating two known states,
// until it is killed. The crash-safety test kills it at random moments.
#include "core/DataFile.h"
#include "notes/NotesFile.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString dir = app.arguments().value(1);
    TKeyValueXmlFile store;
    for (int round = 0;; ++round) {
        const int state = round % 2;
        NotesCollection notes;
        // Large enough that a write takes many system calls.
        for (int i = 0; i < 400; ++i)
            notes.append(TNotesData{3, quint8(state * 50), false, -1, QStringLiteral("state %1 note %2").arg(state).arg(i),
                                    QString(), 0});
        if (!DataFile::save(dir + QStringLiteral("/data.txt"), NotesFile::notesData(store, notes), nullptr))
            return 1;
        if (!DataFile::save(dir + QStringLiteral("/notepad.txt"),
                            NotesFile::notepadData({QStringLiteral("state %1").arg(state)}), nullptr))
            return 1;
        if (round == 1) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}
