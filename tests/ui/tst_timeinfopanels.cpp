#include "SettingsTestData.h"

#include "ui/dialogs/SettingsDialog.h"
#include "ui/mainwindow/TimeInfoPanels.h"
#include "ui/pages/ProgressPanel.h"
#include "ui/pages/TimeZonePanel.h"
#include "ui/widgets/ZoneClock.h"

#include "core/Clock.h"
#include "daypanels/DayPanels.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QImage>
#include <QLineEdit>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDate kMidsummer(2009, 6, 21);

QDateTime at(int hour, int minute, int second = 0, int msec = 0)
{
    return QDateTime(kMidsummer, QTime(hour, minute, second, msec));
}

// Warsaw: 52° 13′ N, 21° 01′ E.
Settings warsawSettings()
{
    Settings s;
    s.SunPanel = true;
    s.SunPanelShowText = true;
    s.LatDeg = 52;
    s.LatMin = 13;
    s.LatDir = true;
    s.LonDeg = 21;
    s.LonMin = 1;
    s.LonDir = true;
    s.CustomPanel = true;
    s.CustomPanelShowText = true;
    s.CustomPanelStartTime = QTime(8, 0);
    s.CustomPanelEndTime = QTime(16, 0);
    s.TimeZonePanel = true;
    s.TimeZone1Shift = -5.5;
    s.TimeZone2Shift = 0;
    s.TimeZone3Shift = 13;
    return s;
}

QTime timeOf(TDateTime value)
{
    return DateTime::toQDateTime(value).time();
}

QString minutesOf(QTime time)
{
    return time.toString(QStringLiteral("HH:mm"));
}

// Start the program on `dir` at `now`, which also fixes the sun component's date.
std::unique_ptr<MainWindow> startAt(const QString &dir, const Settings &settings, const QDateTime &now)
{
    writeSettingsFile(dir, settings);
    Clock::setNowForTesting(now);
    return startProgram(dir);
}

ProgressPanel &sunPanel(MainWindow &window)
{
    return *child<ProgressPanel>(window, "JvPanel2");
}

ProgressPanel &customPanel(MainWindow &window)
{
    return *child<ProgressPanel>(window, "JvPanel4");
}

TimeZonePanel &clockPanel(MainWindow &window)
{
    return *child<TimeZonePanel>(window, "JvPanel6");
}

QImage picture(QWidget &widget)
{
    return widget.grab().toImage();
}

} // namespace

class TestTimeInfoPanels final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { enterUiTestMode(); }
    void init() { Messages::takeShown(); }
    void cleanup() { Clock::resetForTesting(); }

    void placeFromSettings_reachesTheSunComponent();
    void sunPanel_afterTimer2_data();
    void sunPanel_afterTimer2();
    void sunPanel_textOff_barHasNoText();
    void sunPanel_followsTheDate_data();
    void sunPanel_followsTheDate();
    void panelsSwitchedOff_keepTheirFormCaptions();
    void customPanel_afterTimer2_data();
    void customPanel_afterTimer2();
    void customPanel_bothMidnight_countsFromMidnight_keepsBarAtTheInstant();
    void dialogOk_movesThePlace_onlyOnOk();
    void bar_fillsGreenToYellowOnBlack();
    void clocks_showShiftedLocalTime_inFiveSecondSteps();
    void clocks_panelOff_getNoTime();
    void zoneLists_setTheClocksZoneAndCaption_andThePlace();
    void clockType_switchesFaceAndStripHeight();
    void clockFace_drawsHoursAndMinutes_noSeconds_data();
    void clockFace_drawsHoursAndMinutes_noSeconds();
};

void TestTimeInfoPanels::placeFromSettings_reachesTheSunComponent()
{
    QTemporaryDir dir;
    auto window = startAt(dir.path(), warsawSettings(), at(12, 0));
    TSunTime &sun = window->timeInfo().SunTime1();
    QVERIFY(std::fabs(sun.Latitude().DecimalValue() - (52 + 13 / 60.0)) < 1e-9);
    // East is negative for the sun formulas.
    QVERIFY(std::fabs(sun.Longitude().DecimalValue() + (21 + 1 / 60.0)) < 1e-9);
    QVERIFY(sun.UseSysTimeZone());
    QCOMPARE(DateTime::toQDate(sun.Date()), kMidsummer);
    // Almanac times for Warsaw on midsummer day, summer time.
    QCOMPARE(minutesOf(timeOf(sun.Sunrise())), QStringLiteral("04:14"));
    QCOMPARE(minutesOf(timeOf(sun.Sunset())), QStringLiteral("21:01"));
}

