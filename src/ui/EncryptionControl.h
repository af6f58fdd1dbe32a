#pragma once

#include <QObject>

#include <functional>

class Switch;
class TForm4;
struct ProgramState;

// The main window's side of the protection: the pass phrase in force and saving every data file.
struct EncryptionHooks
{
    std::function<void(const QString &passPhrase, const QByteArray &salt)> usePassPhrase;
    std::function<void()> clearPassPhrase;
    std::function<bool()> saveAllDataFiles; // false when a file was not written; the error has been shown
};

// The "Encryption" group of the settings dialog and the status bar's encryption
// switch: turning the pass phrase protection on and off.
class EncryptionControl final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EncryptionControl)

public:
    EncryptionControl(const ProgramState &state, Switch *statusSwitch, TForm4 &dialog, EncryptionHooks hooks,
                      QObject *parent);

    // Start: "Encrypt notes" shows whether passwd.txt exists (no action while starting).
    void showStartState();
    // "Encrypt notes" turned on or off.
    void CheckBox3Click(bool checked);
    // "Accept"
    void DsFancyButton1Click();
    // The status bar's switch opens the dialog on "Privacy" and never changes by itself.
    void JvSwitch2Click();

private:
    void setEncryptNotes(bool checked, bool runHandler);
    bool saveEverything();

    const ProgramState &m_state;
    Switch *m_switch;
    EncryptionHooks m_hooks;
    TForm4 &m_dialog;
};
