#include "ui/mainwindow/ReminderAlerts.h"

#include "ui/dialogs/ReminderDialog.h"

#include "reminders/AlarmWatcher.h"

#include <QSoundEffect>
#include <QUrl>

ReminderAlerts::ReminderAlerts(const Settings &settings, LocaleFormats formats, QObject *parent)
    : QObject(parent), m_settings(settings), m_formats(std::move(formats)), m_alarms(new AlarmWatcher(this)),
      m_reminder(std::make_unique<ReminderDialog>())
{
    m_reminder->setObjectName(QStringLiteral("TForm3"));
    connect(m_alarms, &AlarmWatcher::alarm, this, &ReminderAlerts::JvAlarms1Alarm);
}

ReminderAlerts::~ReminderAlerts() = default;

void ReminderAlerts::JvAlarms1Alarm(const AlarmEntry &entry)
{
    if (!m_settings.ShowAlerts)
        return;
    if (m_settings.PlaySound)
        playSound(m_settings.WAVfile);
    // The entry's own copy of the note: the collection may have been re-sorted since the
    // list was filled, and then its position would name another note.
    m_reminder->showNote(entry.note, m_formats);
    m_reminder->exec();
}

void ReminderAlerts::playSound(const QString &file)
{
    if (!m_wavePlayer) {
        m_wavePlayer = new QSoundEffect(this);
        m_wavePlayer->setObjectName(QStringLiteral("JvWavePlayer1"));
    }
    // A file that cannot be played, or no audio device, only means silence.
    m_wavePlayer->setSource(file.isEmpty() ? QUrl() : QUrl::fromLocalFile(file));
    m_wavePlayer->setLoopCount(1);
    if (!file.isEmpty())
        m_wavePlayer->play();
}
