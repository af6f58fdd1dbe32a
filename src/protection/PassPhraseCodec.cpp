#include "PassPhraseCodec.h"

PassPhraseCodec::PassPhraseCodec(const QString &passPhrase)
    : m_cipher(passPhrase)
{
}

IoResult PassPhraseCodec::encode(const QByteArray &plain, QByteArray *stored) const
{
    *stored = m_cipher.EncryptFile(plain);
    return IoResult::success();
}

IoResult PassPhraseCodec::decode(const QByteArray &stored, QByteArray *plain) const
{
    return m_cipher.DecryptFile(stored, plain);
}