void TestTimeInfoPanels::sunPanel_afterTimer2_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<bool>("daylight");
    QTest::addColumn<int>("percent");
    QTest::addColumn<QString>("left");

    // Sunrise 04:14:18, sunset 21:01:09; the night is 7 h 13 min 9 s long.
    QTest::newRow("noon, in daylight") << at(12, 0) << true << 46 << QStringLiteral("09:01");
    QTest::newRow("22:00, after sunset") << at(22, 0) << false << 14 << QStringLiteral("06:14");
    QTest::newRow("03:00, before sunrise") << at(3, 0) << false << 83 << QStringLiteral("01:14");
}

void TestTimeInfoPanels::sunPanel_afterTimer2()
{
    QFETCH(QDateTime, now);
    QFETCH(bool, daylight);
    QFETCH(int, percent);
    QFETCH(QString, left);

    QTemporaryDir dir;
    // Started in the afternoon, so the first step at load is not the one checked.
    auto window = startAt(dir.path(), warsawSettings(), at(15, 0));
    TSunTime &sun = window->timeInfo().SunTime1();
    const QString sunrise = window->localeFormats().formatTime(timeOf(sun.Sunrise()));
    const QString sunset = window->localeFormats().formatTime(timeOf(sun.Sunset()));

    Clock::setNowForTesting(now);
    window->Timer2Timer();
    ProgressPanel &panel = sunPanel(*window);
    if (daylight) {
        QCOMPARE(panel.leftLabel()->text(), QStringLiteral(" Sunrise ") + sunrise);
        QCOMPARE(panel.rightLabel()->text(), QStringLiteral("Sunset ") + sunset + QStringLiteral("  "));
    } else {
        QCOMPARE(panel.leftLabel()->text(), QStringLiteral(" Sunset ") + sunset);
        QCOMPARE(panel.rightLabel()->text(), QStringLiteral("Sunrise ") + sunrise + QStringLiteral("  "));
    }
    QCOMPARE(panel.bar()->value(), percent);
    QCOMPARE(panel.bar()->text(), left);
}

void TestTimeInfoPanels::sunPanel_followsTheDate_data()
{
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QDateTime>("later");
    // Near the equinox the times move by minutes a day.
    const QDateTime lastMinute(QDate(2009, 3, 20), QTime(23, 59, 30));
    QTest::newRow("over midnight") << lastMinute << lastMinute.addSecs(60);
    QTest::newRow("half a year on") << at(15, 0) << QDateTime(QDate(2009, 12, 21), QTime(12, 0));
}

void TestTimeInfoPanels::sunPanel_followsTheDate()
{
    QFETCH(QDateTime, start);
    QFETCH(QDateTime, later);
    QTemporaryDir dir;
    auto window = startAt(dir.path(), warsawSettings(), start);
    Clock::advanceForTesting(start.msecsTo(later));
    window->Timer2Timer();

    TSunTime thatDay(DateTime::fromQDateTime(later));
    feedPlace(thatDay, SunPlace{52, 13, true, 21, 1, true});
    const ProgressPanelView expected =
        ::sunPanelStep(thatDay.Sunrise(), thatDay.Sunset(), Clock::nowValue(), true, window->localeFormats(), 0);
    QCOMPARE(sunPanel(*window).leftLabel()->text(), expected.leftLabel);
    QCOMPARE(sunPanel(*window).rightLabel()->text(), expected.rightLabel);
    QCOMPARE(sunPanel(*window).bar()->text(), expected.barText);
}

void TestTimeInfoPanels::sunPanel_textOff_barHasNoText()
{
    QTemporaryDir dir;
    Settings settings = warsawSettings();
    settings.SunPanelShowText = false;
    auto window = startAt(dir.path(), settings, at(12, 0));
    QProgressBar *bar = sunPanel(*window).bar();
    QCOMPARE(bar->value(), 46);
    QVERIFY(bar->text().isEmpty());
    // The custom panel has its own switch.
    QCOMPARE(customPanel(*window).bar()->text(), QStringLiteral("04:00"));
}

