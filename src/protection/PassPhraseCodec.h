#pragma once

#include "FileCipher.h"

#include "core/DataFile.h"

// Stores data files enciphered under a pass phrase. The plain bytes stay in memory.
class PassPhraseCodec final : public DataFileCodec
{
public:
    explicit PassPhraseCodec(const QString &passPhrase);

    QByteArray encode(const QByteArray &plain) const override;
    IoResult decode(const QByteArray &stored, QByteArray *plain) const override;

private:
    TFileCipher m_cipher;
};
