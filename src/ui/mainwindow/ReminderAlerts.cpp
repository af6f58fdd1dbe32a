#include "ui/mainwindow/ReminderAlerts.h"

#include "ui/dialogs/ReminderDialog.h"

#include "core/Clock.h"
#include "desktop/DesktopNotifications.h"
#include "notes/NotesList.h"
#include "reminders/AlarmWatcher.h"

#include <QSoundEffect>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
// An alarm this late was not seen at its time: the machine slept or the clock jumped.
constexpr double kLateMs = 2 * 60 * 1000;
} // namespace

ReminderAlerts::ReminderAlerts(const Settings &settings, LocaleFormats formats, QObject *parent,
                               const QDBusConnection &bus, const QDBusConnection &systemBus)
    : QObject(parent), m_settings(settings), m_formats(std::move(formats)), m_alarms(new AlarmWatcher(this)),
      m_notifications(new DesktopNotifications(bus, this)), m_reminder(std::make_unique<ReminderDialog>())
{
    m_reminder->setObjectName(QStringLiteral("TForm3"));
    connect(m_alarms, &AlarmWatcher::alarm, this, &ReminderAlerts::JvAlarms1Alarm);
    connect(m_alarms, &AlarmWatcher::checkDone, this, &ReminderAlerts::flushLate);
    connect(m_notifications, &DesktopNotifications::failed, this, [this](const QString &key) {
        const QList<AlarmEntry> entries = m_sent.take(key);
        if (!entries.isEmpty())
            showWindow(entries);
    });
    connect(m_notifications, &DesktopNotifications::actionInvoked, this,
            [this](const QString &key, const QString &action) {
                const QList<AlarmEntry> entries = m_sent.take(key);
                if (const std::optional<ReminderAnswer> chosen = answerFromKey(action); chosen && !entries.isEmpty())
                    answer(entries, *chosen);
            });
    m_notifications->probe();
    // Waking from suspend: check at once rather than at the watcher's next tick.
    if (systemBus.isConnected()) {
        QDBusConnection(systemBus).connect(QStringLiteral("org.freedesktop.login1"),
                                           QStringLiteral("/org/freedesktop/login1"),
                                           QStringLiteral("org.freedesktop.login1.Manager"),
                                           QStringLiteral("PrepareForSleep"), this, SLOT(onPrepareForSleep(bool)));
    }
}

ReminderAlerts::~ReminderAlerts() = default;

void ReminderAlerts::catchUpAtStart(const NotesCollection &notes)
{
    m_missed = catchUpMissed(notes, m_settings.AlertsTime, Clock::nowValue(), m_ledger,
                             m_settings.ShowMissedReminders && m_settings.ShowAlerts);
}

void ReminderAlerts::showMissed()
{
    const QList<AlarmEntry> missed = std::exchange(m_missed, {});
    // What the start claimed or settled is saved now that everything has been read.
    Q_EMIT ledgerChanged();
    if (!missed.isEmpty())
        deliver(missed);
}

bool ReminderAlerts::lastCheckNeedsSave(const NotesCollection &notes) const
{
    const TDateTime checked = m_ledger.lastChecked();
    if (qIsNaN(checked))
        return false;
    for (const TNotesData &note : notes) {
        if (note.Deadline == DateTime::kNoDeadline || !std::isfinite(note.Deadline))
            continue;
        const TDateTime due = note.Deadline - m_settings.AlertsTime / 24.0;
        if (qIsNaN(m_savedLastCheck) ? due > checked : (due > m_savedLastCheck && due <= checked))
            return true;
    }
    return false;
}

void ReminderAlerts::ledgerSaved(bool lastCheckWritten)
{
    m_savedStates = m_ledger.states();
    if (lastCheckWritten)
        m_savedLastCheck = m_ledger.lastChecked();
}

void ReminderAlerts::followWatcher()
{
    const TDateTime checked = m_alarms->checkedUpTo(Clock::now());
    if (std::isfinite(checked) && !(checked < m_ledger.lastChecked()))
        m_ledger.setLastChecked(checked);
}

