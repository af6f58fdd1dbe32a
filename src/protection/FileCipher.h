#pragma once

#include "core/IoResult.h"

#include <QByteArray>
#include <QString>

#include <array>

using TCipherKey = std::array<quint8, 16>;

// The two words every block is combined with; derived from the key.
struct TCipherMask
{
    quint32 E = 0; // combined with bytes 0..3 of a block
    quint32 O = 0; // combined with bytes 4..7

    bool operator==(const TCipherMask &) const = default;
};

// The enciphered form of the data files: 8-byte blocks, and a last block that
// carries the number of plain bytes it holds in its byte 7.
namespace FileCipher {

inline constexpr int kBlockSize = 8;

void mixFour(quint32 &a, quint32 &b, quint32 &c, quint32 &d);
void mixEight(std::array<quint32, 8> &words);

// The pass phrase's bytes as they are hashed and absorbed: Latin-1 when every
// character fits, so such phrases keep their single-byte form; otherwise UTF-8.
QByteArray passPhraseBytes(const QString &passPhrase);

TCipherKey GenerateKey(const QByteArray &passPhraseBytes);
TCipherKey GenerateKey(const QString &passPhrase);
TCipherMask keySchedule(const TCipherKey &key);

// Its own inverse.
void transformBlock(char *block, const TCipherMask &mask);

QByteArray EncryptFile(const QByteArray &plain, const TCipherMask &mask);
// Refuses, leaving *plain untouched, anything the enciphering could not have
// written: under one block, a length that is not whole blocks, or a last block
// whose count is above 7 or whose fill is not zero (a wrong key, or a plain file).
IoResult DecryptFile(const QByteArray &stored, const TCipherMask &mask, QByteArray *plain);

QString invalidFormatText();

} // namespace FileCipher

// The cipher object: keeps the key made by the last GenerateKey.
class TFileCipher
{
public:
    TFileCipher();
    explicit TFileCipher(const QString &passPhrase);

    void GenerateKey(const QString &passPhrase);
    const TCipherKey &key() const { return m_key; }
    const TCipherMask &mask() const { return m_mask; }

    QByteArray EncryptFile(const QByteArray &plain) const;
    IoResult DecryptFile(const QByteArray &stored, QByteArray *plain) const;

private:
    TCipherKey m_key{};
    TCipherMask m_mask;
};
