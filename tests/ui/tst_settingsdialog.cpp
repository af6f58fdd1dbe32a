#include "SettingsTestData.h"

#include "ui/dialogs/SettingsDialog.h"
#include "ui/mainwindow/SettingsApplier.h"
#include "ui/mainwindow/StatusBar.h"
#include "ui/widgets/ColorButton.h"
#include "ui/widgets/FilenameEdit.h"

#include "core/LocaleFormats.h"

#include <QByteArrayList>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>

#include <functional>

namespace {

// Runs `inside` while the dialog is open modally, then closes it by the title bar.
void whileOpen(MainWindow &window, const std::function<void(SettingsDialog &)> &open,
               const std::function<void(SettingsDialog &)> &inside)
{
    SettingsDialog &dialog = *window.settingsDialog();
    bool ran = false;
    QTimer::singleShot(0, &dialog, [&] {
        ran = dialog.isVisible() && dialog.isModal();
        inside(dialog);
        if (dialog.isVisible())
            dialog.close();
    });
    open(dialog);
    QVERIFY(ran);
}

} // namespace

class TestSettingsDialog final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { enterUiTestMode(); }
    void init() { Messages::takeShown(); }
    void controls_showTheLoadedSettings();
    void showAndOk_writesTheSameSettingsBack();
    void editingControls_changesRecordAtOnce_andOkSaves();
    void ok_swapsReversedCustomPanelTimes();
    void titleBarClose_keepsEdits_butSkipsOkSteps();
    void opening_showsTheLastPageAgain();
    void tabs_allCaptionsShowWhole();
    void radioGroups_keepOneChoice_data();
    void radioGroups_keepOneChoice();
    void statusBarBoxes_actAtOnce();
    void alertsBox_enablesTheSoundControls();
    void autohideSlider_showsSeconds();
    void autohideTurnedOff_showsTheHiddenWindow();
    void clockNames_followEveryKeystroke();
    void listFont_changesOnlyTheTwoLists();
    void soundFile_chooserOpensInTheDataFolder();
    void encryptionControls_existAndReport();
};

