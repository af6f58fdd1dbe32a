#include "PassPhraseCodec.h"

PassPhraseCodec::PassPhraseCodec(const QString &passPhrase)
    : m_cipher(passPhrase)
{
}

QByteArray PassPhraseCodec::encode(const QByteArray &plain) const
{
    return m_cipher.EncryptFile(plain);
}

IoResult PassPhraseCodec::decode(const QByteArray &stored, QByteArray *plain) const
{
    return m_cipher.DecryptFile(stored, plain);
}
