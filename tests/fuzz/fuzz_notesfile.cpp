// data.txt as it arrives from the disk.
#include "FuzzInput.h"

#include "../notes/NotesStoreReader.h"
#include "core/KeyValueXmlFile.h"
#include "core/KeyValueXmlScan.h"
#include "notes/NotesFile.h"

#include <cstring>

namespace {

bool sameNote(const TNotesData &a, const TNotesData &b)
{
    // Bit for bit: a NaN deadline must come back as the same NaN.
    return a.Progress == b.Progress && a.Importance == b.Importance && a.PrivateMsg == b.PrivateMsg &&
           std::memcmp(&a.Deadline, &b.Deadline, sizeof a.Deadline) == 0 && a.Text == b.Text &&
           a.Location == b.Location && a.ID == b.ID;
}

// A text of white space only reads back as empty: the format's rule, not a loss of this reader.
QString readBack(const QString &text)
{
    return KeyValueXmlScan::isBlankText(text) ? QString() : text;
}

bool sameNotes(const NotesCollection &a, const NotesCollection &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (!sameNote(a[i], b[i]))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = fuzzInput(data, size);
    NotesCollection notes;
    QString rootName;
    const IoResult parsed = NotesFile::parseNotes(input, &notes, &rootName);
    // The file's own reader finds what a lookup per value in the key-value store finds.
    NotesCollection throughStore;
    QString storeRootName;
    const IoResult oracle = readNotesThroughStore(input, &throughStore, &storeRootName);
    FUZZ_REQUIRE(parsed.ok == oracle.ok && parsed.error == oracle.error);
    if (!parsed)
        return 0;
    FUZZ_REQUIRE(sameNotes(notes, throughStore) && rootName == storeRootName);

    // The notes read must survive the next save and start.
    const QByteArray saved = NotesFile::notesData(notes, rootName);
    NotesCollection again;
    FUZZ_REQUIRE(NotesFile::parseNotes(saved, &again).ok);
    FUZZ_REQUIRE(again.size() == notes.size());
    for (qsizetype i = 0; i < notes.size(); ++i) {
        FUZZ_REQUIRE(again[i].Text == readBack(notes[i].Text));
        FUZZ_REQUIRE(again[i].Location == readBack(notes[i].Location));
        FUZZ_REQUIRE(again[i].Progress == notes[i].Progress);
        FUZZ_REQUIRE(again[i].Importance == notes[i].Importance);
    }
    // The streamed file is what the store writes for the same entries (which it can only hold
    // when no text reads back otherwise).
    if (sameNotes(again, notes)) {
        TKeyValueXmlFile store;
        FUZZ_REQUIRE(store.LoadFromData(saved).ok);
        FUZZ_REQUIRE(store.SaveToData() == saved);
    }
    return 0;
}
