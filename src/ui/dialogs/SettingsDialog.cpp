#include "ui/dialogs/SettingsDialog.h"

#include "ui/dialogs/SettingsBinder.h"
#include "ui/dialogs/SyncPage.h"
#include "ui/dialogs/ZoneChoosers.h"
#include "ui/mainwindow/SettingsApplier.h"
#include "ui/widgets/TabCaptions.h"
#include "ui_SettingsDialog.h"

#include "core/LocaleFormats.h"
#include "core/ProgramState.h"
#include "settings/Settings.h"
#include "settings/SettingsEffects.h"
#include "storage/DataFolder.h"

#include <QScreen>
#include <QSignalBlocker>
#include <QSoundEffect>
#include <QUrl>

SettingsDialog::SettingsDialog(Settings &settings, const ProgramState &state, const DataFolder &folder,
                               SettingsApplier &applier, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::SettingsDialog>()), m_settings(settings), m_state(state),
      m_folder(folder), m_applier(applier)
{
    m_ui->setupUi(this);
    showWholeTabCaptions(m_ui->PageControl1);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    SettingsBinder::applyRanges(this);
    {
        // Set while the program starts, so that it acts on nothing.
        const QSignalBlocker block(m_ui->CheckBox3);
        m_ui->CheckBox3->setChecked(m_folder.isProtected());
    }
    // The record first: the handlers below read what the controls have just written.
    SettingsBinder::connectControls(this, m_settings);
    // "Ctrl+T" is held by the record but never stored.
    connect(m_ui->CheckBox23, &QCheckBox::toggled, this, [this](bool on) { m_settings.TodayEventsShortcut = on; });
    for (QCheckBox *box : {m_ui->CheckBox2, m_ui->CheckBox20, m_ui->CheckBox23})
        connect(box, &QCheckBox::toggled, this, &SettingsDialog::hotKeysToggled);
    connectHandlers();
    m_zones = new ZoneChoosers(m_settings, this);
    m_sync = new SyncPage(m_settings, this);
}

SettingsDialog::~SettingsDialog() = default;

bool SettingsDialog::encryptNotes() const
{
    return m_ui->CheckBox3->isChecked();
}

void SettingsDialog::setEncryptNotes(bool checked, bool runHandler)
{
    const QSignalBlocker blocker(runHandler ? nullptr : m_ui->CheckBox3);
    m_ui->CheckBox3->setChecked(checked);
}

void SettingsDialog::preparePassPhraseFields(bool enabled, bool clear, bool focusFirst)
{
    m_ui->JvEdit1->setEnabled(enabled);
    m_ui->JvEdit2->setEnabled(enabled);
    if (clear) {
        m_ui->JvEdit1->clear();
        m_ui->JvEdit2->clear();
    }
    if (focusFirst)
        m_ui->JvEdit1->setFocus();
}

std::pair<QString, QString> SettingsDialog::typedPassPhrases() const
{
    return {m_ui->JvEdit1->text(), m_ui->JvEdit2->text()};
}

QWidget *SettingsDialog::hotKeysGroup() const
{
    return m_ui->GroupBox8;
}

