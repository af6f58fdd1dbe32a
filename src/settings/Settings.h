#pragma once

#include <QString>
#include <QTime>
#include <QtGlobal>

// Every user choice of the program, one member per key of settings.xml (the
// member names are the keys). A default-constructed record holds what a first
// start shows. Colours keep red in the lowest byte, then green, then blue.
struct Settings
{
    // Column 0 of the notes list fills what the other columns leave until the user sizes it.
    static constexpr qint32 kWidthSizedByList = -1;

    qint32 FormWidth = 377;
    qint32 FormHeight = 867;
    qint32 ListViewHeight = 189;
    bool Autohide = false;
    bool Popup1 = true;
    bool Popup2 = false;
    bool Popup3 = false;
    bool Popup4 = false;
    qint32 AutohideDelay = 1; // ticks of 50 ms
    bool Shortcut = true;
    bool SwitchState1 = false;
    bool SwitchState2 = true;
    bool ShowStatusBar = true;
    bool ShowEncryptionIcon = true;
    bool ShowNumberOfNotes = true;
    bool ShowClockAndDate = true;
    bool ShowHyperlinksPanel = true;
    qint32 UpcomingEventsTime = 1;
    bool UpcomingEventsColapsed = false;
    bool ShowAlerts = false;
    qint32 AlertsTime = 1;
    bool PlaySound = false;
    QString WAVfile;
    QString Font1 = QStringLiteral("MS Sans Serif");
    QString Font2 = QStringLiteral("MS Sans Serif");
    QString Font3 = QStringLiteral("MS Sans Serif");
    qint32 FontSize1 = 10;
    qint32 FontSize2 = 10;
    qint32 FontSize3 = 10;
    qint32 UpcomingEventsRefreshTime = 5;
    bool UpcomingEventsRefresh = true;
    qint32 ListView1Column0Width = kWidthSizedByList;
    qint32 ListView1Column1Width = 60;
    qint32 ListView1Column2Width = 80;
    qint32 ListView2Column0Width = 183;
    qint32 ListView2Column1Width = 100;
    bool SunPanel = false;
    bool CustomPanel = false;
    QTime CustomPanelStartTime = QTime(0, 0);
    QTime CustomPanelEndTime = QTime(0, 0);
    bool SunPanelShowText = false;
    bool CustomPanelShowText = false;
    qint32 LonDeg = 0;
    qint32 LonMin = 0;
    qint32 LatDeg = 0;
    qint32 LatMin = 0;
    bool LonDir = true; // east
    bool LatDir = true; // north
    bool TimeZonePanel = true;
    bool ClockType = true; // analogue
    QString TimeZone1Name = QStringLiteral("T1");
    QString TimeZone2Name = QStringLiteral("Local time");
    QString TimeZone3Name = QStringLiteral("T2");
    double TimeZone1Shift = 0; // hours added to the local time
    double TimeZone2Shift = 0;
    double TimeZone3Shift = 0;
    bool AlwaysOnTop = true;
    bool ShowFullInfo = true;
    qint32 HintVisibleTime = 2; // seconds
    qint32 HintDelayTime = 200; // milliseconds
    bool SortByPriority = false;
    bool SortByDaysLeft = false;
    bool SortByPrivateNonPrivate = false;
    bool SortByPercentDone = true;
    bool SortDisabled = false;
    bool ShowUpcomingEventsOnDesktop = false;
    quint32 UpcomingEventsBackgroundColor = 0; // stored as a float
    quint32 UpcomingEventsFontColor = 0;       // stored as a float
    bool ShowWindowShortCut = true;
    bool CurrencyPrefix = false;
    bool CurrencySuffix = true;
    QString Currency = QStringLiteral("PLN");
    qint32 PredictFor = 90;
    bool ShowTimeWeekSchedule = false;
    bool WeekSortByTime = true;
    bool WeekSortByPriority = false;
    bool StartupTab1 = true;
    bool StartupTab2 = false;
    bool StartupTab3 = false;
    bool StartupTab4 = false;
    QString Font4 = QStringLiteral("MS Sans Serif");
    qint32 Font4Size = 10;
    qint32 Font5Size = 16;
    qint32 ShowUpcomingEventsOnDesktopPositionX = 0;
    qint32 ShowUpcomingEventsOnDesktopPositionY = 0;
    bool ShortDayNames = false;
    bool LongDayNames = true;
    bool TrayIconPopUp = true;
    quint32 MoBackgroundColor = 16777215;
    quint32 TueBackgroundColor = 16777215;
    quint32 WedBackgroundColor = 16777215;
    quint32 ThuBackgroundColor = 16777215;
    quint32 FrBackgroundColor = 16777215;
    quint32 SaBackgroundColor = 15132391;
    quint32 SuBackgroundColor = 15132391;
    bool RemindWithNotification = true; // false: the reminder window
    bool ShowMissedReminders = true;    // reminders that fell due while the program was not running

    // Keys newer than the 95 above, stored only when set so that a file of an older copy reads
    // and writes back unchanged. The clocks' time zones (IANA names); empty: the shift above.
    QString TimeZone1Id;
    QString TimeZone2Id;
    QString TimeZone3Id;
    // The desktop had no tray when the window was closed and the user was told how to get one.
    bool TrayHintShown = false;
    // Sync with a calendar server: its address, the user, the task calendar chosen there (address and
    // shown name), minutes between syncs (0: only at start, on changes and on request), and the SHA-256
    // of a certificate the user accepted although the system does not trust it (hex).
    QString SyncServer;
    QString SyncUser;
    QString SyncCalendar;
    QString SyncCalendarName;
    qint32 SyncInterval = 15;
    QString SyncTrustedCertificate;

    // "Ctrl+T - Show Today events": never stored, so on at every start.
    bool TodayEventsShortcut = true;

    bool operator==(const Settings &) const = default;
};
