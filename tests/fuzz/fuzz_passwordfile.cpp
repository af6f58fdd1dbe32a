// passwd.txt as it arrives from the disk.
#include "FuzzInput.h"

#include "protection/PasswordFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const TPasswordFile file = PasswordFile::parse(fuzzInput(data, size));
    // What was read is written back so that it reads the same.
    FUZZ_REQUIRE(PasswordFile::parse(PasswordFile::serialize(file)) == file);
    return 0;
}
