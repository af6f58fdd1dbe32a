#include "FolderCodec.h"

FolderCodec::FolderCodec(std::shared_ptr<TStrongKeyring> keyring, std::optional<TStrongParams> strongForm,
                         std::shared_ptr<const PassPhraseCodec> oldForm)
    : m_keyring(std::move(keyring))
    , m_strongForm(std::move(strongForm))
    , m_oldForm(std::move(oldForm))
{
}

std::shared_ptr<FolderCodec> FolderCodec::convertedTo(const TStrongParams &strongForm) const
{
    // Old-form files stay readable until passwd.txt is converted too: a conversion cut short
    // leaves some of each.
    return std::make_shared<FolderCodec>(m_keyring, strongForm, m_oldForm);
}

IoResult FolderCodec::encode(const QByteArray &plain, QByteArray *stored) const
{
    if (!m_strongForm) {
        if (!m_oldForm)
            return IoResult::failure(QStringLiteral("No key to encipher the file with"));
        return m_oldForm->encode(plain, stored);
    }
    const auto key = m_keyring->keyFor(*m_strongForm);
    if (!key)
        return IoResult::failure(QStringLiteral("Not enough memory to derive the key"));
    *stored = StrongCipher::encipher(plain, *key);
    return IoResult::success();
}

IoResult FolderCodec::decode(const QByteArray &stored, QByteArray *plain) const
{
    if (StrongCipher::isStrongForm(stored)) {
        // A converted folder writes every file with its own figures: a file with others comes from
        // another folder, even one under the same pass phrase.
        TStrongParams params;
        if (!m_oldForm && m_strongForm && (!StrongCipher::readParams(stored, &params) || params != *m_strongForm))
            return IoResult::failure(StrongCipher::damagedText());
        TDecipherResult deciphered = StrongCipher::decipher(stored, *m_keyring);
        if (!deciphered.ok)
            return IoResult::failure(deciphered.error);
        *plain = std::move(deciphered.plain);
        return IoResult::success();
    }
    if (!m_oldForm)
        return IoResult::failure(StrongCipher::damagedText());
    return m_oldForm->decode(stored, plain);
}
