#include "ui/mainwindow/EncryptionControl.h"

#include "ui/dialogs/Messages.h"
#include "ui/dialogs/SettingsDialog.h"
#include "ui/widgets/Switch.h"

#include "core/ProgramState.h"
#include "protection/Protection.h"
#include "storage/DataFolder.h"

#include <QGuiApplication>


EncryptionControl::EncryptionControl(DataFolder &folder, const ProgramState &state, Switch *statusSwitch,
                                     SettingsDialog &dialog, std::function<bool()> saveAllDataFiles, QObject *parent)
    : QObject(parent), m_folder(folder), m_state(state), m_switch(statusSwitch),
      m_saveAllDataFiles(std::move(saveAllDataFiles)), m_dialog(dialog)
{
    connect(&m_dialog, &SettingsDialog::encryptNotesToggled, this, &EncryptionControl::CheckBox3Click);
    connect(&m_dialog, &SettingsDialog::acceptPassPhrase, this, &EncryptionControl::DsFancyButton1Click);
    connect(m_switch, &Switch::clicked, this, &EncryptionControl::JvSwitch2Click);
}

void EncryptionControl::showStartState()
{
    setEncryptNotes(m_folder.isProtected(), false);
}

void EncryptionControl::setEncryptNotes(bool checked, bool runHandler)
{
    m_dialog.setEncryptNotes(checked, runHandler);
}

bool EncryptionControl::saveEverything()
{
    return m_saveAllDataFiles();
}

void EncryptionControl::CheckBox3Click(bool checked)
{
    const Protection::TEncryptToggle toggle = Protection::decideEncryptToggle(checked, m_state.StartupInProgress);
    if (toggle.action == Protection::ToggleAction::Nothing)
        return;
    if (!toggle.information.isEmpty())
        Messages::information(&m_dialog, toggle.information);
    m_dialog.preparePassPhraseFields(toggle.fieldsEnabled, toggle.clearFields, toggle.focusFirstField);
    m_switch->setChecked(toggle.switchOn);
    if (toggle.action != Protection::ToggleAction::TurnOff)
        return;

    // The files go plain first; passwd.txt goes only when every one of them was written.
    const IoResult turnedOff = m_folder.turnProtectionOff([this] { return saveEverything(); });
    if (turnedOff)
        return;
    m_switch->setChecked(true);
    setEncryptNotes(true, false);
    if (!turnedOff.error.isEmpty())
        Messages::error(&m_dialog, turnedOff.error);
}

void EncryptionControl::DsFancyButton1Click()
{
    const auto [first, second] = m_dialog.typedPassPhrases();
    // Deriving the key takes about half a second.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const Protection::TAccept accepted = m_folder.acceptPassPhrase(first, second);
    QGuiApplication::restoreOverrideCursor();
    switch (accepted.outcome) {
    case Protection::AcceptOutcome::PassPhrasesDiffer:
        setEncryptNotes(false, true);
        Messages::warning(&m_dialog, accepted.message);
        return;
    case Protection::AcceptOutcome::WriteFailed:
        Messages::error(&m_dialog, accepted.message);
        return;
    case Protection::AcceptOutcome::TurnedOn:
        setEncryptNotes(true, false);
        m_switch->setChecked(true);
        // The pass phrase lives on only in locked memory, not in the dialog's fields.
        m_dialog.preparePassPhraseFields(true, true, false);
        Q_EMIT passPhraseAccepted();
        // Every data file is enciphered at once, not only at its next save.
        if (saveEverything())
            Messages::information(&m_dialog, accepted.message);
        return;
    }
}

void EncryptionControl::JvSwitch2Click()
{
    m_switch->setChecked(m_dialog.encryptNotes());
    m_dialog.executeOn(SettingsDialog::Page::Privacy);
}