void TestTimeInfoPanels::panelsSwitchedOff_keepTheirFormCaptions()
{
    QTemporaryDir dir;
    Settings settings = warsawSettings();
    settings.SunPanel = false;
    settings.CustomPanel = false;
    auto window = startAt(dir.path(), settings, at(12, 0));
    window->Timer2Timer();
    QCOMPARE(sunPanel(*window).leftLabel()->text(), QStringLiteral("Sunrise"));
    QCOMPARE(sunPanel(*window).rightLabel()->text(), QStringLiteral("Sunset"));
    QCOMPARE(sunPanel(*window).bar()->text(), QStringLiteral("Progress...[0%]"));
    QCOMPARE(customPanel(*window).leftLabel()->text(), QStringLiteral("n/a"));
    QCOMPARE(customPanel(*window).rightLabel()->text(), QStringLiteral("n/a"));
    QCOMPARE(customPanel(*window).bar()->value(), 0);

    // Switched on in the dialog, the panel fills at the next step.
    window->settings().CustomPanel = true;
    window->Timer2Timer();
    QCOMPARE(customPanel(*window).bar()->value(), 50);
}

void TestTimeInfoPanels::customPanel_afterTimer2_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<bool>("inside");
    QTest::addColumn<int>("percent");
    QTest::addColumn<QString>("left");

    QTest::newRow("10:00 inside") << at(10, 0) << true << 25 << QStringLiteral("06:00");
    QTest::newRow("20:00 after the end") << at(20, 0) << false << 25 << QStringLiteral("12:00");
    QTest::newRow("07:00 before the start") << at(7, 0) << false << 94 << QStringLiteral("01:00");
}

void TestTimeInfoPanels::customPanel_afterTimer2()
{
    QFETCH(QDateTime, now);
    QFETCH(bool, inside);
    QFETCH(int, percent);
    QFETCH(QString, left);

    QTemporaryDir dir;
    auto window = startAt(dir.path(), warsawSettings(), at(15, 0));
    const QString start = window->localeFormats().formatTime(QTime(8, 0));
    const QString end = window->localeFormats().formatTime(QTime(16, 0));

    Clock::setNowForTesting(now);
    window->Timer2Timer();
    ProgressPanel &panel = customPanel(*window);
    if (inside) {
        QCOMPARE(panel.leftLabel()->text(), QStringLiteral("  ") + start);
        QCOMPARE(panel.rightLabel()->text(), QStringLiteral(" ") + end + QStringLiteral("  "));
    } else {
        QCOMPARE(panel.leftLabel()->text(), QStringLiteral(" ") + end);
        QCOMPARE(panel.rightLabel()->text(), start + QStringLiteral("  "));
    }
    QCOMPARE(panel.bar()->value(), percent);
    QCOMPARE(panel.bar()->text(), left);
}

void TestTimeInfoPanels::customPanel_bothMidnight_countsFromMidnight_keepsBarAtTheInstant()
{
    QTemporaryDir dir;
    Settings settings = warsawSettings();
    settings.CustomPanelStartTime = QTime(0, 0);
    settings.CustomPanelEndTime = QTime(0, 0);
    auto window = startAt(dir.path(), settings, at(6, 0));
    ProgressPanel &panel = customPanel(*window);
    QCOMPARE(panel.bar()->value(), 25);
    QCOMPARE(panel.bar()->text(), QStringLiteral("18:00"));

    // Exactly at midnight the share is zero over zero: the bar stays where it was.
    Clock::setNowForTesting(QDateTime(kMidsummer.addDays(1), QTime(0, 0)));
    window->Timer2Timer();
    QCOMPARE(panel.bar()->value(), 25);
    QCOMPARE(panel.leftLabel()->text(), QStringLiteral("  ") + window->localeFormats().formatTime(QTime(0, 0)));

    Clock::setNowForTesting(QDateTime(kMidsummer.addDays(1), QTime(18, 0)));
    window->Timer2Timer();
    QCOMPARE(panel.bar()->value(), 75);
    QCOMPARE(panel.bar()->text(), QStringLiteral("06:00"));
}

