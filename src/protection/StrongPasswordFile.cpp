#include "StrongPasswordFile.h"

#include <sodium.h>

#include <QtEndian>

#include <algorithm>

namespace StrongPasswordFile {

namespace {

constexpr int kParamsOffset = kMagicSize;
constexpr int kSaltOffset = kParamsOffset + 16;
constexpr int kVerifierOffset = kSaltOffset + StrongCipher::kSaltSize;
constexpr char kLabel[] = "Marevo Notes pass phrase verifier";

static_assert(kVerifierSize >= crypto_generichash_BYTES_MIN && kVerifierSize <= crypto_generichash_BYTES_MAX);
static_assert(sizeof(kMagic) == kMagicSize + 1);

} // namespace

bool isStrongForm(const QByteArray &data)
{
    return data.startsWith(QByteArrayView(kMagic, kMagicSize));
}

bool parse(const QByteArray &data, TStrongPasswordFile *file)
{
    if (data.size() != kFileSize || !isStrongForm(data))
        return false;
    TStrongPasswordFile read{{qFromLittleEndian<quint64>(data.constData() + kParamsOffset),
                              qFromLittleEndian<quint64>(data.constData() + kParamsOffset + 8),
                              data.mid(kSaltOffset, StrongCipher::kSaltSize)},
                             data.mid(kVerifierOffset, kVerifierSize)};
    if (!StrongCipher::isAcceptableCost(read.params.opsLimit, read.params.memLimit))
        return false;
    *file = std::move(read);
    return true;
}

QByteArray serialize(const TStrongPasswordFile &file)
{
    QByteArray out(kFileSize, '\0');
    std::copy_n(kMagic, kMagicSize, out.data());
    qToLittleEndian<quint64>(file.params.opsLimit, out.data() + kParamsOffset);
    qToLittleEndian<quint64>(file.params.memLimit, out.data() + kParamsOffset + 8);
    std::copy_n(file.params.salt.constData(), std::min<qsizetype>(file.params.salt.size(), StrongCipher::kSaltSize),
                out.data() + kSaltOffset);
    std::copy_n(file.verifier.constData(), std::min<qsizetype>(file.verifier.size(), kVerifierSize),
                out.data() + kVerifierOffset);
    return out;
}

QByteArray verifierOf(const TStrongKey &key)
{
    QByteArray verifier(kVerifierSize, Qt::Uninitialized);
    crypto_generichash(reinterpret_cast<unsigned char *>(verifier.data()), kVerifierSize,
                       reinterpret_cast<const unsigned char *>(kLabel), sizeof kLabel - 1, key.bytes(),
                       crypto_secretstream_xchacha20poly1305_KEYBYTES);
    return verifier;
}

TStrongPasswordFile create(TStrongKeyring &keyring, const TStrongParams &cost, std::shared_ptr<const TStrongKey> *key)
{
    TStrongPasswordFile file{StrongCipher::withFreshSalt(cost), {}};
    auto derived = keyring.keyFor(file.params);
    if (derived)
        file.verifier = verifierOf(*derived);
    if (key)
        *key = std::move(derived);
    return file;
}

Check check(const TStrongPasswordFile &file, TStrongKeyring &keyring)
{
    const auto key = keyring.keyFor(file.params);
    if (!key || file.verifier.size() != kVerifierSize)
        return Check::Damaged;
    const QByteArray expected = verifierOf(*key);
    return sodium_memcmp(expected.constData(), file.verifier.constData(), kVerifierSize) == 0 ? Check::Right
                                                                                             : Check::Wrong;
}

Check check(const QByteArray &data, TStrongKeyring &keyring)
{
    TStrongPasswordFile file;
    if (!parse(data, &file))
        return Check::Damaged;
    return check(file, keyring);
}

} // namespace StrongPasswordFile
