#pragma once

#include "core/LocaleFormats.h"
#include "notes/NotesData.h"
#include "reminders/Alarms.h"
#include "settings/Settings.h"

#include <QObject>

#include <memory>

class AlarmWatcher;
class QSoundEffect;
class ReminderDialog;

// The alerts: the alarm list that every refresh fills, the sound and the reminder window
// that an alarm brings up.
class ReminderAlerts final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReminderAlerts)

public:
    // `settings` is the live record; it is read when an alarm fires.
    ReminderAlerts(const Settings &settings, LocaleFormats formats, QObject *parent = nullptr);
    ~ReminderAlerts() override;

    AlarmWatcher *JvAlarms1() const { return m_alarms; }
    ReminderDialog *reminder() const { return m_reminder.get(); }
    // JvWavePlayer1; made at the first sound, so a run without alerts never opens the audio device.
    QSoundEffect *wavePlayer() const { return m_wavePlayer; }
    void setLocaleFormats(const LocaleFormats &formats) { m_formats = formats; }

    // An alarm is due: sound, then the reminder, modal; the next alarm waits until it closes.
    void JvAlarms1Alarm(const AlarmEntry &entry);

private:
    void playSound(const QString &file);

    const Settings &m_settings;
    LocaleFormats m_formats;
    AlarmWatcher *m_alarms = nullptr;
    QSoundEffect *m_wavePlayer = nullptr;
    // Without a parent: it must come up while the main window sits hidden in the tray.
    std::unique_ptr<ReminderDialog> m_reminder;
};
