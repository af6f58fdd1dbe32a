#pragma once

#include "StrongCipher.h"

#include <QByteArray>
#include <QString>

#include <memory>

// passwd.txt in the strong form: the folder's Argon2id figures, which every data file of the folder
// uses too, and a verifier that tells a wrong pass phrase at once. The verifier is BLAKE2b keyed
// with the derived key over a fixed label, so a guess checked against it costs one Argon2id,
// as much as a guess checked against a data file.
//
// Layout (integers little-endian), 72 bytes:
//   8 bytes   magic "MRVPASS1"
//   8 bytes   Argon2id opslimit
//   8 bytes   Argon2id memlimit, in bytes
//   16 bytes  Argon2id salt
//   32 bytes  verifier
struct TStrongPasswordFile
{
    TStrongParams params;
    QByteArray verifier;

    bool operator==(const TStrongPasswordFile &) const = default;
};

namespace StrongPasswordFile {

inline constexpr char kMagic[] = "MRVPASS1";
inline constexpr int kMagicSize = 8;
inline constexpr int kVerifierSize = 32;
inline constexpr int kFileSize = kMagicSize + 8 + 8 + StrongCipher::kSaltSize + kVerifierSize;

enum class Check { Right, Wrong, Damaged };

bool isStrongForm(const QByteArray &data);
// False for anything the writer could not have made.
bool parse(const QByteArray &data, TStrongPasswordFile *file);
QByteArray serialize(const TStrongPasswordFile &file);

QByteArray verifierOf(const TStrongKey &key);
// A fresh salt with the given cost; *key (when given) gets the derived key, so the unlock
// that follows does not derive it again. An empty verifier when the key could not be derived.
TStrongPasswordFile create(TStrongKeyring &keyring, const TStrongParams &cost,
                           std::shared_ptr<const TStrongKey> *key = nullptr);

Check check(const QByteArray &data, TStrongKeyring &keyring);
Check check(const TStrongPasswordFile &file, TStrongKeyring &keyring);

} // namespace StrongPasswordFile