void TestSettingsDialog::controls_showTheLoadedSettings()
{
    QTemporaryDir dir;
    writeSettingsFile(dir.path(), unusualSettings());
    auto window = startProgram(dir.path());
    SettingsDialog &dialog = *window->settingsDialog();
    dialog.show();
    QCOMPARE(child<QCheckBox>(dialog, "CheckBox1")->isChecked(), true);
    QVERIFY(child<QRadioButton>(dialog, "JvRadioButton3")->isChecked());
    QVERIFY(!child<QRadioButton>(dialog, "JvRadioButton1")->isChecked());
    QCOMPARE(child<QSlider>(dialog, "JvxSlider1")->value(), 40);
    QCOMPARE(child<QCheckBox>(dialog, "CheckBox2")->isChecked(), false);
    QCOMPARE(child<QCheckBox>(dialog, "CheckBox6")->isChecked(), false);
    QCOMPARE(child<QCheckBox>(dialog, "CheckBox8")->isChecked(), false);
    QCOMPARE(child<QSpinBox>(dialog, "SpinEdit1")->value(), 12);
    QCOMPARE(child<QSpinBox>(dialog, "SpinEdit2")->value(), 5);
    QCOMPARE(child<FilenameEdit>(dialog, "JvFilenameEdit1")->fileName(), QStringLiteral("/tmp/ding.wav"));
    QCOMPARE(child<QFontComboBox>(dialog, "JvFontComboBox2")->currentText(), QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(child<QSpinBox>(dialog, "SpinEdit5")->value(), 17);
    QCOMPARE(child<QCheckBox>(dialog, "CheckBox11")->isChecked(), false);
    QCOMPARE(child<QSpinBox>(dialog, "SpinEdit6")->value(), 33);
    QCOMPARE(child<QTimeEdit>(dialog, "JvTimeEdit1")->time(), QTime(7, 30));
    QCOMPARE(child<QTimeEdit>(dialog, "JvTimeEdit2")->time(), QTime(16, 45));
    QCOMPARE(child<QSpinBox>(dialog, "SpinEdit7")->value(), 21);
    QCOMPARE(child<QSpinBox>(dialog, "SpinEdit10")->value(), 13);
    QVERIFY(child<QRadioButton>(dialog, "JvRadioButton8")->isChecked()); // west
    QVERIFY(child<QRadioButton>(dialog, "JvRadioButton6")->isChecked()); // south
    QVERIFY(child<QRadioButton>(dialog, "RadioButton2")->isChecked());   // digital
    QCOMPARE(child<QLineEdit>(dialog, "Edit1")->text(), QStringLiteral("Tokyo"));
    QCOMPARE(child<QDoubleSpinBox>(dialog, "JvSpinEdit3")->value(), -6.5);
    QCOMPARE(child<QCheckBox>(dialog, "CheckBox17")->isChecked(), false);
    QCOMPARE(child<QSpinBox>(dialog, "SpinEdit12")->value(), 900);
    QCOMPARE(child<ColorButton>(dialog, "JvColorButton1")->colour(), 0x102030u);
    QCOMPARE(child<ColorButton>(dialog, "JvColorButton2")->colour(), 0xA0B0C0u);
    QVERIFY(child<QRadioButton>(dialog, "RadioButton3")->isChecked());
    QCOMPARE(child<QLineEdit>(dialog, "Edit4")->text(), QStringLiteral("EUR"));
    QCOMPARE(child<QSpinBox>(dialog, "SpinEdit13")->value(), 365);
    QVERIFY(child<QRadioButton>(dialog, "JvRadioButton10")->isChecked());
    QVERIFY(child<QRadioButton>(dialog, "RadioButton7")->isChecked());
    QCOMPARE(child<QSpinBox>(dialog, "SpinEdit15")->value(), 30);
    QCOMPARE(child<QSlider>(dialog, "JvxSlider2")->value(), 35);
    QCOMPARE(child<QSlider>(dialog, "JvxSlider3")->value(), 80);
    QVERIFY(child<QRadioButton>(dialog, "JvRadioButton11")->isChecked());
    QCOMPARE(child<QCheckBox>(dialog, "CheckBox22")->isChecked(), false);
    QCOMPARE(child<ColorButton>(dialog, "JvColorButton3")->colour(), 0x0000FFu);
    QCOMPARE(child<ColorButton>(dialog, "JvColorButton5")->colour(), 0x00FF00u);
    QCOMPARE(child<ColorButton>(dialog, "JvColorButton9")->colour(), 0x123456u);
    QCOMPARE(child<ColorButton>(dialog, "JvColorButton4")->colour(), 16777215u);
    // The unstored box is on at every start.
    QVERIFY(child<QCheckBox>(dialog, "CheckBox23")->isChecked());
    dialog.close();
}

void TestSettingsDialog::showAndOk_writesTheSameSettingsBack()
{
    QTemporaryDir dir;
    const Settings written = unusualSettings();
    writeSettingsFile(dir.path(), written);
    auto window = startProgram(dir.path());
    window->settingsDialog()->show();
    child<QPushButton>(*window->settingsDialog(), "DsFancyButton3")->click();
    QVERIFY(!window->settingsDialog()->isVisible());
    Settings saved = readSettingsFile(dir.path());
    // What the main window holds is its own current state.
    saved.FormWidth = written.FormWidth;
    saved.FormHeight = written.FormHeight;
    saved.ListViewHeight = written.ListViewHeight;
    saved.ListView1Column0Width = written.ListView1Column0Width;
    saved.ListView1Column1Width = written.ListView1Column1Width;
    saved.ListView1Column2Width = written.ListView1Column2Width;
    QVERIFY(saved == written);
}

void TestSettingsDialog::editingControls_changesRecordAtOnce_andOkSaves()
{
    QTemporaryDir dir;
    auto window = startProgram(dir.path());
    Settings &settings = window->settings();
    SettingsDialog &dialog = *window->settingsDialog();
    dialog.show();

    child<QSpinBox>(dialog, "SpinEdit1")->setValue(9);
    QCOMPARE(settings.UpcomingEventsTime, 9);
    child<QCheckBox>(dialog, "CheckBox9")->click();
    QVERIFY(settings.ShowAlerts);
    child<QLineEdit>(dialog, "Edit4")->setText(QStringLiteral("USD"));
    QCOMPARE(settings.Currency, QStringLiteral("USD"));
    child<QRadioButton>(dialog, "RadioButton3")->click();
    QVERIFY(settings.CurrencyPrefix);
    QVERIFY(!settings.CurrencySuffix);
    child<QTimeEdit>(dialog, "JvTimeEdit1")->setTime(QTime(6, 15));
    QCOMPARE(settings.CustomPanelStartTime, QTime(6, 15));
    child<QTimeEdit>(dialog, "JvTimeEdit2")->setTime(QTime(20, 0));
    child<ColorButton>(dialog, "JvColorButton7")->setColour(0x00AA55);
    QCOMPARE(settings.FrBackgroundColor, 0x00AA55u);
    child<ColorButton>(dialog, "JvColorButton2")->setColour(0xFFFFFF);
    QCOMPARE(settings.UpcomingEventsFontColor, 0xFFFFFFu);
    child<QDoubleSpinBox>(dialog, "JvSpinEdit2")->setValue(2.5);
    QCOMPARE(settings.TimeZone2Shift, 2.5);
    child<QSlider>(dialog, "JvxSlider3")->setValue(45);
    QCOMPARE(settings.ShowUpcomingEventsOnDesktopPositionY, 45);
    child<FilenameEdit>(dialog, "JvFilenameEdit1")->setFileName(QStringLiteral("/x/y.wav"));
    QCOMPARE(settings.WAVfile, QStringLiteral("/x/y.wav"));
    child<QCheckBox>(dialog, "CheckBox23")->click();
    QVERIFY(!settings.TodayEventsShortcut);

    child<QPushButton>(dialog, "DsFancyButton3")->click();
    QVERIFY(!dialog.isVisible());
    const Settings saved = readSettingsFile(dir.path());
    QCOMPARE(saved.UpcomingEventsTime, 9);
    QVERIFY(saved.ShowAlerts);
    QCOMPARE(saved.Currency, QStringLiteral("USD"));
    QVERIFY(saved.CurrencyPrefix);
    QCOMPARE(saved.CustomPanelStartTime, QTime(6, 15));
    QCOMPARE(saved.CustomPanelEndTime, QTime(20, 0));
    QCOMPARE(saved.FrBackgroundColor, 0x00AA55u);
    QCOMPARE(saved.UpcomingEventsFontColor, 0xFFFFFFu);
    QCOMPARE(saved.TimeZone2Shift, 2.5);
    QCOMPARE(saved.ShowUpcomingEventsOnDesktopPositionY, 45);
    QCOMPARE(saved.WAVfile, QStringLiteral("/x/y.wav"));

    // The next start shows them again.
    window.reset();
    auto second = startProgram(dir.path());
    QCOMPARE(second->settings().Currency, QStringLiteral("USD"));
    QVERIFY(second->settings().TodayEventsShortcut);
}

void TestSettingsDialog::ok_swapsReversedCustomPanelTimes()
{
    QTemporaryDir dir;
    auto window = startProgram(dir.path());
    SettingsDialog &dialog = *window->settingsDialog();
    dialog.show();
    child<QTimeEdit>(dialog, "JvTimeEdit1")->setTime(QTime(18, 0));
    child<QTimeEdit>(dialog, "JvTimeEdit2")->setTime(QTime(8, 0));
    child<QPushButton>(dialog, "DsFancyButton3")->click();
    QCOMPARE(child<QTimeEdit>(dialog, "JvTimeEdit1")->time(), QTime(8, 0));
    QCOMPARE(child<QTimeEdit>(dialog, "JvTimeEdit2")->time(), QTime(18, 0));
    QCOMPARE(readSettingsFile(dir.path()).CustomPanelStartTime, QTime(8, 0));
}

void TestSettingsDialog::titleBarClose_keepsEdits_butSkipsOkSteps()
{
    QTemporaryDir dir;
    auto window = startProgram(dir.path());
    const int pauseAtStart = SettingsApplier::hintPause();
    QCOMPARE(pauseAtStart, 200);
    const QByteArray fileBefore = readAll(QDir(dir.path()).filePath(QStringLiteral("settings.xml")));
    whileOpen(
        *window, [&](SettingsDialog &) { window->findChild<QAction *>(QStringLiteral("Settings1"))->trigger(); },
        [](SettingsDialog &dialog) {
            child<QSpinBox>(dialog, "SpinEdit12")->setValue(1500);
            child<QTimeEdit>(dialog, "JvTimeEdit1")->setTime(QTime(18, 0));
            child<QTimeEdit>(dialog, "JvTimeEdit2")->setTime(QTime(8, 0));
            child<QRadioButton>(dialog, "JvRadioButton10")->click();
        });
    QCOMPARE(window->settings().HintDelayTime, 1500);
    QVERIFY(window->settings().WeekSortByPriority);
    // No "Ok": the pause, the times, the week switch and the file stay as they were.
    QCOMPARE(SettingsApplier::hintPause(), pauseAtStart);
    QCOMPARE(window->settings().CustomPanelStartTime, QTime(18, 0));
    QVERIFY(window->findChild<QAbstractButton *>(QStringLiteral("JvSwitch4"))->isChecked());
    QCOMPARE(readAll(QDir(dir.path()).filePath(QStringLiteral("settings.xml"))), fileBefore);

    // The next save writes the new value; "Ok" applies the pause.
    QVERIFY(window->SaveAllNotes());
    QCOMPARE(readSettingsFile(dir.path()).HintDelayTime, 1500);
    whileOpen(
        *window, [&](SettingsDialog &) { window->findChild<QAction *>(QStringLiteral("Settings1"))->trigger(); },
        [](SettingsDialog &dialog) { child<QPushButton>(dialog, "DsFancyButton3")->click(); });
    QCOMPARE(SettingsApplier::hintPause(), 1500);
    QVERIFY(!window->findChild<QAbstractButton *>(QStringLiteral("JvSwitch4"))->isChecked());
}

void TestSettingsDialog::opening_showsTheLastPageAgain()
{
    QTemporaryDir dir;
    auto window = startProgram(dir.path());
    int pageAtOpen = -1;
    whileOpen(
        *window, [&](SettingsDialog &) { window->findChild<QAction *>(QStringLiteral("Settings1"))->trigger(); },
        [&](SettingsDialog &dialog) {
            pageAtOpen = child<QTabWidget>(dialog, "PageControl1")->currentIndex();
            child<QTabWidget>(dialog, "PageControl1")->setCurrentIndex(5);
        });
    QCOMPARE(pageAtOpen, 0);
    QCOMPARE(child<QTabWidget>(*window->settingsDialog(), "PageControl1")->tabText(0), QStringLiteral("General"));
    whileOpen(
        *window, [&](SettingsDialog &) { window->findChild<QAction *>(QStringLiteral("Settings2"))->trigger(); },
        [&](SettingsDialog &dialog) { pageAtOpen = child<QTabWidget>(dialog, "PageControl1")->currentIndex(); });
    QCOMPARE(pageAtOpen, 5);
    whileOpen(
        *window, [&](SettingsDialog &dialog) { dialog.executeOn(SettingsDialog::Page::Privacy); },
        [&](SettingsDialog &dialog) { pageAtOpen = child<QTabWidget>(dialog, "PageControl1")->currentIndex(); });
    QCOMPARE(pageAtOpen, 3);
    QCOMPARE(child<QTabWidget>(*window->settingsDialog(), "PageControl1")->tabText(3), QStringLiteral("Privacy"));
}

void TestSettingsDialog::tabs_allCaptionsShowWhole()
{
    QTemporaryDir dir;
    auto window = startProgram(dir.path());
    whileOpen(
        *window, [&](SettingsDialog &) { window->findChild<QAction *>(QStringLiteral("Settings1"))->trigger(); },
        [&](SettingsDialog &dialog) {
            const QTabBar *bar = child<QTabWidget>(dialog, "PageControl1")->tabBar();
            QCOMPARE(bar->count(), 9);
            for (int k = 0; k < bar->count(); ++k) {
                QVERIFY2(bar->rect().contains(bar->tabRect(k)), qPrintable(bar->tabText(k)));
                QVERIFY(bar->tabRect(k).width() > bar->fontMetrics().horizontalAdvance(bar->tabText(k)));
            }
        });
}

void TestSettingsDialog::radioGroups_keepOneChoice_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QByteArrayList>("others");
    QTest::addColumn<QByteArray>("key");
    QTest::newRow("pop-up") << QByteArray("JvRadioButton4")
                            << QByteArrayList{"JvRadioButton1", "JvRadioButton2", "JvRadioButton3"}
                            << QByteArray("Popup4");
    QTest::newRow("start page") << QByteArray("RadioButton8")
                                << QByteArrayList{"RadioButton5", "RadioButton6", "RadioButton7"}
                                << QByteArray("StartupTab4");
    QTest::newRow("currency") << QByteArray("RadioButton3") << QByteArrayList{"RadioButton4"}
                              << QByteArray("CurrencyPrefix");
    QTest::newRow("week order") << QByteArray("JvRadioButton10") << QByteArrayList{"JvRadioButton9"}
                                << QByteArray("WeekSortByPriority");
    QTest::newRow("day names") << QByteArray("JvRadioButton11") << QByteArrayList{"JvRadioButton12"}
                               << QByteArray("ShortDayNames");
    QTest::newRow("west") << QByteArray("JvRadioButton8") << QByteArrayList{"JvRadioButton7"} << QByteArray("!LonDir");
    QTest::newRow("south") << QByteArray("JvRadioButton6") << QByteArrayList{"JvRadioButton5"} << QByteArray("!LatDir");
    QTest::newRow("digital") << QByteArray("RadioButton2") << QByteArrayList{"RadioButton1"}
                             << QByteArray("!ClockType");
    QTest::newRow("remind with the window") << QByteArray("RemindWindow") << QByteArrayList{"RemindNotification"}
                                            << QByteArray("!RemindWithNotification");
    // Two groups on one page stay apart.
    QTest::newRow("south keeps east") << QByteArray("JvRadioButton6") << QByteArrayList{"JvRadioButton5"}
                                      << QByteArray("LonDir");
}

