// Plain-text notes of older versions, chosen by the user in "Import old notes...".
#include "FuzzInput.h"

#include "notes/OldNotesImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const OldNotesImport::Result result = OldNotesImport::parse(fuzzInput(data, size));
    // A failure names its line; success names none.
    FUZZ_REQUIRE(bool(result.status) == (result.failedLine == 0));
    // Never more notes than lines, and numbered by position.
    FUZZ_REQUIRE(result.notes.size() <= qsizetype(size) + 1);
    for (qsizetype i = 0; i < result.notes.size(); ++i)
        FUZZ_REQUIRE(result.notes[i].ID == i);
    return 0;
}
