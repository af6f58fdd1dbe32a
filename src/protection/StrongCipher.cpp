#include "StrongCipher.h"

#include <sodium.h>

#include <QtEndian>

#include <algorithm>

static_assert(StrongCipher::kSaltSize == crypto_pwhash_SALTBYTES);
static_assert(StrongCipher::kStreamHeaderSize == crypto_secretstream_xchacha20poly1305_HEADERBYTES);
static_assert(StrongCipher::kChunkOverhead == crypto_secretstream_xchacha20poly1305_ABYTES);
static_assert(sizeof(StrongCipher::kMagic) == StrongCipher::kMagicSize + 1);

namespace {

constexpr int kKeySize = crypto_secretstream_xchacha20poly1305_KEYBYTES;
constexpr int kParamsOffset = StrongCipher::kMagicSize;
constexpr int kSaltOffset = kParamsOffset + 16;
constexpr int kStreamHeaderOffset = kSaltOffset + StrongCipher::kSaltSize;

// Four times the default: room to raise the cost later, yet a forged header cannot
// make opening take minutes or all the memory.
constexpr quint64 kMaxOpsLimit = 12;
constexpr quint64 kMaxMemLimit = quint64(512) << 20;

const unsigned char *bytesOf(const QByteArray &bytes)
{
    return reinterpret_cast<const unsigned char *>(bytes.constData());
}

unsigned char *bytesOf(QByteArray &bytes)
{
    return reinterpret_cast<unsigned char *>(bytes.data());
}

TDecipherResult damaged()
{
    return {false, {}, StrongCipher::damagedText()};
}

} // namespace

TStrongKey::TStrongKey(TStrongParams params, TSecretBytes key)
    : m_params(std::move(params))
    , m_key(std::move(key))
{
}

std::shared_ptr<const TStrongKey> TStrongKey::derive(const TSecretBytes &passPhrase, const TStrongParams &params)
{
    if (!initSodium() || params.salt.size() != StrongCipher::kSaltSize
        || !StrongCipher::isAcceptableCost(params.opsLimit, params.memLimit))
        return {};
    TSecretBytes key(kKeySize);
    if (key.isNull()
        || crypto_pwhash(key.data(), kKeySize, reinterpret_cast<const char *>(passPhrase.data()), passPhrase.size(),
                         bytesOf(params.salt), params.opsLimit, std::size_t(params.memLimit),
                         crypto_pwhash_ALG_ARGON2ID13)
               != 0)
        return {};
    return std::shared_ptr<const TStrongKey>(new TStrongKey(params, std::move(key)));
}

TStrongKeyring::TStrongKeyring(const QString &passPhrase)
    : m_passPhrase(TSecretBytes::fromPassPhrase(passPhrase))
{
}

std::shared_ptr<const TStrongKey> TStrongKeyring::keyFor(const TStrongParams &params)
{
    auto found = m_keys.find(params);
    if (found != m_keys.end())
        return found->second;
    auto key = TStrongKey::derive(m_passPhrase, params);
    if (key)
        m_keys.emplace(params, key);
    return key;
}