void TestSettingsDialog::radioGroups_keepOneChoice()
{
    QFETCH(QByteArray, button);
    QFETCH(QByteArrayList, others);
    QFETCH(QByteArray, key);
    QTemporaryDir dir;
    auto window = startProgram(dir.path());
    SettingsDialog &dialog = *window->settingsDialog();
    dialog.show();
    child<QRadioButton>(dialog, button.constData())->click();
    QVERIFY(child<QRadioButton>(dialog, button.constData())->isChecked());
    for (const QByteArray &other : others)
        QVERIFY2(!child<QRadioButton>(dialog, other.constData())->isChecked(), other.constData());
    child<QPushButton>(dialog, "DsFancyButton3")->click();
    const QByteArray file = readAll(QDir(dir.path()).filePath(QStringLiteral("settings.xml")));
    const bool negated = key.startsWith('!');
    const QByteArray name = negated ? key.mid(1) : key;
    const QByteArray expected = '<' + name + '>' + (negated ? "FALSE" : "TRUE") + "</" + name + '>';
    QVERIFY2(file.contains(expected), expected.constData());
    // Exactly one choice of each group is written as TRUE.
    const Settings saved = readSettingsFile(dir.path());
    QCOMPARE(saved.Popup1 + saved.Popup2 + saved.Popup3 + saved.Popup4, 1);
    QCOMPARE(saved.StartupTab1 + saved.StartupTab2 + saved.StartupTab3 + saved.StartupTab4, 1);
    QCOMPARE(saved.CurrencyPrefix + saved.CurrencySuffix, 1);
    QCOMPARE(saved.WeekSortByTime + saved.WeekSortByPriority, 1);
    QCOMPARE(saved.ShortDayNames + saved.LongDayNames, 1);
}

