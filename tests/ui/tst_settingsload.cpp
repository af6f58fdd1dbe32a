#include "SettingsTestData.h"

#include "ui/dialogs/SettingsDialog.h"
#include "ui/mainwindow/SettingsApplier.h"
#include "ui/mainwindow/StatusBar.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

QWidget *named(MainWindow &window, const QString &name)
{
    QWidget *found = window.findChild<QWidget *>(name);
    Q_ASSERT(found);
    return found;
}

} // namespace

class TestSettingsLoad final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { enterUiTestMode(); }
    void init() { Messages::takeShown(); }
    void load_appliesFontsPanelsClocksAndStartPage();
    void firstStart_showsTheDesignState();
    void hiddenStatusBar_disablesItsOptions();
    void alwaysOnTop_offOnlyRaisesUntilTheNextStart();
    void sunAndCustomPanelBoxes_actAtOnce();
    void clockType_setsTheClockPanelHeight();
    void notesListHeight_appliedAndWrittenBackAsShown_data();
    void notesListHeight_appliedAndWrittenBackAsShown();
};

void TestSettingsLoad::load_appliesFontsPanelsClocksAndStartPage()
{
    QTemporaryDir dir;
    writeSettingsFile(dir.path(), unusualSettings());
    auto window = startProgram(dir.path());

    const auto fontIs = [&](const QString &name, const QString &family, int size) {
        const QFont font = named(*window, name)->font();
        return font.family() == family && font.pointSize() == size;
    };
    QVERIFY(fontIs(QStringLiteral("ListView1"), QStringLiteral("DejaVu Serif"), 14));
    QVERIFY(fontIs(QStringLiteral("ListView2"), QStringLiteral("DejaVu Serif"), 14));
    QVERIFY(fontIs(QStringLiteral("JvMemo1"), QStringLiteral("DejaVu Sans Mono"), 9));
    QVERIFY(fontIs(QStringLiteral("Notepad"), QStringLiteral("DejaVu Serif"), 17));
    for (int day = 4; day <= 10; ++day)
        QVERIFY(fontIs(QStringLiteral("ListView%1").arg(day), QStringLiteral("DejaVu Sans Mono"), 11));

    StatusBar *bar = window->statusBarPro();
    QCOMPARE(bar->panelWidth(0), 0);
    for (int panel = 1; panel <= 4; ++panel)
        QCOMPARE(bar->panelWidth(panel), 0);
    QCOMPARE(bar->panelWidth(5), 0);
    QVERIFY(bar->clock()->isHidden());
    QVERIFY(child<QWidget>(*window, "Panel1")->isHidden());

    QVERIFY(!named(*window, QStringLiteral("JvPanel2"))->isHidden());
    QVERIFY(!named(*window, QStringLiteral("JvPanel4"))->isHidden());
    QWidget *clocks = named(*window, QStringLiteral("JvPanel6"));
    QVERIFY(!clocks->isHidden());
    QCOMPARE(clocks->height(), 50);
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("JvPanel8"))->text(), QStringLiteral("Tokyo"));
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("JvPanel9"))->text(), QStringLiteral("Here"));
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("JvPanel10"))->text(), QStringLiteral("Lima"));

    QCOMPARE(SettingsApplier::hintPause(), 900);
    QVERIFY(!window->findChild<QTimer *>(QStringLiteral("Timer2"))->isActive());
    QCOMPARE(window->findChild<QTabWidget *>(QStringLiteral("PageControl1"))->currentIndex(), 2);
    QVERIFY(window->findChild<QAbstractButton *>(QStringLiteral("JvSwitch5"))->isChecked());
    QVERIFY(!window->findChild<QAbstractButton *>(QStringLiteral("JvSwitch4"))->isChecked());
    QVERIFY(!window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    const SettingsEffects::SunPlace place = window->settingsApplier().sunPlace();
    QCOMPARE(place, (SettingsEffects::SunPlace{52, 13, false, 21, 1, false}));
}

void TestSettingsLoad::firstStart_showsTheDesignState()
{
    QTemporaryDir dir;
    auto window = startProgram(dir.path());
    StatusBar *bar = window->statusBarPro();
    QCOMPARE(bar->panelWidth(0), 40);
    for (int panel = 1; panel <= 4; ++panel)
        QCOMPARE(bar->panelWidth(panel), 45);
    QCOMPARE(bar->panelWidth(5), 120);
    QVERIFY(!bar->isHidden());
    QVERIFY(!child<QWidget>(*window, "Panel1")->isHidden());
    QVERIFY(named(*window, QStringLiteral("JvPanel2"))->isHidden());
    QVERIFY(named(*window, QStringLiteral("JvPanel4"))->isHidden());
    QCOMPARE(named(*window, QStringLiteral("JvPanel6"))->height(), 80);
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("JvPanel9"))->text(), QStringLiteral("Local time"));
    QVERIFY(window->findChild<QTimer *>(QStringLiteral("Timer2"))->isActive());
    QCOMPARE(window->findChild<QTabWidget *>(QStringLiteral("PageControl1"))->currentIndex(), 0);
    QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!window->findChild<QAbstractButton *>(QStringLiteral("JvSwitch5"))->isChecked());
    QVERIFY(window->findChild<QAbstractButton *>(QStringLiteral("JvSwitch4"))->isChecked());
}

