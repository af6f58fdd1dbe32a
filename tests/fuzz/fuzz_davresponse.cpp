// Answers of a calendar server: multistatus bodies of listings, sync reports and fetched items.
#include "FuzzInput.h"

#include "sync/DavMultistatus.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const DavMultistatus parsed = parseMultistatus(fuzzInput(data, size));
    if (!parsed.ok) {
        FUZZ_REQUIRE(parsed.responses.isEmpty() && !parsed.error.isEmpty());
        return 0;
    }
    // Nothing beyond the input's own size is ever held.
    qsizetype held = parsed.syncToken.size();
    for (const DavResponseEntry &entry : parsed.responses) {
        held += entry.href.size();
        for (const DavProperty &property : entry.properties)
            held += property.text.size();
    }
    FUZZ_REQUIRE(held <= qsizetype(size));
    return 0;
}
