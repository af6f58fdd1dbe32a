#include "FileCipher.h"

#include "PiDigits.h"

#include <QtEndian>

namespace FileCipher {

namespace {

quint32 littleEndianWord(const quint8 *bytes)
{
    return qFromLittleEndian<quint32>(bytes);
}

// Absorbs the pass phrase into a 256-byte digest and a 16-byte key block.
class KeyDigest
{
public:
    KeyDigest()
    {
        m_digest = PiDigits::kFractionBytes;
        m_block.fill(0x55);
    }

    void absorb(quint8 x)
    {
        m_digest[m_digestIndex] ^= x;
        m_digestIndex = (m_digestIndex + 1) % int(m_digest.size());
        m_block[m_blockIndex] ^= x;
        if (++m_blockIndex == 8) {
            mixBlock();
            m_blockIndex = 0;
        }
    }

    int blockIndex() const { return m_blockIndex; }
    quint32 blockWord(int i) const { return littleEndianWord(m_block.data() + 4 * i); }
    quint32 digestWord(int i) const { return littleEndianWord(m_digest.data() + 4 * i); }

private:
    void mixBlock()
    {
        quint32 a = blockWord(3);
        quint32 b = blockWord(2);
        quint32 c = blockWord(1);
        quint32 d = blockWord(0);
        for (int round = 0; round < 4; ++round)
            mixFour(a, b, c, d);
        const quint32 words[4] = {a, b, c, d};
        for (int i = 0; i < 4; ++i)
            qToLittleEndian(words[i], m_block.data() + 4 * i);
    }