void TestSettingsDialog::statusBarBoxes_actAtOnce()
{
    QTemporaryDir dir;
    auto window = startProgram(dir.path());
    window->show();
    StatusBar *bar = window->statusBarPro();
    SettingsDialog &dialog = *window->settingsDialog();
    dialog.show();
    QCOMPARE(bar->panelWidth(1), 45);

    child<QCheckBox>(dialog, "CheckBox6")->click();
    for (int panel = 1; panel <= 4; ++panel) {
        QCOMPARE(bar->panelWidth(panel), 0);
        QVERIFY(bar->panel(panel)->isHidden());
    }
    child<QCheckBox>(dialog, "CheckBox6")->click();
    // Narrower from the dialog than after a start.
    for (int panel = 1; panel <= 4; ++panel) {
        QCOMPARE(bar->panelWidth(panel), 40);
        QCOMPARE(bar->panel(panel)->width(), 40);
    }

    child<QCheckBox>(dialog, "CheckBox7")->click();
    QCOMPARE(bar->panelWidth(5), 0);
    QVERIFY(bar->clock()->isHidden());
    child<QCheckBox>(dialog, "CheckBox7")->click();
    QCOMPARE(bar->panelWidth(5), 120);
    QVERIFY(bar->clock()->isVisible());

    child<QCheckBox>(dialog, "CheckBox5")->click();
    QCOMPARE(bar->panelWidth(0), 0);
    child<QCheckBox>(dialog, "CheckBox5")->click();
    QCOMPARE(bar->panelWidth(0), 40);

    child<QCheckBox>(dialog, "CheckBox4")->click();
    QVERIFY(bar->isHidden());
    QVERIFY(!child<QCheckBox>(dialog, "CheckBox5")->isEnabled() &&
            !child<QCheckBox>(dialog, "CheckBox6")->isEnabled() && !child<QCheckBox>(dialog, "CheckBox7")->isEnabled());
    child<QCheckBox>(dialog, "CheckBox4")->click();
    QVERIFY(bar->isVisible());
    QVERIFY(child<QCheckBox>(dialog, "CheckBox5")->isEnabled() && child<QCheckBox>(dialog, "CheckBox6")->isEnabled() &&
            child<QCheckBox>(dialog, "CheckBox7")->isEnabled());

    QWidget *details = child<QWidget>(*window, "Panel1");
    QVERIFY(details->isVisible());
    child<QCheckBox>(dialog, "CheckBox8")->click();
    QVERIFY(details->isHidden());
}