namespace StrongCipher {

TStrongParams defaultCost()
{
    return {3, quint64(128) << 20, {}};
}

TStrongParams minimalCost()
{
    return {crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN, {}};
}

TStrongParams withFreshSalt(TStrongParams cost)
{
    initSodium();
    cost.salt = QByteArray(kSaltSize, Qt::Uninitialized);
    randombytes_buf(cost.salt.data(), kSaltSize);
    return cost;
}

bool isAcceptableCost(quint64 opsLimit, quint64 memLimit)
{
    return opsLimit >= crypto_pwhash_OPSLIMIT_MIN && opsLimit <= kMaxOpsLimit && memLimit >= crypto_pwhash_MEMLIMIT_MIN
        && memLimit <= kMaxMemLimit;
}

bool isStrongForm(const QByteArray &stored)
{
    return stored.startsWith(QByteArrayView(kMagic, kMagicSize));
}

bool readParams(const QByteArray &stored, TStrongParams *params)
{
    if (!isStrongForm(stored) || stored.size() < kFileHeaderSize)
        return false;
    TStrongParams read{qFromLittleEndian<quint64>(stored.constData() + kParamsOffset),
                       qFromLittleEndian<quint64>(stored.constData() + kParamsOffset + 8),
                       stored.mid(kSaltOffset, kSaltSize)};
    if (!isAcceptableCost(read.opsLimit, read.memLimit))
        return false;
    *params = std::move(read);
    return true;
}

QByteArray encipher(const QByteArray &plain, const TStrongKey &key)
{
    initSodium();
    const TStrongParams &params = key.params();
    QByteArray out(kFileHeaderSize, Qt::Uninitialized);
    std::copy_n(kMagic, kMagicSize, out.data());
    qToLittleEndian<quint64>(params.opsLimit, out.data() + kParamsOffset);
    qToLittleEndian<quint64>(params.memLimit, out.data() + kParamsOffset + 8);
    std::copy_n(params.salt.constData(), kSaltSize, out.data() + kSaltOffset);

    crypto_secretstream_xchacha20poly1305_state state;
    crypto_secretstream_xchacha20poly1305_init_push(&state, bytesOf(out) + kStreamHeaderOffset, key.bytes());

    const qsizetype chunks = plain.size() / kChunkSize + 1; // the last one holds the rest, maybe nothing
    out.resize(kFileHeaderSize + plain.size() + chunks * kChunkOverhead);
    qsizetype at = kFileHeaderSize;
    for (qsizetype i = 0; i < chunks; ++i) {
        const bool last = i == chunks - 1;
        const qsizetype size = last ? plain.size() - i * kChunkSize : kChunkSize;
        const bool first = i == 0;
        crypto_secretstream_xchacha20poly1305_push(
            &state, bytesOf(out) + at, nullptr, bytesOf(plain) + i * kChunkSize, std::size_t(size),
            first ? bytesOf(out) : nullptr, first ? kFileHeaderSize : 0,
            last ? crypto_secretstream_xchacha20poly1305_TAG_FINAL : crypto_secretstream_xchacha20poly1305_TAG_MESSAGE);
        at += size + kChunkOverhead;
    }
    sodium_memzero(&state, sizeof state);
    return out;
}

QByteArray encipher(const QByteArray &plain, TStrongKeyring &keyring, const TStrongParams &params)
{
    const auto key = keyring.keyFor(params);
    return key ? encipher(plain, *key) : QByteArray();
}

TDecipherResult decipher(const QByteArray &stored, const TStrongKey &key)
{
    TStrongParams params;
    if (!readParams(stored, &params) || params != key.params())
        return damaged();
    initSodium();
    crypto_secretstream_xchacha20poly1305_state state;
    if (crypto_secretstream_xchacha20poly1305_init_pull(&state, bytesOf(stored) + kStreamHeaderOffset, key.bytes())
        != 0)
        return damaged();

    TDecipherResult result;
    result.plain.resize(stored.size());
    qsizetype plainSize = 0;
    qsizetype at = kFileHeaderSize;
    bool final = false;
    while (!final) {
        const qsizetype left = stored.size() - at;
        if (left < kChunkOverhead)
            break; // the stream ends without its final chunk
        const qsizetype size = std::min<qsizetype>(left, kChunkSize + kChunkOverhead);
        const bool first = at == kFileHeaderSize;
        unsigned char tag = 0;
        unsigned long long written = 0;
        if (crypto_secretstream_xchacha20poly1305_pull(&state, bytesOf(result.plain) + plainSize, &written, &tag,
                                                       bytesOf(stored) + at, std::size_t(size),
                                                       first ? bytesOf(stored) : nullptr, first ? kFileHeaderSize : 0)
            != 0)
            break;
        if (tag != crypto_secretstream_xchacha20poly1305_TAG_MESSAGE
            && tag != crypto_secretstream_xchacha20poly1305_TAG_FINAL)
            break;
        plainSize += qsizetype(written);
        at += size;
        final = tag == crypto_secretstream_xchacha20poly1305_TAG_FINAL;
    }
    sodium_memzero(&state, sizeof state);
    if (!final || at != stored.size()) {
        wipe(result.plain);
        return damaged();
    }
    result.plain.resize(plainSize);
    result.ok = true;
    return result;
}

TDecipherResult decipher(const QByteArray &stored, TStrongKeyring &keyring)
{
    TStrongParams params;
    if (!readParams(stored, &params))
        return damaged();
    const auto key = keyring.keyFor(params);
    if (!key)
        return {false, {}, QStringLiteral("Not enough memory to derive the key of this file")};
    return decipher(stored, *key);
}

QString damagedText()
{
    return QStringLiteral("The file is damaged or was changed");
}

} // namespace StrongCipher
