#pragma once

#include "FolderCodec.h"
#include "PasswordFile.h"
#include "StrongPasswordFile.h"

#include "core/DataFile.h"
#include "core/IoResult.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

// The decisions behind the pass phrase window and the settings dialog's
// "Encryption" group; the windows only show what these return.
namespace Protection {

QString wrongPasswordText();      // "Wrong password!"
QString typeAndRetypeText();      // "Type password and retype it. Then click Accept"
QString passwordsDifferText();    // "Typed passwords are different! Try again."
QString encryptionTurnedOnText(); // "Encryption turned on"

enum class Verdict { Correct, Wrong, Damaged, Unreadable };

// The pass phrase window's "Ok" (and the command line's pass phrase prompt).
struct TUnlock
{
    Verdict verdict = Verdict::Wrong;
    // Correct: reads and writes the folder's files from now on. The pass phrase lives in it alone,
    // in locked memory.
    std::shared_ptr<FolderCodec> codec;
    QString message; // to show unless Correct
    // Unless Correct the program ends at once, loading and saving nothing.
    bool endProgram = true;
    int exitCode = 0;
};

// fileName names the password file in the message of a damaged one.
TUnlock verifyPassPhrase(const TPasswordFile &file, const QString &typed, const QString &fileName);
TUnlock verifyPassPhrase(const TStrongPasswordFile &file, const QString &typed, const QString &fileName);
// Either form of passwd.txt.
TUnlock verifyPassPhraseFile(const QString &path, const QString &typed);
// passwd.txt exists in the old form: the folder's files can be read without the pass phrase.
bool isOldFormPasswordFile(const QString &path);
IoResult writeStrongPasswordFile(const QString &path, const TStrongPasswordFile &file);

enum class ToggleAction { Nothing, PrepareNewPassPhrase, TurnOff };

// "Encrypt notes" clicked; checked is its new state.
struct TEncryptToggle
{
    ToggleAction action = ToggleAction::Nothing;
    QString information; // shown with one "OK" button when not empty
    bool fieldsEnabled = false;
    bool clearFields = false;
    bool focusFirstField = false;
    bool switchOn = false;
};

TEncryptToggle decideEncryptToggle(bool checked, bool startupInProgress);

// Turning protection off. The data files are saved plain first; passwd.txt goes
// only when all of them were written, so a failed save leaves every file
// readable with the pass phrase. On failure protection stays on.
// saveAllPlain should write notepad.txt last: it is the one file that cannot
// be told apart from an enciphered one by its content.
IoResult turnProtectionOff(const QString &passwdPath, const std::function<IoResult()> &saveAllPlain);

enum class AcceptOutcome { PassPhrasesDiffer, TurnedOn, WriteFailed };

struct TAccept
{
    AcceptOutcome outcome = AcceptOutcome::PassPhrasesDiffer;
    // PassPhrasesDiffer: the warning, shown after "Encrypt notes" was set off
    // (which turns protection off when it was on); TurnedOn: the information,
    // shown after all data files were saved under the new pass phrase;
    // WriteFailed: the error, nothing changed.
    QString message;
    std::shared_ptr<FolderCodec> codec; // TurnedOn: the new pass phrase's, writing the strong form
};

// "Accept": with two equal texts, passwd.txt is written anew in the strong form, with a fresh
// salt and the given cost. An empty pass phrase typed twice is accepted like any other.
TAccept Accept(const QString &passwdPath, const QString &first, const QString &second,
               const TStrongParams &cost = StrongCipher::defaultCost());

} // namespace Protection