void SettingsDialog::connectHandlers()
{
    Ui::SettingsDialog &ui = *m_ui;
    connect(ui.DsFancyButton3, &QPushButton::clicked, this, &SettingsDialog::DsFancyButton3Click);
    connect(ui.CheckBox1, &QCheckBox::toggled, this, &SettingsDialog::CheckBox1Click);
    connect(ui.JvxSlider1, &QSlider::valueChanged, this, &SettingsDialog::JvxSlider1Change);
    connect(ui.CheckBox3, &QCheckBox::toggled, this, &SettingsDialog::CheckBox3Click);
    connect(ui.DsFancyButton1, &QPushButton::clicked, this, &SettingsDialog::DsFancyButton1Click);
    connect(ui.CheckBox4, &QCheckBox::toggled, this, &SettingsDialog::CheckBox4Click);
    connect(ui.CheckBox5, &QCheckBox::toggled, this, &SettingsDialog::CheckBox5Click);
    connect(ui.CheckBox6, &QCheckBox::toggled, this, &SettingsDialog::CheckBox6Click);
    connect(ui.CheckBox7, &QCheckBox::toggled, this, &SettingsDialog::CheckBox7Click);
    connect(ui.CheckBox8, &QCheckBox::toggled, this, &SettingsDialog::CheckBox8Click);
    connect(ui.CheckBox9, &QCheckBox::toggled, this, &SettingsDialog::CheckBox9Click);
    connect(ui.DsFancyButton2, &QPushButton::clicked, this, &SettingsDialog::DsFancyButton2Click);
    connect(ui.CheckBox12, &QCheckBox::toggled, this, &SettingsDialog::CheckBox12Click);
    for (QCheckBox *box : {ui.CheckBox13, ui.CheckBox14, ui.CheckBox15})
        connect(box, &QCheckBox::toggled, this, &SettingsDialog::CheckBox13Click);
    connect(ui.CheckBox16, &QCheckBox::toggled, this, &SettingsDialog::CheckBox16Click);
    for (QCheckBox *box : {ui.CheckBox17, ui.CheckBox19})
        connect(box, &QCheckBox::toggled, this, &SettingsDialog::CheckBox17Click);
    connect(ui.RadioButton1, &QRadioButton::toggled, this, &SettingsDialog::RadioButton1Click);
    connect(ui.RadioButton2, &QRadioButton::toggled, this, &SettingsDialog::RadioButton2Click);
    connect(ui.Edit1, &QLineEdit::textChanged, this, &SettingsDialog::Edit1Change);
    connect(ui.Edit2, &QLineEdit::textChanged, this, &SettingsDialog::Edit2Change);
    connect(ui.Edit3, &QLineEdit::textChanged, this, &SettingsDialog::Edit3Change);
    connect(ui.JvFontComboBox1, &QFontComboBox::currentFontChanged, this, &SettingsDialog::JvFontComboBox1Change);
    connect(ui.JvFontComboBox2, &QFontComboBox::currentFontChanged, this, &SettingsDialog::JvFontComboBox2Change);
    connect(ui.JvFontComboBox3, &QFontComboBox::currentFontChanged, this, &SettingsDialog::JvFontComboBox3Change);
    connect(ui.JvFontComboBox4, &QFontComboBox::currentFontChanged, this, &SettingsDialog::JvFontComboBox4Change);
    for (QSpinBox *spin : {ui.SpinEdit3, ui.SpinEdit15})
        connect(spin, &QSpinBox::valueChanged, this, &SettingsDialog::SpinEdit3Change);
    connect(ui.SpinEdit4, &QSpinBox::valueChanged, this, &SettingsDialog::SpinEdit4Change);
    connect(ui.SpinEdit5, &QSpinBox::valueChanged, this, &SettingsDialog::SpinEdit5Change);
    connect(ui.SpinEdit14, &QSpinBox::valueChanged, this, &SettingsDialog::SpinEdit14Change);
}

void SettingsDialog::execute()
{
    exec();
}

void SettingsDialog::executeOn(Page page)
{
    m_ui->PageControl1->setCurrentIndex(static_cast<int>(page));
    exec();
}

void SettingsDialog::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void SettingsDialog::FormShow()
{
    // Other windows change some settings too (the week schedule's switches, the sort menu).
    SettingsBinder::showValues(this, m_settings);
    m_zones->showSettings();
    m_sync->showSettings();
    {
        const QSignalBlocker block(m_ui->CheckBox23);
        m_ui->CheckBox23->setChecked(m_settings.TodayEventsShortcut);
    }
    updateDependentControls();
    m_ui->JvFilenameEdit1->setFilter(QStringLiteral("Wave files (*.wav)"));
    m_ui->JvFilenameEdit1->setInitialDir(m_state.AppDir);
    centreOnDesktop();
}

void SettingsDialog::updateDependentControls()
{
    const Settings &settings = m_settings;
    const bool alerts = SettingsEffects::alertControlsEnabled(settings);
    m_ui->CheckBox10->setEnabled(alerts);
    m_ui->JvFilenameEdit1->setEnabled(alerts);
    m_ui->DsFancyButton2->setEnabled(alerts);
    for (QCheckBox *box : {m_ui->CheckBox5, m_ui->CheckBox6, m_ui->CheckBox7})
        box->setEnabled(settings.ShowStatusBar);
    JvxSlider1Change();
}

