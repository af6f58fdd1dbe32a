#pragma once

#include "SecretBytes.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <memory>
#include <tuple>
#include <utility>

// The strong form of the data files.
//
// Layout (integers little-endian):
//   8 bytes   magic "MRVSTRG1"
//   8 bytes   Argon2id opslimit
//   8 bytes   Argon2id memlimit, in bytes
//   16 bytes  Argon2id salt
//   24 bytes  crypto_secretstream_xchacha20poly1305 header (fresh on every save)
//   chunks    each kChunkSize plain bytes (the last one shorter, possibly empty) plus 17 bytes of
//             tag and authenticator; TAG_MESSAGE on all but the last, TAG_FINAL on the last.
// The 64 bytes before the chunks are the additional data of the first chunk, so a changed
// cost, salt or magic fails like a changed body.
//
// Key: Argon2id (crypto_pwhash, ALG_ARGON2ID13) of the pass phrase with the salt and cost found
// in the header. One folder uses one salt and cost (the same as its passwd.txt), so its key is
// derived once per unlock and every file still reads on its own with only the pass phrase;
// TStrongKeyring keeps the keys by (salt, cost) so a file written with other figures costs
// one more derivation, not one per read.
struct TStrongParams
{
    quint64 opsLimit = 0;
    quint64 memLimit = 0;
    QByteArray salt; // kSaltSize bytes

    bool operator==(const TStrongParams &) const = default;
    auto operator<=>(const TStrongParams &other) const
    {
        return std::tie(opsLimit, memLimit, salt) <=> std::tie(other.opsLimit, other.memLimit, other.salt);
    }
};

// A derived key with the figures it came from; the key bytes live in TSecretBytes.
class TStrongKey
{
public:
    // Null when the derivation failed (out of memory, figures out of range).
    static std::shared_ptr<const TStrongKey> derive(const TSecretBytes &passPhrase, const TStrongParams &params);

    const TStrongParams &params() const { return m_params; }
    const unsigned char *bytes() const { return m_key.data(); }

private:
    TStrongKey(TStrongParams params, TSecretBytes key);
    TStrongParams m_params;
    TSecretBytes m_key;
};

// The pass phrase of one unlock and the keys derived from it.
class TStrongKeyring
{
public:
    explicit TStrongKeyring(const QString &passPhrase);

    // Derives on the first call for these figures only.
    std::shared_ptr<const TStrongKey> keyFor(const TStrongParams &params);
    const TSecretBytes &passPhrase() const { return m_passPhrase; }

private:
    TSecretBytes m_passPhrase;
    std::map<TStrongParams, std::shared_ptr<const TStrongKey>> m_keys;
};

struct TDecipherResult
{
    bool ok = false;
    QByteArray plain;
    QString error;
};

namespace StrongCipher {

inline constexpr char kMagic[] = "MRVSTRG1";
inline constexpr int kMagicSize = 8;
inline constexpr int kSaltSize = 16;
inline constexpr int kStreamHeaderSize = 24;
inline constexpr int kFileHeaderSize = kMagicSize + 8 + 8 + kSaltSize + kStreamHeaderSize;
inline constexpr int kChunkSize = 64 * 1024;
inline constexpr int kChunkOverhead = 17;

// Deriving at the default cost takes about 0.5 s on the development machine (2 cores, 2026):
// opslimit 3 with 128 MiB; 64 MiB took 0.27 s, 128 MiB with 4 passes 0.54 s.
TStrongParams defaultCost();
// The least libsodium allows; for tests, which write their cost into each header like any file.
TStrongParams minimalCost();
// The figures with a fresh random salt.
TStrongParams withFreshSalt(TStrongParams cost);
// A file may ask for at most this much work before its check: no file can make opening hang.
bool isAcceptableCost(quint64 opsLimit, quint64 memLimit);

bool isStrongForm(const QByteArray &stored);
// The header's figures, when the magic is there and the figures are acceptable.
bool readParams(const QByteArray &stored, TStrongParams *params);

QByteArray encipher(const QByteArray &plain, const TStrongKey &key);
// Empty when the key cannot be derived (no memory for the cost asked).
QByteArray encipher(const QByteArray &plain, TStrongKeyring &keyring, const TStrongParams &params);
// Any failed check gives ok == false and damagedText().
TDecipherResult decipher(const QByteArray &stored, const TStrongKey &key);
TDecipherResult decipher(const QByteArray &stored, TStrongKeyring &keyring);

QString damagedText();

} // namespace StrongCipher
