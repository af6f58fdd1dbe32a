#pragma once

#include <QObject>

class TForm1;
class TForm4;

// The "Encryption" group of the settings dialog and the status bar's encryption
// switch: turning the pass phrase protection on and off.
class EncryptionControl final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EncryptionControl)

public:
    EncryptionControl(TForm1 &mainWindow, TForm4 &dialog);

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

    TForm1 &m_main;
    TForm4 &m_dialog;
};