void TestTimeInfoPanels::dialogOk_movesThePlace_onlyOnOk()
{
    QTemporaryDir dir;
    auto window = startAt(dir.path(), warsawSettings(), at(12, 0));
    TSunTime &sun = window->timeInfo().SunTime1();
    SettingsDialog &dialog = *window->settingsDialog();
    dialog.show();
    // The equator at Greenwich.
    child<QSpinBox>(dialog, "SpinEdit8")->setValue(0);
    child<QSpinBox>(dialog, "SpinEdit10")->setValue(0);
    child<QSpinBox>(dialog, "SpinEdit7")->setValue(0);
    child<QSpinBox>(dialog, "SpinEdit9")->setValue(0);
    QCOMPARE(minutesOf(timeOf(sun.Sunrise())), QStringLiteral("04:14"));

    child<QPushButton>(dialog, "DsFancyButton3")->click();
    QCOMPARE(minutesOf(timeOf(sun.Sunrise())), QStringLiteral("07:58"));
    QCOMPARE(minutesOf(timeOf(sun.Sunset())), QStringLiteral("20:05"));
    // "Ok" runs the 60-second step, so the panel shows the new place at once.
    QCOMPARE(sunPanel(*window).leftLabel()->text(),
             QStringLiteral(" Sunrise ") + window->localeFormats().formatTime(timeOf(sun.Sunrise())));
    QCOMPARE(sunPanel(*window).bar()->text(), QStringLiteral("08:05"));
}

void TestTimeInfoPanels::bar_fillsGreenToYellowOnBlack()
{
    QTemporaryDir dir;
    Settings settings = warsawSettings();
    settings.CustomPanelShowText = false;
    auto window = startAt(dir.path(), settings, at(12, 0));
    window->show();
    QProgressBar *bar = customPanel(*window).bar();
    QCOMPARE(bar->value(), 50);
    const QImage image = picture(*bar);
    const int y = image.height() / 2;
    const QColor start = image.pixelColor(1, y);
    const QColor filledEnd = image.pixelColor(image.width() / 2 - 2, y);
    const QColor empty = image.pixelColor(image.width() - 2, y);
    QVERIFY2(start.green() > 100 && start.red() < 40 && start.blue() < 40, qPrintable(start.name()));
    // Halfway through the gradient: both red and green, no blue.
    QVERIFY2(filledEnd.red() > 100 && filledEnd.green() > 150 && filledEnd.blue() < 40, qPrintable(filledEnd.name()));
    QCOMPARE(empty, QColor(Qt::black));
}

void TestTimeInfoPanels::clocks_showShiftedLocalTime_inFiveSecondSteps()
{
    QTemporaryDir dir;
    auto window = startAt(dir.path(), warsawSettings(), at(12, 0));
    TimeZonePanel &panel = clockPanel(*window);
    // Set at start, not only after the first 5-second tick.
    QVERIFY(panel.clock(0)->hasTime());
    QCOMPARE(panel.clock(0)->text(), QStringLiteral("06:30"));
    QCOMPARE(panel.clock(1)->text(), QStringLiteral("12:00"));
    QCOMPARE(panel.clock(2)->text(), QStringLiteral("01:00"));

    // The clocks do not run by themselves between steps.
    Clock::setNowForTesting(at(20, 0));
    QCOMPARE(panel.clock(1)->text(), QStringLiteral("12:00"));
    window->Timer3Timer();
    QCOMPARE(panel.clock(0)->text(), QStringLiteral("14:30"));
    QCOMPARE(panel.clock(1)->text(), QStringLiteral("20:00"));
    QCOMPARE(panel.clock(2)->text(), QStringLiteral("09:00"));
    QCOMPARE(panel.clock(2)->time(), QTime(9, 0));
}

