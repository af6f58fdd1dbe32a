#pragma once

#include <QDialog>

#include <memory>
#include <utility>

class QSoundEffect;
class SettingsApplier;
class SyncPage;
class ZoneChoosers;
class DataFolder;
struct ProgramState;
struct Settings;

namespace Ui {
class SettingsDialog;
}

// The settings dialog. Its controls edit the live settings record directly, so
// closing it by the title bar keeps every change; "Ok" applies the rest and saves.
class SettingsDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SettingsDialog)

public:
    enum class Page
    {
        General = 0,
        Autohide = 1,
        Shortcuts = 2,
        Privacy = 3,
        ExpenditureManagement = 4,
        Appearance = 5,
        Appearance2 = 6,
        WeekSchedule = 7,
        Sync = 8
    };

    // `settings` is the live record the controls edit; `state` gives the data folder.
    SettingsDialog(Settings &settings, const ProgramState &state, const DataFolder &folder, SettingsApplier &applier,
                   QWidget *parent = nullptr);
    ~SettingsDialog() override;

    Ui::SettingsDialog &ui() { return *m_ui; }

    // The "Encryption" group. runHandler: the check box acts on the change as a click would.
    bool encryptNotes() const;
    void setEncryptNotes(bool checked, bool runHandler);
    void preparePassPhraseFields(bool enabled, bool clear, bool focusFirst);
    std::pair<QString, QString> typedPassPhrases() const;
    // "Shortcuts": the group of the three hot keys.
    QWidget *hotKeysGroup() const;
    // "Sync": the server, the account and the task list.
    SyncPage &syncPage() const { return *m_sync; }

    // Modal, on the page that was current when it last closed.
    void execute();
    void executeOn(Page page);

    void FormShow();
    // "Ok"
    void DsFancyButton3Click();

    void CheckBox1Click();
    void JvxSlider1Change();
    void CheckBox3Click();
    void DsFancyButton1Click();
    void CheckBox4Click();
    void CheckBox5Click();
    void CheckBox6Click();
    void CheckBox7Click();
    void CheckBox8Click();
    void CheckBox9Click();
    void DsFancyButton2Click();
    void CheckBox12Click();
    void CheckBox13Click();
    void CheckBox16Click();
    void CheckBox17Click();
    void RadioButton1Click();
    void RadioButton2Click();
    void Edit1Change();
    void Edit2Change();
    void Edit3Change();
    void JvFontComboBox1Change();
    void JvFontComboBox2Change();
    void JvFontComboBox3Change();
    void JvFontComboBox4Change();
    void SpinEdit3Change();
    void SpinEdit4Change();
    void SpinEdit5Change();
    void SpinEdit14Change();

Q_SIGNALS:
    // "Encrypt notes" turned on or off, and "Accept": the pass-phrase handling acts on these.
    void encryptNotesToggled(bool on);
    void acceptPassPhrase();
    // "Ok": the record is complete; the window refreshes and saves.
    void settingsConfirmed();
    // "Hide automatically" turned on or off.
    void autohideToggled();
    // One of the three hot keys turned on or off; the record already holds the new value.
    void hotKeysToggled();

protected:
    void showEvent(QShowEvent *event) override;

private:
    ZoneChoosers *m_zones = nullptr;
    SyncPage *m_sync = nullptr;
    void connectHandlers();
    // The enabled states and texts that follow other controls.
    void updateDependentControls();
    void centreOnDesktop();

    std::unique_ptr<Ui::SettingsDialog> m_ui;
    Settings &m_settings;
    const ProgramState &m_state;
    const DataFolder &m_folder;
    SettingsApplier &m_applier;
    QSoundEffect *m_sound = nullptr;
};