void TestSettingsLoad::hiddenStatusBar_disablesItsOptions()
{
    QTemporaryDir dir;
    Settings settings;
    settings.ShowStatusBar = false;
    writeSettingsFile(dir.path(), settings);
    auto window = startProgram(dir.path());
    window->show();
    QVERIFY(window->statusBarPro()->isHidden());
    SettingsDialog &dialog = *window->settingsDialog();
    dialog.show();
    QVERIFY(!child<QCheckBox>(dialog, "CheckBox4")->isChecked());
    QVERIFY(!child<QCheckBox>(dialog, "CheckBox5")->isEnabled());
    QVERIFY(!child<QCheckBox>(dialog, "CheckBox7")->isEnabled());
    QVERIFY(child<QCheckBox>(dialog, "CheckBox8")->isEnabled());
}

void TestSettingsLoad::alwaysOnTop_offOnlyRaisesUntilTheNextStart()
{
    QTemporaryDir dir;
    {
        auto window = startProgram(dir.path());
        window->show();
        SettingsDialog &dialog = *window->settingsDialog();
        dialog.show();
        child<QCheckBox>(dialog, "CheckBox17")->click();
        QVERIFY(!window->settings().AlwaysOnTop);
        QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window->isVisible());
        child<QPushButton>(dialog, "DsFancyButton3")->click();
    }
    auto window = startProgram(dir.path());
    QVERIFY(!window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    window->show();
    SettingsDialog &dialog = *window->settingsDialog();
    dialog.show();
    child<QCheckBox>(dialog, "CheckBox17")->click();
    QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(window->isVisible());
}

void TestSettingsLoad::sunAndCustomPanelBoxes_actAtOnce()
{
    QTemporaryDir dir;
    auto window = startProgram(dir.path());
    SettingsDialog &dialog = *window->settingsDialog();
    dialog.show();
    QWidget *sun = named(*window, QStringLiteral("JvPanel2"));
    QWidget *custom = named(*window, QStringLiteral("JvPanel4"));
    child<QCheckBox>(dialog, "CheckBox12")->click();
    QVERIFY(!sun->isHidden());
    QVERIFY(custom->isHidden());
    child<QCheckBox>(dialog, "CheckBox13")->click();
    QVERIFY(!custom->isHidden());
    child<QCheckBox>(dialog, "CheckBox14")->click();
    QVERIFY(!custom->isHidden());
    child<QCheckBox>(dialog, "CheckBox13")->click();
    QVERIFY(custom->isHidden());
    child<QCheckBox>(dialog, "CheckBox16")->click();
    QVERIFY(named(*window, QStringLiteral("JvPanel6"))->isHidden());
    // The place changes only with "Ok".
    child<QSpinBox>(dialog, "SpinEdit8")->setValue(50);
    QCOMPARE(window->settingsApplier().sunPlace().latitudeDegrees, 0);
    child<QPushButton>(dialog, "DsFancyButton3")->click();
    QCOMPARE(window->settingsApplier().sunPlace().latitudeDegrees, 50);
}

void TestSettingsLoad::clockType_setsTheClockPanelHeight()
{
    QTemporaryDir dir;
    auto window = startProgram(dir.path());
    SettingsDialog &dialog = *window->settingsDialog();
    dialog.show();
    QWidget *clocks = named(*window, QStringLiteral("JvPanel6"));
    child<QRadioButton>(dialog, "RadioButton2")->click();
    QVERIFY(!window->settings().ClockType);
    QCOMPARE(clocks->height(), 50);
    child<QRadioButton>(dialog, "RadioButton1")->click();
    QVERIFY(window->settings().ClockType);
    QCOMPARE(clocks->height(), 80);
}

void TestSettingsLoad::notesListHeight_appliedAndWrittenBackAsShown_data()
{
    QTest::addColumn<int>("stored"); // -1: no settings file, a first start
    QTest::addColumn<int>("shown");
    QTest::newRow("first start") << -1 << 189;
    QTest::newRow("stored") << 150 << 150;
}

void TestSettingsLoad::notesListHeight_appliedAndWrittenBackAsShown()
{
    QFETCH(int, stored);
    QFETCH(int, shown);
    QTemporaryDir dir;
    if (stored >= 0) {
        Settings settings;
        settings.ListViewHeight = stored;
        writeSettingsFile(dir.path(), settings);
    }
    auto window = startProgram(dir.path());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(named(*window, QStringLiteral("ListView1"))->height(), shown);
    QVERIFY(window->SaveAllNotes());
    QCOMPARE(readSettingsFile(dir.path()).ListViewHeight, shown);
}

QTEST_MAIN(TestSettingsLoad)
#include "tst_settingsload.moc"
