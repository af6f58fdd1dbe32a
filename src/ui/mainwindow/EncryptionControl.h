#pragma once

#include <QObject>

#include <functional>

class DataFolder;
class Switch;
class SettingsDialog;
struct ProgramState;

// The "Encryption" group of the settings dialog and the status bar's encryption
// switch: turning the pass phrase protection on and off.
class EncryptionControl final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EncryptionControl)

public:
    // saveAllDataFiles is false when a file was not written; the error has been shown.
    EncryptionControl(DataFolder &folder, const ProgramState &state, Switch *statusSwitch, SettingsDialog &dialog,
                      std::function<bool()> saveAllDataFiles, QObject *parent);

    // Start: "Encrypt notes" shows whether passwd.txt exists (no action while starting).
    void showStartState();
    // "Encrypt notes" turned on or off.
    void CheckBox3Click(bool checked);
    // "Accept"
    void DsFancyButton1Click();
    // The status bar's switch opens the dialog on "Privacy" and never changes by itself.
    void JvSwitch2Click();

Q_SIGNALS:
    // A new pass phrase protects the data from now on.
    void passPhraseAccepted();

private:
    void setEncryptNotes(bool checked, bool runHandler);
    bool saveEverything();

    DataFolder &m_folder;
    const ProgramState &m_state;
    Switch *m_switch;
    std::function<bool()> m_saveAllDataFiles;
    SettingsDialog &m_dialog;
};
