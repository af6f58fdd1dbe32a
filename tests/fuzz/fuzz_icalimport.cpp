// Calendar files chosen by the user, dropped on the window or given on the command line.
#include "FuzzInput.h"

#include "ical/IcsExport.h"
#include "ical/IcsImport.h"

#include <QSet>

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const TDateTime now = DateTime::encode(2026, 3, 14, 9, 30);
    const IcsImport::Result result = IcsImport::parse(fuzzInput(data, size), now);
    if (!result.isCalendar) {
        FUZZ_REQUIRE(result.notes.isEmpty() && result.skipped == 0);
        return 0;
    }
    QSet<QString> uids;
    for (const TNotesData &note : result.notes) {
        FUZZ_REQUIRE(!note.uid.isEmpty());
        uids.insert(note.uid);
        FUZZ_REQUIRE(note.Importance >= 1 && note.Importance <= 3);
        FUZZ_REQUIRE(note.Progress <= 100);
        FUZZ_REQUIRE(std::isfinite(note.Deadline));
    }
    // One note per identity: a second item of the same UID updates the first.
    FUZZ_REQUIRE(uids.size() == result.notes.size());
    // What was read is written and read back with the same identities.
    const IcsImport::Result again = IcsImport::parse(IcsExport::exportNotes(result.notes, {now, true, 1}), now);
    FUZZ_REQUIRE(again.isCalendar && again.notes.size() == result.notes.size());
    for (qsizetype i = 0; i < again.notes.size(); ++i)
        FUZZ_REQUIRE(again.notes[i].uid == result.notes[i].uid);
    return 0;
}
