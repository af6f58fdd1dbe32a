#pragma once

#include "UiTestData.h"

#include "core/KeyValueXmlFile.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"
#include "ui/mainwindow/MainWindow.h"

#include <QDir>

#include <memory>

// A named control of a window; the test fails loudly when it is missing.
template <typename T> T *child(const QObject &root, const char *name)
{
    T *found = root.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

// One start of the program on a folder, as main() does it.
inline std::unique_ptr<MainWindow> startProgram(const QString &dir)
{
    auto window = std::make_unique<MainWindow>(dir + QLatin1Char('/'));
    window->loadAllData();
    window->finishStartup();
    return window;
}

inline void writeSettingsFile(const QString &dir, const Settings &settings)
{
    TKeyValueXmlFile store;
    writeAll(QDir(dir).filePath(QStringLiteral("settings.xml")), SettingsFile::settingsData(store, settings));
}

inline Settings readSettingsFile(const QString &dir)
{
    TKeyValueXmlFile store;
    Settings settings;
    SettingsFile::parseSettings(readAll(QDir(dir).filePath(QStringLiteral("settings.xml"))), store, &settings);
    return settings;
}

// Every value differs from a first start's.
inline Settings unusualSettings()
{
    Settings s;
    s.Autohide = true;
    s.Popup1 = false;
    s.Popup3 = true;
    s.AutohideDelay = 40;
    s.Shortcut = false;
    s.ShowStatusBar = true;
    s.ShowEncryptionIcon = false;
    s.ShowNumberOfNotes = false;
    s.ShowClockAndDate = false;
    s.ShowHyperlinksPanel = false;
    s.UpcomingEventsTime = 12;
    s.ShowAlerts = true;
    s.AlertsTime = 5;
    s.PlaySound = true;
    s.WAVfile = QStringLiteral("/tmp/ding.wav");
    s.Font1 = QStringLiteral("DejaVu Serif");
    s.Font2 = QStringLiteral("DejaVu Sans Mono");
    s.Font3 = QStringLiteral("DejaVu Serif");
    s.FontSize1 = 14;
    s.FontSize2 = 9;
    s.FontSize3 = 17;
    s.UpcomingEventsRefreshTime = 33;
    s.UpcomingEventsRefresh = false;
    s.SunPanel = true;
    s.CustomPanel = true;
    s.CustomPanelStartTime = QTime(7, 30);
    s.CustomPanelEndTime = QTime(16, 45);
    s.SunPanelShowText = true;
    s.CustomPanelShowText = true;
    s.LonDeg = 21;
    s.LonMin = 1;
    s.LatDeg = 52;
    s.LatMin = 13;
    s.LonDir = false;
    s.LatDir = false;
    s.TimeZonePanel = true;
    s.ClockType = false;
    s.TimeZone1Name = QStringLiteral("Tokyo");
    s.TimeZone2Name = QStringLiteral("Here");
    s.TimeZone3Name = QStringLiteral("Lima");
    s.TimeZone1Shift = 8;
    s.TimeZone2Shift = -0.5;
    s.TimeZone3Shift = -6.5;
    s.AlwaysOnTop = false;
    s.ShowFullInfo = false;
    s.HintVisibleTime = 7;
    s.HintDelayTime = 900;
    s.ShowUpcomingEventsOnDesktop = true;
    s.UpcomingEventsBackgroundColor = 0x102030;
    s.UpcomingEventsFontColor = 0xA0B0C0;
    s.ShowWindowShortCut = false;
    s.CurrencyPrefix = true;
    s.CurrencySuffix = false;
    s.Currency = QStringLiteral("EUR");
    s.PredictFor = 365;
    s.ShowTimeWeekSchedule = true;
    s.WeekSortByTime = false;
    s.WeekSortByPriority = true;
    s.StartupTab1 = false;
    s.StartupTab3 = true;
    s.Font4 = QStringLiteral("DejaVu Sans Mono");
    s.Font4Size = 11;
    s.Font5Size = 30;
    s.ShowUpcomingEventsOnDesktopPositionX = 35;
    s.ShowUpcomingEventsOnDesktopPositionY = 80;
    s.ShortDayNames = true;
    s.LongDayNames = false;
    s.TrayIconPopUp = false;
    s.MoBackgroundColor = 0x0000FF;
    s.WedBackgroundColor = 0x00FF00;
    s.SuBackgroundColor = 0x123456;
    return s;
}
