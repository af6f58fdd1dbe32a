#include "Protection.h"

#include "PassPhraseCodec.h"

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

TUnlock verifyPassPhrase(const TPasswordFile &file, const QString &typed, const QString &fileName)
{
    TUnlock result;
    result.salt = file.salt;
    // No typed phrase can match a check value of another length; saying
    // "Wrong password!" then would send the user guessing forever.
    if (file.check.size() != PasswordFile::kCheckLength) {
        result.verdict = Verdict::Damaged;
        result.message = QStringLiteral("The password file \"%1\" is damaged; no password can match it. "
                                        "No file was changed.")
                             .arg(fileName);
        result.exitCode = 1;
        return result;
    }
    if (CheckPassword(typed, file.salt) != file.check) {
        result.verdict = Verdict::Wrong;
        result.message = wrongPasswordText();
        return result;
    }
    result.verdict = Verdict::Correct;
    result.passPhrase = typed;
    result.endProgram = false;
    return result;
}

TUnlock verifyPassPhraseFile(const QString &path, const QString &typed)
{
    TPasswordFile file;
    if (IoResult read = PasswordFile::read(path, &file); !read) {
        TUnlock result;
        result.verdict = Verdict::Unreadable;
        result.message = read.error;
        result.exitCode = 1;
        return result;
    }
    return verifyPassPhrase(file, typed, QFileInfo(path).fileName());
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

TAccept Accept(const QString &passwdPath, const QString &first, const QString &second, QRandomGenerator &random)
{
    TAccept result;
    if (first != second) {
        result.outcome = AcceptOutcome::PassPhrasesDiffer;
        result.message = passwordsDifferText();
        return result;
    }
    const TPasswordFile file = PasswordFile::create(first, random);
    if (IoResult written = PasswordFile::write(passwdPath, file); !written) {
        result.outcome = AcceptOutcome::WriteFailed;
        result.message = written.error;
        return result;
    }
    result.outcome = AcceptOutcome::TurnedOn;
    result.message = encryptionTurnedOnText();
    result.passPhrase = first;
    result.salt = file.salt;
    return result;
}

} // namespace Protection
