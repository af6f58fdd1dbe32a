// notepad.txt and the other line files.
#include "FuzzInput.h"

#include "core/TextLines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = TextLines::split(fuzzInput(data, size));
    FUZZ_REQUIRE(!lines.isEmpty());
    // Lines read are saved so that they read back the same.
    FUZZ_REQUIRE(TextLines::split(TextLines::join(lines)) == lines);
    return 0;
}
