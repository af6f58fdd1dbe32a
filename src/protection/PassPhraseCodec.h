#pragma once

#include "FileCipher.h"

#include "core/DataFile.h"

// The old form of the data files, enciphered under a pass phrase; read to convert old folders.
class PassPhraseCodec final : public DataFileCodec
{
public:
    explicit PassPhraseCodec(const QString &passPhrase);

    IoResult encode(const QByteArray &plain, QByteArray *stored) const override;
    IoResult decode(const QByteArray &stored, QByteArray *plain) const override;

private:
    TFileCipher m_cipher;
};
