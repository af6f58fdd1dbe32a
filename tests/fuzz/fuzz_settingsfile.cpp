// settings.xml as it arrives from the disk.
#include "FuzzInput.h"

#include "settings/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TKeyValueXmlFile store;
    Settings settings;
    if (!SettingsFile::parseSettings(fuzzInput(data, size), store, &settings))
        return 0;
    TKeyValueXmlFile saveStore;
    const QByteArray saved = SettingsFile::settingsData(saveStore, settings);
    TKeyValueXmlFile loadStore;
    Settings again;
    FUZZ_REQUIRE(SettingsFile::parseSettings(saved, loadStore, &again).ok);
    return 0;
}
