#pragma once

#include "core/LocaleFormats.h"
#include "notes/NotesData.h"
#include "reminders/Alarms.h"
#include "reminders/ReminderAnswers.h"
#include "reminders/ReminderLedger.h"
#include "settings/Settings.h"

#include <QDBusConnection>
#include <QHash>
#include <QObject>

#include <memory>

class AlarmWatcher;
class DesktopNotifications;
class QSoundEffect;
class ReminderDialog;

// The alerts: the alarm list that every refresh fills, the ledger that lets each alert through
// once, the sound, and the reminder itself: a desktop notification with its buttons, or the
// reminder window when there is no notification service or the person prefers the window.
class ReminderAlerts final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReminderAlerts)

public:
    // `settings` is the live record; it is read when an alarm fires. `bus` carries the
    // notifications; the system bus is asked only for the news of waking from suspend.
    ReminderAlerts(const Settings &settings, LocaleFormats formats, QObject *parent = nullptr,
                   const QDBusConnection &bus = QDBusConnection::sessionBus(),
                   const QDBusConnection &systemBus = QDBusConnection::systemBus());
    ~ReminderAlerts() override;

    AlarmWatcher *JvAlarms1() const { return m_alarms; }
    ReminderDialog *reminder() const { return m_reminder.get(); }
    DesktopNotifications *notifications() const { return m_notifications; }
    // JvWavePlayer1; made at the first sound, so a run without alerts never opens the audio device.
    QSoundEffect *wavePlayer() const { return m_wavePlayer; }
    void setLocaleFormats(const LocaleFormats &formats) { m_formats = formats; }

    ReminderLedger &ledger() { return m_ledger; }
    const ReminderLedger &ledger() const { return m_ledger; }
    // Only a change of what was delivered or snoozed is worth a save of the notes.
    bool ledgerNeedsSave() const { return m_ledger.states() != m_savedStates; }
    // A start counts missed reminders from the last check on disk, so it is brought up to date
    // when an alert fell due since it was written, or, the first time, when one lies ahead.
    // Otherwise it stays as it was, and no state is forgotten that it would not cover.
    bool lastCheckNeedsSave(const NotesCollection &notes) const;
    TDateTime savedLastCheck() const { return m_savedLastCheck; }
    void ledgerSaved(bool lastCheckWritten);
    // Before the first refresh of a start: takes the alerts missed since the last run for showMissed().
    void catchUpAtStart(const NotesCollection &notes);
    // Shows what catchUpAtStart() found, together; once.
    void showMissed();
    // Before a refresh: the ledger learns how far the watcher has checked.
    void followWatcher();

    // An alarm is due: unless it has been delivered already, sound, then the reminder. Alerts
    // found late (the machine slept, the clock jumped) in one check are shown together.
    void JvAlarms1Alarm(const AlarmEntry &entry);
    // The person's answer to reminders shown together.
    void answer(const QList<AlarmEntry> &entries, ReminderAnswer answer);

Q_SIGNALS:
    // The ledger changed and is to be saved.
    void ledgerChanged();
    // A reminder was snoozed: the alarm list is to be filled again.
    void snoozed();
    // "Done": the note is to be marked finished and saved.
    void doneRequested(const TNotesData &note);
    // The click on the notification: the note is to be shown.
    void showNoteRequested(const TNotesData &note);

private Q_SLOTS:
    void onPrepareForSleep(bool start);

private:
    void deliver(const QList<AlarmEntry> &entries);
    void showWindow(const QList<AlarmEntry> &entries);
    void flushLate();
    void playSound(const QString &file);

    const Settings &m_settings;
    LocaleFormats m_formats;
    AlarmWatcher *m_alarms = nullptr;
    DesktopNotifications *m_notifications = nullptr;
    QSoundEffect *m_wavePlayer = nullptr;
    // Without a parent: it must come up while the main window sits hidden in the tray.
    std::unique_ptr<ReminderDialog> m_reminder;
    ReminderLedger m_ledger;
    QHash<QString, ReminderState> m_savedStates;
    TDateTime m_savedLastCheck = qQNaN();
    QHash<QString, QList<AlarmEntry>> m_sent; // by notification key, until answered
    quint64 m_lastKey = 0;
    QList<QList<AlarmEntry>> m_windowQueue;
    bool m_inWindow = false;
    QList<AlarmEntry> m_late;
    QList<AlarmEntry> m_missed;
};