void TestSettingsDialog::alertsBox_enablesTheSoundControls()
{
    QTemporaryDir dir;
    auto window = startProgram(dir.path());
    SettingsDialog &dialog = *window->settingsDialog();
    dialog.show();
    const auto enabled = [&] {
        return QList<bool>{child<QCheckBox>(dialog, "CheckBox10")->isEnabled(),
                           child<FilenameEdit>(dialog, "JvFilenameEdit1")->isEnabled(),
                           child<QPushButton>(dialog, "DsFancyButton2")->isEnabled()};
    };
    QCOMPARE(enabled(), (QList<bool>{false, false, false}));
    child<QCheckBox>(dialog, "CheckBox9")->click();
    QCOMPARE(enabled(), (QList<bool>{true, true, true}));
    child<QCheckBox>(dialog, "CheckBox9")->click();
    QCOMPARE(enabled(), (QList<bool>{false, false, false}));
}

void TestSettingsDialog::autohideSlider_showsSeconds()
{
    QTemporaryDir dir;
    auto window = startProgram(dir.path());
    SettingsDialog &dialog = *window->settingsDialog();
    dialog.show();
    const QChar point = LocaleFormats::system().decimalSeparator;
    QCOMPARE(child<QLabel>(dialog, "JvLabel1")->text(), QStringLiteral("0") + point + QStringLiteral("05 sec."));
    child<QSlider>(dialog, "JvxSlider1")->setValue(300);
    QCOMPARE(child<QLabel>(dialog, "JvLabel1")->text(), QStringLiteral("15 sec."));
    child<QSlider>(dialog, "JvxSlider1")->setValue(25);
    QCOMPARE(child<QLabel>(dialog, "JvLabel1")->text(), QStringLiteral("1") + point + QStringLiteral("25 sec."));
    QCOMPARE(window->settings().AutohideDelay, 25);
}

