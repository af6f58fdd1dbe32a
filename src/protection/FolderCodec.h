#pragma once

#include "PassPhraseCodec.h"
#include "StrongCipher.h"

#include "core/DataFile.h"

#include <memory>
#include <optional>

// The data files of a protected folder under one pass phrase. Each file is read in the form it
// says it is in (the strong form by its magic); it is written in the strong form with the
// folder's figures, or in the old form while the folder has not been converted yet. Once
// converted, only files with the folder's own figures are read.
class FolderCodec final : public DataFileCodec
{
public:
    // oldForm: the old cipher of the same pass phrase, or null when old-form files are refused
    // (once passwd.txt is in the strong form, every file of the folder was written after it was).
    FolderCodec(std::shared_ptr<TStrongKeyring> keyring, std::optional<TStrongParams> strongForm,
                std::shared_ptr<const PassPhraseCodec> oldForm);

    bool writesStrongForm() const { return m_strongForm.has_value(); }
    // The same pass phrase, writing the strong form with these figures from now on.
    std::shared_ptr<FolderCodec> convertedTo(const TStrongParams &strongForm) const;
    TStrongKeyring &keyring() const { return *m_keyring; }

    IoResult encode(const QByteArray &plain, QByteArray *stored) const override;
    IoResult decode(const QByteArray &stored, QByteArray *plain) const override;

private:
    std::shared_ptr<TStrongKeyring> m_keyring;
    std::optional<TStrongParams> m_strongForm;
    std::shared_ptr<const PassPhraseCodec> m_oldForm;
};
