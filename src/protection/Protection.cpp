#include "Protection.h"

#include "core/FileIo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Protection {

QString wrongPasswordText()
{
    return QStringLiteral("Wrong password!");
}

QString typeAndRetypeText()
{
    return QStringLiteral("Type password and retype it. Then click Accept");
}

QString passwordsDifferText()
{
    return QStringLiteral("Typed passwords are different! Try again.");
}

QString encryptionTurnedOnText()
{
    return QStringLiteral("Encryption turned on");
}

namespace {

// No typed phrase can match such a file; saying "Wrong password!" then would send the user
// guessing forever.
TUnlock damagedPasswordFile(const QString &fileName)
{
    TUnlock result;
    result.verdict = Verdict::Damaged;
    result.message =
        QStringLiteral("The password file \"%1\" is damaged; no password can match it. No file was changed.")
            .arg(fileName);
    result.exitCode = 1;
    return result;
}

TUnlock wrongPassPhrase()
{
    TUnlock result;
    result.verdict = Verdict::Wrong;
    result.message = wrongPasswordText();
    return result;
}

TUnlock unlocked(std::shared_ptr<FolderCodec> codec)
{
    TUnlock result;
    result.verdict = Verdict::Correct;
    result.codec = std::move(codec);
    result.endProgram = false;
    return result;
}

} // namespace

TUnlock verifyPassPhrase(const TPasswordFile &file, const QString &typed, const QString &fileName)
{
    if (file.check.size() != PasswordFile::kCheckLength)
        return damagedPasswordFile(fileName);
    if (CheckPassword(typed, file.salt) != file.check)
        return wrongPassPhrase();
    // Files a cut-short conversion left in the strong form are read with keys of the same phrase.
    return unlocked(std::make_shared<FolderCodec>(std::make_shared<TStrongKeyring>(typed), std::nullopt,
                                                  std::make_shared<PassPhraseCodec>(typed)));
}

TUnlock verifyPassPhrase(const TStrongPasswordFile &file, const QString &typed, const QString &fileName)
{
    auto keyring = std::make_shared<TStrongKeyring>(typed);
    switch (StrongPasswordFile::check(file, *keyring)) {
    case StrongPasswordFile::Check::Right:
        return unlocked(std::make_shared<FolderCodec>(std::move(keyring), file.params, nullptr));
    case StrongPasswordFile::Check::Wrong:
        return wrongPassPhrase();
    case StrongPasswordFile::Check::Damaged:
        break;
    }
    return damagedPasswordFile(fileName);
}

TUnlock verifyPassPhraseFile(const QString &path, const QString &typed)
{
    QByteArray data;
    if (IoResult read = FileIo::readFile(path, &data); !read) {
        TUnlock result;
        result.verdict = Verdict::Unreadable;
        result.message = read.error;
        result.exitCode = 1;
        return result;
    }
    const QString fileName = QFileInfo(path).fileName();
    if (StrongPasswordFile::isStrongForm(data)) {
        TStrongPasswordFile file;
        if (!StrongPasswordFile::parse(data, &file))
            return damagedPasswordFile(fileName);
        return verifyPassPhrase(file, typed, fileName);
    }
    return verifyPassPhrase(PasswordFile::parse(data), typed, fileName);
}

bool isOldFormPasswordFile(const QString &path)
{
    QByteArray data;
    return FileIo::readFile(path, &data) && !StrongPasswordFile::isStrongForm(data);
}

IoResult writeStrongPasswordFile(const QString &path, const TStrongPasswordFile &file)
{
    return FileIo::writeFileAtomically(path, StrongPasswordFile::serialize(file), FileIo::Permissions::OwnerOnly);
}

TEncryptToggle decideEncryptToggle(bool checked, bool startupInProgress)
{
    TEncryptToggle toggle;
    if (startupInProgress) // the start sets the box from passwd.txt; that is no user's choice
        return toggle;
    if (checked) {
        toggle.action = ToggleAction::PrepareNewPassPhrase;
        toggle.information = typeAndRetypeText();
        toggle.fieldsEnabled = true;
        toggle.clearFields = true;
        toggle.focusFirstField = true;
        toggle.switchOn = true;
    } else {
        toggle.action = ToggleAction::TurnOff;
    }
    return toggle;
}

IoResult turnProtectionOff(const QString &passwdPath, const std::function<IoResult()> &saveAllPlain)
{
    if (IoResult saved = saveAllPlain(); !saved)
        return saved;
    QFile file(passwdPath);
    if (file.exists() && !file.remove()) {
        const QString name = QDir::toNativeSeparators(passwdPath);
        return IoResult::failure(QStringLiteral("Cannot delete file \"%1\". %2").arg(name, file.errorString()));
    }
    return IoResult::success();
}

TAccept Accept(const QString &passwdPath, const QString &first, const QString &second, const TStrongParams &cost)
{
    TAccept result;
    if (first != second) {
        result.outcome = AcceptOutcome::PassPhrasesDiffer;
        result.message = passwordsDifferText();
        return result;
    }
    auto keyring = std::make_shared<TStrongKeyring>(first);
    std::shared_ptr<const TStrongKey> key;
    const TStrongPasswordFile file = StrongPasswordFile::create(*keyring, cost, &key);
    if (!key) {
        result.outcome = AcceptOutcome::WriteFailed;
        result.message = QStringLiteral("Not enough memory to derive a key from the password. Nothing was changed.");
        return result;
    }
    if (IoResult written = writeStrongPasswordFile(passwdPath, file); !written) {
        result.outcome = AcceptOutcome::WriteFailed;
        result.message = written.error;
        return result;
    }
    result.outcome = AcceptOutcome::TurnedOn;
    result.message = encryptionTurnedOnText();
    result.codec = std::make_shared<FolderCodec>(std::move(keyring), file.params, nullptr);
    return result;
}

} // namespace Protection
