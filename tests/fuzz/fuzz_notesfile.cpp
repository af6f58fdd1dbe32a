// data.txt as it arrives from the disk.
#include "FuzzInput.h"

#include "notes/NotesFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TKeyValueXmlFile store;
    NotesCollection notes;
    if (!NotesFile::parseNotes(fuzzInput(data, size), store, &notes))
        return 0;
    // The notes read must survive the next save and start.
    const QByteArray saved = NotesFile::notesData(notes);
    TKeyValueXmlFile loadStore;
    NotesCollection again;
    FUZZ_REQUIRE(NotesFile::parseNotes(saved, loadStore, &again).ok);
    FUZZ_REQUIRE(loadStore.SaveToData() == saved); // the streamed file is what the store writes
    FUZZ_REQUIRE(again.size() == notes.size());
    for (qsizetype i = 0; i < notes.size(); ++i) {
        FUZZ_REQUIRE(again[i].Text == notes[i].Text);
        FUZZ_REQUIRE(again[i].Location == notes[i].Location);
        FUZZ_REQUIRE(again[i].Progress == notes[i].Progress);
        FUZZ_REQUIRE(again[i].Importance == notes[i].Importance);
    }
    return 0;
}