void ReminderAlerts::JvAlarms1Alarm(const AlarmEntry &entry)
{
    const TDateTime now = Clock::nowValue();
    // A refresh storm, a snooze and a restart may all bring the same alert back: the ledger lets it through once.
    if (!m_ledger.claim(reminderKey(entry.note), entry.due, now))
        return;
    Q_EMIT ledgerChanged();
    if (!m_settings.ShowAlerts)
        return;
    if (m_settings.ShowMissedReminders && (now - entry.time) * DateTime::kMsPerDay > kLateMs) {
        // The rest of this check comes next; they are shown as one when it has handed them all out.
        m_late.append(entry);
        return;
    }
    deliver({entry});
}

void ReminderAlerts::flushLate()
{
    const QList<AlarmEntry> late = std::exchange(m_late, {});
    if (!late.isEmpty())
        deliver(late);
}

void ReminderAlerts::deliver(const QList<AlarmEntry> &entries)
{
    if (m_settings.PlaySound)
        playSound(m_settings.WAVfile);
    // Before the service has answered the probe the notification is tried; a failure opens the window.
    const bool toDesktop = m_settings.RemindWithNotification &&
                           (!m_notifications->isProbed() || m_notifications->isAvailable());
    if (!toDesktop) {
        showWindow(entries);
        return;
    }
    DesktopNotifications::Notification notification;
    notification.key = QString::number(++m_lastKey);
    notification.actions = notificationActions();
    if (entries.size() == 1) {
        const ReminderMessage message = reminderMessage(entries[0].note, m_formats);
        notification.summary = message.summary;
        notification.body = message.body;
        notification.urgency = DesktopNotifications::Urgency(message.urgency);
    } else {
        notification.summary = awayTitle(entries.size());
        QStringList lines;
        int urgency = 0;
        for (const AlarmEntry &entry : entries) {
            const ReminderMessage message = reminderMessage(entry.note, m_formats);
            lines << message.summary + QStringLiteral(" \u2013 ") + deadlineText(entry.note.Deadline, m_formats);
            urgency = std::max(urgency, message.urgency);
        }
        notification.body = lines.join(QLatin1Char('\n'));
        notification.urgency = DesktopNotifications::Urgency(urgency);
    }
    m_sent.insert(notification.key, entries);
    m_notifications->notify(notification);
}

void ReminderAlerts::showWindow(const QList<AlarmEntry> &entries)
{
    m_windowQueue.append(entries);
    // One window at a time; what comes while it is open follows when it closes.
    if (m_inWindow)
        return;
    m_inWindow = true;
    while (!m_windowQueue.isEmpty()) {
        const QList<AlarmEntry> shown = m_windowQueue.takeFirst();
        QList<TNotesData> notes;
        for (const AlarmEntry &entry : shown)
            notes.append(entry.note);
        // The entries' own copies of the notes: the collection may have been re-sorted since the
        // list was filled, and then a position would name another note.
        m_reminder->showNotes(notes, m_formats);
        m_reminder->exec();
        if (const std::optional<ReminderAnswer> chosen = m_reminder->answer())
            answer(shown, *chosen);
    }
    m_inWindow = false;
}

void ReminderAlerts::answer(const QList<AlarmEntry> &entries, ReminderAnswer answer)
{
    if (const std::optional<QDateTime> until = snoozedUntil(Clock::now(), answer)) {
        for (const AlarmEntry &entry : entries)
            m_ledger.snooze(reminderKey(entry.note), entry.due, DateTime::fromQDateTime(*until));
        Q_EMIT ledgerChanged();
        Q_EMIT snoozed();
    } else if (answer == ReminderAnswer::Done) {
        for (const AlarmEntry &entry : entries)
            Q_EMIT doneRequested(entry.note);
    } else if (answer == ReminderAnswer::Show && !entries.isEmpty()) {
        Q_EMIT showNoteRequested(entries.constFirst().note);
    }
}

void ReminderAlerts::onPrepareForSleep(bool start)
{
    if (!start)
        m_alarms->tick();
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