void TestSettingsDialog::autohideTurnedOff_showsTheHiddenWindow()
{
    QTemporaryDir dir;
    Settings settings;
    settings.Autohide = true;
    writeSettingsFile(dir.path(), settings);
    auto window = startProgram(dir.path());
    QVERIFY(!window->isVisible());
    SettingsDialog &dialog = *window->settingsDialog();
    dialog.show();
    child<QCheckBox>(dialog, "CheckBox1")->click();
    QVERIFY(!window->settings().Autohide);
    QVERIFY(window->isVisible());
}

void TestSettingsDialog::clockNames_followEveryKeystroke()
{
    QTemporaryDir dir;
    auto window = startProgram(dir.path());
    auto *caption = window->findChild<QLabel *>(QStringLiteral("JvPanel10"));
    QCOMPARE(caption->text(), QStringLiteral("T2"));
    SettingsDialog &dialog = *window->settingsDialog();
    dialog.show();
    child<QLineEdit>(dialog, "Edit3")->clear();
    QTest::keyClicks(child<QLineEdit>(dialog, "Edit3"), QStringLiteral("Os"));
    QCOMPARE(caption->text(), QStringLiteral("Os"));
    QTest::keyClick(child<QLineEdit>(dialog, "Edit3"), Qt::Key_L);
    QCOMPARE(caption->text(), QStringLiteral("Osl"));
    QCOMPARE(window->settings().TimeZone3Name, QStringLiteral("Osl"));
}