void SettingsDialog::centreOnDesktop()
{
    if (const QScreen *screen = (parentWidget() ? parentWidget() : this)->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void SettingsDialog::DsFancyButton3Click()
{
    Settings &settings = m_settings;
    SettingsEffects::orderCustomPanelTimes(settings);
    SettingsBinder::showValues(this, settings);
    m_applier.applyWeekSwitches();
    m_applier.applyHintPause();
    m_applier.applySunPlace();
    Q_EMIT settingsConfirmed();
    accept();
}

void SettingsDialog::CheckBox1Click()
{
    Q_EMIT autohideToggled();
}

void SettingsDialog::JvxSlider1Change()
{
    m_ui->JvLabel1->setText(
        SettingsEffects::autohideDelayText(m_settings.AutohideDelay, LocaleFormats::system().decimalSeparator));
}

void SettingsDialog::CheckBox3Click()
{
    Q_EMIT encryptNotesToggled(m_ui->CheckBox3->isChecked());
}

void SettingsDialog::DsFancyButton1Click()
{
    Q_EMIT acceptPassPhrase();
}

void SettingsDialog::CheckBox4Click()
{
    const bool shown = m_settings.ShowStatusBar;
    m_applier.setStatusBarVisible(shown);
    for (QCheckBox *box : {m_ui->CheckBox5, m_ui->CheckBox6, m_ui->CheckBox7})
        box->setEnabled(shown);
}

void SettingsDialog::CheckBox5Click()
{
    m_applier.setEncryptionPanelWidth(SettingsEffects::encryptionPanelWidth(m_settings.ShowEncryptionIcon));
}

void SettingsDialog::CheckBox6Click()
{
    m_applier.setCounterPanelWidth(SettingsEffects::counterPanelWidthFromDialog(m_settings.ShowNumberOfNotes));
}

void SettingsDialog::CheckBox7Click()
{
    m_applier.setClockPanelWidth(SettingsEffects::clockPanelWidth(m_settings.ShowClockAndDate));
}

void SettingsDialog::CheckBox8Click()
{
    m_applier.setDetailsPanelVisible(m_settings.ShowHyperlinksPanel);
}

void SettingsDialog::CheckBox9Click()
{
    updateDependentControls();
}

void SettingsDialog::DsFancyButton2Click()
{
    if (!m_sound)
        m_sound = new QSoundEffect(this);
    // Asynchronous and once; a missing file or audio device simply plays nothing.
    m_sound->stop();
    m_sound->setSource(QUrl::fromLocalFile(m_settings.WAVfile));
    m_sound->setLoopCount(1);
    m_sound->play();
}

void SettingsDialog::CheckBox12Click()
{
    m_applier.applySunPanel();
}

void SettingsDialog::CheckBox13Click()
{
    m_applier.applyCustomPanel();
}

void SettingsDialog::CheckBox16Click()
{
    m_applier.applyClockPanel();
}

void SettingsDialog::CheckBox17Click()
{
    m_applier.applyAlwaysOnTop();
}

void SettingsDialog::RadioButton1Click()
{
    if (m_ui->RadioButton1->isChecked())
        m_applier.applyClockPanel();
}

void SettingsDialog::RadioButton2Click()
{
    if (m_ui->RadioButton2->isChecked())
        m_applier.applyClockPanel();
}

void SettingsDialog::Edit1Change()
{
    m_applier.applyClockCaption(0);
}

void SettingsDialog::Edit2Change()
{
    m_applier.applyClockCaption(1);
}

void SettingsDialog::Edit3Change()
{
    m_applier.applyClockCaption(2);
}

void SettingsDialog::JvFontComboBox1Change()
{
    m_applier.applyListFont();
}

void SettingsDialog::JvFontComboBox2Change()
{
    m_applier.applyDetailsFont();
}

void SettingsDialog::JvFontComboBox3Change()
{
    m_applier.applyNotepadFont();
}

void SettingsDialog::JvFontComboBox4Change()
{
    m_applier.applyWeekFont();
}

void SettingsDialog::SpinEdit3Change()
{
    m_applier.applyListFont();
}

void SettingsDialog::SpinEdit4Change()
{
    m_applier.applyDetailsFont();
}

void SettingsDialog::SpinEdit5Change()
{
    m_applier.applyNotepadFont();
}

void SettingsDialog::SpinEdit14Change()
{
    m_applier.applyWeekFont();
}
