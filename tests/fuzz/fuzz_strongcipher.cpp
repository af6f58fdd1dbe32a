// The strong form of the data files and of passwd.txt, read under a fixed pass phrase at the least cost.
// The first byte picks what the rest is:
//   even: a stored file. It never deciphers unless it is one the seed writer made (their plain text
//         starts with kSeedMark), and then with nothing before or after; a password file that parses
//         writes back the same bytes.
//   odd:  an edit (kind, position, value: 6 bytes) and a plain text, repeated 1 to 9 times so that
//         several chunks occur. The plain text is enciphered here and reads back; the edited bytes never read.
#include "FuzzInput.h"

#include "protection/StrongCipher.h"
#include "protection/StrongPasswordFile.h"

#include <QtEndian>

#include <utility>

namespace {

using namespace StrongCipher;

const QByteArray kSeedMark = QByteArrayLiteral("fuzz seed\n");
constexpr qsizetype kStoredChunk = kChunkSize + kChunkOverhead;

qsizetype storedSize(qsizetype plainSize)
{
    return kFileHeaderSize + plainSize + (plainSize / kChunkSize + 1) * kChunkOverhead;
}

void readStored(const QByteArray &stored)
{
    TStrongPasswordFile password;
    if (StrongPasswordFile::parse(stored, &password))
        FUZZ_REQUIRE(StrongPasswordFile::serialize(password) == stored);

    TStrongParams params;
    const TStrongParams least = minimalCost();
    // Costlier headers are read only as far as their figures: each would take a real derivation.
    if (!readParams(stored, &params) || params.opsLimit != least.opsLimit || params.memLimit != least.memLimit)
        return;
    TStrongKeyring keyring(QStringLiteral("fuzzing pass phrase"));
    const TDecipherResult result = decipher(stored, keyring);
    if (result.ok)
        FUZZ_REQUIRE(result.plain.startsWith(kSeedMark) && stored.size() == storedSize(result.plain.size()));
    else
        FUZZ_REQUIRE(result.plain.isEmpty() && !result.error.isEmpty());
}

void editWritten(const QByteArray &input, int copies)
{
    static TStrongKeyring keyring(QStringLiteral("fuzzing pass phrase"));
    static const auto key = keyring.keyFor(withFreshSalt(minimalCost()));
    FUZZ_REQUIRE(key);
    if (input.size() < 6)
        return;
    const QByteArray plain = input.mid(6).repeated(copies);
    const QByteArray stored = encipher(plain, *key);
    const TDecipherResult back = decipher(stored, *key);
    FUZZ_REQUIRE(back.ok && back.plain == plain);

    const quint8 kind = quint8(input[0]) % 4;
    const quint32 position = qFromLittleEndian<quint32>(input.constData() + 1) % quint32(stored.size());
    const quint8 value = quint8(input[5]);
    QByteArray edited = stored;
    if (kind == 1) {
        edited.truncate(position);
    } else if (kind == 2) {
        edited.append(QByteArray(1 + value % 32, char(value)));
    } else if (kind == 3 && plain.size() >= 2 * kChunkSize) {
        const qsizetype first = kFileHeaderSize + (position % (plain.size() / kChunkSize - 1)) * kStoredChunk;
        edited.replace(first, kStoredChunk, stored.mid(first + kStoredChunk, kStoredChunk));
        edited.replace(first + kStoredChunk, kStoredChunk, stored.mid(first, kStoredChunk));
    } else {
        edited[position] = char(edited[position] ^ (value | 1));
    }
    FUZZ_REQUIRE(!decipher(edited, *key).ok);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray rest = fuzzInput(data + 1, size - 1);
    if (data[0] % 2 == 0)
        readStored(rest);
    else
        editWritten(rest, 1 + (data[0] / 2) % 9);
    return 0;
}