    std::array<quint8, 256> m_digest{};
    std::array<quint8, 16> m_block{};
    int m_digestIndex = 0;
    int m_blockIndex = 0;
};

} // namespace

void mixFour(quint32 &a, quint32 &b, quint32 &c, quint32 &d)
{
    a += d; d += a; a ^= a >> 7;
    b += a; a += b; b ^= b << 13;
    c += b; b += c; c ^= c >> 17;
    d += c; c += d; d ^= d << 9;
    a += d; d += a; a ^= a >> 3;
    b += a; a += b; b ^= b << 7;
    c += b; b += c; c ^= d >> 15; // d, not c: the stored files depend on it
    d += c; c += d; d ^= d << 11;
}

void mixEight(std::array<quint32, 8> &w)
{
    quint32 &a = w[0], &b = w[1], &c = w[2], &d = w[3], &e = w[4], &f = w[5], &g = w[6], &h = w[7];
    a ^= b << 11; d += a; b += c;
    b ^= c >> 2;  e += b; c += d;
    c ^= d << 8;  f += c; d += e;
    d ^= e >> 16; g += d; e += f;
    e ^= f << 10; h += e; f += g;
    f ^= g >> 4;  a += f; g += h;
    g ^= h << 8;  b += g; h += a;
    h ^= a >> 9;  c += h; a += b;
}

QByteArray passPhraseBytes(const QString &passPhrase)
{
    for (QChar c : passPhrase)
        if (c.unicode() > 0xFF)
            return passPhrase.toUtf8();
    return passPhrase.toLatin1();
}

TCipherKey GenerateKey(const QByteArray &passPhraseBytes)
{
    KeyDigest digest;
    for (char x : passPhraseBytes)
        digest.absorb(quint8(x));
    // The fill always ends with a mix, so an empty phrase gets a mixed key too.
    static constexpr quint8 kFill[8] = {1, 0, 0, 0, 0, 0, 0, 0};
    for (int i = 0, count = 8 - digest.blockIndex(); i < count; ++i)
        digest.absorb(kFill[i]);

    std::array<quint32, 16> stageKeys{};
    int filled = 0;
    for (quint32 t : {0x55555555u, 0xAAAAAAAAu}) {
        std::array<quint32, 8> w = {digest.blockWord(0), t, digest.blockWord(1), t,
                                    digest.blockWord(2), t, digest.blockWord(3), t};
        for (int round = 0; round < 8; ++round)
            mixEight(w);
        for (quint32 word : w)
            stageKeys[filled++] = word;
    }

    quint32 l0 = digest.digestWord(0), l1 = digest.digestWord(1);
    quint32 r0 = digest.digestWord(2), r1 = digest.digestWord(3);
    for (int stage = 0; stage < 8; ++stage) {
        quint32 a = l0, b = stageKeys[2 * stage], c = l1, d = stageKeys[2 * stage + 1];
        mixFour(a, b, c, d);
        std::swap(a, c);
        std::swap(b, d);
        mixFour(a, b, c, d);
        const quint32 t0 = b ^ a ^ r0;
        const quint32 t1 = d ^ c ^ r1;
        r0 = l0;
        r1 = l1;
        l0 = t0;
        l1 = t1;
    }

    TCipherKey key{};
    const quint32 words[4] = {r0, r1, l0, l1};
    for (int i = 0; i < 4; ++i)
        qToLittleEndian(words[i], key.data() + 4 * i);
    return key;
}

TCipherKey GenerateKey(const QString &passPhrase)
{
    return GenerateKey(passPhraseBytes(passPhrase));
}

TCipherMask keySchedule(const TCipherKey &key)
{
    std::array<quint32, 18> p{};
    for (int i = 0; i < 18; ++i)
        p[i] = PiDigits::bigEndianWord(i) ^ qFromBigEndian<quint32>(key.data() + (4 * i) % int(key.size()));

    const auto evenWords = [&p] {
        quint32 v = 0;
        for (int i = 0; i < 18; i += 2)
            v ^= p[i];
        return v;
    };
    const auto oddWords = [&p] {
        quint32 v = 0;
        for (int i = 1; i < 18; i += 2)
            v ^= p[i];
        return v;
    };
    quint32 l = 0, r = 0;
    for (int i = 0; i < 18; i += 2) {
        l ^= evenWords();
        r ^= oddWords();
        p[i] = l;
        p[i + 1] = r;
    }
    return {evenWords(), oddWords()};
}

void transformBlock(char *block, const TCipherMask &mask)
{
    qToLittleEndian(qFromLittleEndian<quint32>(block) ^ mask.E, block);
    qToLittleEndian(qFromLittleEndian<quint32>(block + 4) ^ mask.O, block + 4);
}

QString invalidFormatText()
{
    return QStringLiteral("Invalid file format");
}

QByteArray EncryptFile(const QByteArray &plain, const TCipherMask &mask)
{
    const qsizetype fullBlocks = plain.size() / kBlockSize;
    const qsizetype rest = plain.size() % kBlockSize;
    QByteArray stored(plain.left(fullBlocks * kBlockSize));
    char last[kBlockSize] = {};
    std::copy_n(plain.constData() + fullBlocks * kBlockSize, rest, last);
    last[kBlockSize - 1] = char(rest);
    stored.append(last, kBlockSize);
    for (qsizetype at = 0; at < stored.size(); at += kBlockSize)
        transformBlock(stored.data() + at, mask);
    return stored;
}

IoResult DecryptFile(const QByteArray &stored, const TCipherMask &mask, QByteArray *plain)
{
    if (stored.size() < kBlockSize || stored.size() % kBlockSize != 0)
        return IoResult::failure(invalidFormatText());
    char last[kBlockSize];
    std::copy_n(stored.constData() + stored.size() - kBlockSize, kBlockSize, last);
    transformBlock(last, mask);
    const int count = quint8(last[kBlockSize - 1]);
    if (count >= kBlockSize)
        return IoResult::failure(invalidFormatText());
    for (int i = count; i < kBlockSize - 1; ++i)
        if (last[i] != 0)
            return IoResult::failure(invalidFormatText());

    QByteArray result(stored.left(stored.size() - kBlockSize));
    for (qsizetype at = 0; at < result.size(); at += kBlockSize)
        transformBlock(result.data() + at, mask);
    result.append(last, count);
    *plain = result;
    return IoResult::success();
}

} // namespace FileCipher

TFileCipher::TFileCipher()
    : m_mask(FileCipher::keySchedule(m_key))
{
}

TFileCipher::TFileCipher(const QString &passPhrase)
{
    GenerateKey(passPhrase);
}

void TFileCipher::GenerateKey(const QString &passPhrase)
{
    m_key = FileCipher::GenerateKey(passPhrase);
    m_mask = FileCipher::keySchedule(m_key);
}

QByteArray TFileCipher::EncryptFile(const QByteArray &plain) const
{
    return FileCipher::EncryptFile(plain, m_mask);
}

IoResult TFileCipher::DecryptFile(const QByteArray &stored, QByteArray *plain) const
{
    return FileCipher::DecryptFile(stored, m_mask, plain);
}
