// Enciphered data files, read under a pass phrase: deciphering refuses what the
// enciphering could not have written and accepts the rest exactly.
#include "FuzzInput.h"

#include "protection/PassPhraseCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const PassPhraseCodec codec(QStringLiteral("fuzzing pass phrase"));
    static const TCipherMask zeroMask;
    const QByteArray stored = fuzzInput(data, size);

    QByteArray plain;
    QByteArray again;
    if (codec.decode(stored, &plain))
        FUZZ_REQUIRE(codec.encode(plain, &again) && again == stored);

    QByteArray plainUnderZero;
    if (FileCipher::DecryptFile(stored, zeroMask, &plainUnderZero))
        FUZZ_REQUIRE(FileCipher::EncryptFile(plainUnderZero, zeroMask) == stored);
    return 0;
}
