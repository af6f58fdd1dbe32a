#pragma once

#include "PasswordFile.h"

#include "core/DataFile.h"
#include "core/IoResult.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class QRandomGenerator;

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
    QString passPhrase; // Correct: the pass phrase in force from now on
    QByteArray salt;    // the salt as read from passwd.txt
    QString message;    // to show unless Correct
    // Unless Correct the program ends at once, loading and saving nothing.
    bool endProgram = true;
    int exitCode = 0;
};

// fileName names the password file in the message of a damaged one.
TUnlock verifyPassPhrase(const TPasswordFile &file, const QString &typed, const QString &fileName);
TUnlock verifyPassPhraseFile(const QString &path, const QString &typed);

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
    QString passPhrase;
    QByteArray salt;
};

// "Accept": with two equal texts, passwd.txt gets a new salt and check value.
// An empty pass phrase typed twice is accepted like any other.
TAccept Accept(const QString &passwdPath, const QString &first, const QString &second, QRandomGenerator &random);

} // namespace Protection