void TestSettingsDialog::listFont_changesOnlyTheTwoLists()
{
    QTemporaryDir dir;
    auto window = startProgram(dir.path());
    SettingsDialog &dialog = *window->settingsDialog();
    dialog.show();
    auto *notesList = window->findChild<QWidget *>(QStringLiteral("ListView1"));
    auto *upcomingList = window->findChild<QWidget *>(QStringLiteral("ListView2"));
    auto *dayList = window->findChild<QWidget *>(QStringLiteral("ListView4"));
    auto *notepad = window->findChild<QWidget *>(QStringLiteral("Notepad"));
    const QFont dayFont = dayList->font();
    const QFont notepadFont = notepad ? notepad->font() : QFont();
    child<QSpinBox>(dialog, "SpinEdit3")->setValue(23);
    QCOMPARE(notesList->font().pointSize(), 23);
    QCOMPARE(upcomingList->font().pointSize(), 23);
    QCOMPARE(dayList->font(), dayFont);
    if (notepad)
        QCOMPARE(notepad->font(), notepadFont);
    child<QSpinBox>(dialog, "SpinEdit14")->setValue(6);
    for (int day = 4; day <= 10; ++day)
        QCOMPARE(window->findChild<QWidget *>(QStringLiteral("ListView%1").arg(day))->font().pointSize(), 6);
    QCOMPARE(notesList->font().pointSize(), 23);
}

void TestSettingsDialog::soundFile_chooserOpensInTheDataFolder()
{
    QTemporaryDir dir;
    auto window = startProgram(dir.path());
    SettingsDialog &dialog = *window->settingsDialog();
    dialog.show();
    QCOMPARE(child<FilenameEdit>(dialog, "JvFilenameEdit1")->filter(), QStringLiteral("Wave files (*.wav)"));
    FileChoosers::queuePath(QStringLiteral("/sounds/bell.wav"));
    child<FilenameEdit>(dialog, "JvFilenameEdit1")->browse();
    QCOMPARE(FileChoosers::lastDirectory(), window->state().AppDir);
    QCOMPARE(window->settings().WAVfile, QStringLiteral("/sounds/bell.wav"));
    // Cancelling keeps the file.
    FileChoosers::queuePath(QString());
    child<FilenameEdit>(dialog, "JvFilenameEdit1")->browse();
    QCOMPARE(window->settings().WAVfile, QStringLiteral("/sounds/bell.wav"));
}

void TestSettingsDialog::encryptionControls_existAndReport()
{
    QTemporaryDir dir;
    writeAll(QDir(dir.path()).filePath(QStringLiteral("passwd.txt")), QByteArray());
    MainWindow window(dir.path() + QLatin1Char('/'));
    SettingsDialog &dialog = *window.settingsDialog();
    QVERIFY(child<QCheckBox>(dialog, "CheckBox3")->isChecked());
    QCOMPARE(child<QCheckBox>(dialog, "CheckBox3")->text(), QStringLiteral("Encrypt notes"));
    QVERIFY(!child<QLineEdit>(dialog, "JvEdit1")->isEnabled() && !child<QLineEdit>(dialog, "JvEdit2")->isEnabled());
    QCOMPARE(child<QLineEdit>(dialog, "JvEdit1")->echoMode(), QLineEdit::Password);
    QCOMPARE(child<QLineEdit>(dialog, "JvEdit1")->text().size(), 14);
    QCOMPARE(child<QLineEdit>(dialog, "JvEdit2")->text().size(), 14);
    QVERIFY(child<QLineEdit>(dialog, "JvEdit1")->text() != child<QLineEdit>(dialog, "JvEdit2")->text());
    QVERIFY(child<QPushButton>(dialog, "DsFancyButton1")->isEnabled());
    QList<bool> toggles;
    int accepts = 0;
    connect(&dialog, &SettingsDialog::encryptNotesToggled, this, [&](bool on) { toggles.append(on); });
    connect(&dialog, &SettingsDialog::acceptPassPhrase, this, [&] { ++accepts; });
    child<QCheckBox>(dialog, "CheckBox3")->click();
    child<QPushButton>(dialog, "DsFancyButton1")->click();
    QCOMPARE(toggles, QList<bool>{false});
    QCOMPARE(accepts, 1);
}

QTEST_MAIN(TestSettingsDialog)
#include "tst_settingsdialog.moc"
