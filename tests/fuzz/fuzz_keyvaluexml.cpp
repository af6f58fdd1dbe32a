// The key-value XML reader behind data.txt, settings.xml and expenditures.txt.
#include "FuzzInput.h"

#include "core/KeyValueXmlFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TKeyValueXmlFile store;
    store.setLocaleFormats(LocaleFormats::fixedForTesting());
    if (!store.LoadFromData(fuzzInput(data, size)))
        return 0;
    for (const TKeyValueXmlFile::Entry &entry : store.entries()) {
        (void)store.ReadInteger(entry.key, 0);
        (void)store.ReadFloat(entry.key, 0);
        (void)store.ReadDateTime(entry.key, 0);
        (void)store.ReadBoolean(entry.key, false);
    }
    // Whatever was read is written so that it reads back the same.
    const QByteArray saved = store.SaveToData();
    TKeyValueXmlFile again;
    const IoResult reloaded = again.LoadFromData(saved);
    FUZZ_REQUIRE(reloaded.ok);
    FUZZ_REQUIRE(again.rootName() == store.rootName());
    FUZZ_REQUIRE(again.entryCount() == store.entryCount());
    for (int i = 0; i < store.entryCount(); ++i) {
        FUZZ_REQUIRE(again.entries()[i].key == store.entries()[i].key);
        FUZZ_REQUIRE(again.entries()[i].text == store.entries()[i].text);
    }
    return 0;
}