void TestTimeInfoPanels::zoneLists_setTheClocksZoneAndCaption_andThePlace()
{
    QTemporaryDir dir;
    auto window = startAt(dir.path(), warsawSettings(), at(12, 0));
    SettingsDialog &dialog = *window->settingsDialog();
    dialog.show();
    auto *zones = child<QComboBox>(dialog, "ZoneComboBox1");
    QCOMPARE(zones->currentText(), QStringLiteral("Local time -5.5 h"));
    const int newYork = zones->findData(QStringLiteral("America/New_York"));
    QVERIFY(newYork > 0);
    Q_EMIT zones->activated(newYork);
    QCOMPARE(window->settings().TimeZone1Id, QStringLiteral("America/New_York"));
    QCOMPARE(child<QLineEdit>(dialog, "Edit1")->text(), QStringLiteral("New York"));
    QCOMPARE(window->settings().TimeZone1Name, QStringLiteral("New York"));
    QVERIFY(!child<QDoubleSpinBox>(dialog, "JvSpinEdit1")->isEnabled());
    window->Timer3Timer();
    // Noon of summer time in Warsaw is 06:00 of summer time in New York.
    QCOMPARE(clockPanel(*window).clock(0)->text(), QStringLiteral("06:00"));
    // Back to the shift the settings had.
    Q_EMIT zones->activated(0);
    QVERIFY(window->settings().TimeZone1Id.isEmpty());
    window->Timer3Timer();
    QCOMPARE(clockPanel(*window).clock(0)->text(), QStringLiteral("06:30"));

    auto *places = child<QComboBox>(dialog, "PlaceComboBox");
    const int tokyo = places->findText(QStringLiteral("Tokyo (Asia/Tokyo)"));
    QVERIFY(tokyo > 0);
    Q_EMIT places->activated(tokyo);
    const Settings &settings = window->settings();
    // 35°39'16" N, 139°44'41" E to the minute.
    QCOMPARE(QList<int>({settings.LatDeg, settings.LatMin, settings.LonDeg, settings.LonMin}),
             QList<int>({35, 39, 139, 45}));
    QVERIFY(settings.LatDir && settings.LonDir);
    dialog.hide();
    dialog.show();
    QCOMPARE(places->currentIndex(), tokyo);
}

void TestTimeInfoPanels::clocks_panelOff_getNoTime()
{
    QTemporaryDir dir;
    Settings settings = warsawSettings();
    settings.TimeZonePanel = false;
    auto window = startAt(dir.path(), settings, at(12, 0));
    window->Timer3Timer();
    TimeZonePanel &panel = clockPanel(*window);
    QVERIFY(panel.isHidden());
    for (int i = 0; i < 3; ++i)
        QVERIFY(!panel.clock(i)->hasTime());
}

void TestTimeInfoPanels::clockType_switchesFaceAndStripHeight()
{
    QTemporaryDir dir;
    Settings settings = warsawSettings();
    settings.ClockType = false;
    settings.TimeZone1Name = QStringLiteral("New York");
    auto window = startAt(dir.path(), settings, at(12, 0));
    window->show();
    TimeZonePanel &panel = clockPanel(*window);
    QCOMPARE(panel.height(), 50);
    for (int i = 0; i < 3; ++i)
        QVERIFY(!panel.clock(i)->isAnalogue());
    QCOMPARE(panel.caption(0)->text(), QStringLiteral("New York"));
    // Each clock sits above its own caption.
    QVERIFY(panel.clock(0)->geometry().bottom() < panel.caption(0)->geometry().top());
    QCOMPARE(panel.clock(0)->geometry().center().x(), panel.caption(0)->geometry().center().x());

    SettingsDialog &dialog = *window->settingsDialog();
    dialog.show();
    child<QRadioButton>(dialog, "RadioButton1")->click();
    QCOMPARE(panel.height(), 80);
    for (int i = 0; i < 3; ++i)
        QVERIFY(panel.clock(i)->isAnalogue());
    child<QRadioButton>(dialog, "RadioButton2")->click();
    QCOMPARE(panel.height(), 50);
    QVERIFY(!panel.clock(1)->isAnalogue());
    dialog.close();
}

void TestTimeInfoPanels::clockFace_drawsHoursAndMinutes_noSeconds_data()
{
    QTest::addColumn<bool>("analogue");
    QTest::newRow("analogue") << true;
    QTest::newRow("digital") << false;
}

void TestTimeInfoPanels::clockFace_drawsHoursAndMinutes_noSeconds()
{
    QFETCH(bool, analogue);
    ZoneClock clock;
    clock.setAnalogue(analogue);
    clock.resize(90, 60);
    const QImage blank = picture(clock);

    const TDateTime day = DateTime::fromQDate(kMidsummer);
    const auto show = [&](int hour, int minute, int second) {
        clock.showTime(zoneClock(day + (hour * 3600 + minute * 60 + second) / 86400.0, 0));
        return picture(clock);
    };
    const QImage early = show(10, 10, 5);
    QVERIFY(early != blank);
    QCOMPARE(show(10, 10, 45), early);
    QVERIFY(show(10, 11, 5) != early);
    QVERIFY(show(4, 10, 5) != early);
}

QTEST_MAIN(TestTimeInfoPanels)
#include "tst_timeinfopanels.moc"
