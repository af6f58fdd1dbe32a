#include "ui/mainwindow/SyncControl.h"

#include "core/Clock.h"
#include "settings/Settings.h"
#include "storage/DataFolder.h"

#include <QLabel>
#include <QTimer>

#include <algorithm>

SyncControl::SyncControl(NotesCollection &notes, Settings &settings, DataFolder &folder, QLabel *status,
                         std::function<bool()> notesChanged,
                         std::function<QString(const QString &, const QString &)> askPassword, QWidget *window)
    : QObject(window), m_notes(notes), m_settings(settings), m_folder(folder), m_status(status),
      m_notesChanged(std::move(notesChanged)), m_askPassword(std::move(askPassword)), m_window(window),
      m_timer(new QTimer(this))
{
    m_timer->setObjectName(QStringLiteral("SyncTimer"));
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &SyncControl::run);
    connect(&m_sync, &NoteSync::finished, this, &SyncControl::finished);
    connect(&m_sync, &NoteSync::progress, this, &SyncControl::progressed);
    connect(&m_passwords, &PasswordStore::finished, this, &SyncControl::passwordAnswered);
}

SyncControl::~SyncControl()
{
    // A sync ended now would report into a window being taken down.
    disconnect(&m_sync, nullptr, this, nullptr);
    m_sync.cancel();
}

bool SyncControl::isConfigured() const
{
    return !m_settings.SyncServer.isEmpty() && !m_settings.SyncCalendar.isEmpty();
}

QString SyncControl::accountKey() const
{
    return m_settings.SyncServer + QLatin1Char('\n') + m_settings.SyncUser;
}

void SyncControl::start()
{
    m_started = true;
    const auto loaded = m_folder.loadSyncState(
        [this](const QByteArray &plain) { return SyncStateFile::parse(plain, &m_state); }, Clock::now());
    Q_UNUSED(loaded); // an unreadable state is set aside; the next sync rebuilds it from the server
    m_schedule.setInterval(m_settings.SyncInterval, Clock::now());
    m_schedule.programStarted(Clock::now());
    showStatus();
    arm();
}

void SyncControl::notesSaved()
{
    if (m_applying || !m_started)
        return;
    m_schedule.notesChanged(Clock::now());
    arm();
}

void SyncControl::syncNow()
{
    m_schedule.requested(Clock::now());
    arm();
}

void SyncControl::settingsChanged()
{
    if (accountKey() != m_passwordFor) {
        m_password.clear();
        m_passwordFor.clear();
    }
    m_schedule.setInterval(m_settings.SyncInterval, Clock::now());
    // A new server or list is synced at once; the same one keeps its rhythm.
    if (isConfigured() && m_state.calendar != m_settings.SyncCalendar)
        m_schedule.requested(Clock::now());
    showStatus();
    arm();
}

void SyncControl::arm()
{
    m_timer->stop();
    if (!m_started || !isConfigured())
        return;
    const std::optional<QDateTime> due = m_schedule.nextDue();
    if (!due)
        return;
    const qint64 wait = std::clamp<qint64>(Clock::now().msecsTo(*due), 0, 24 * 3600 * 1000);
    m_timer->start(static_cast<int>(wait));
}

void SyncControl::run()
{
    if (!isConfigured() || m_sync.isRunning())
        return;
    if (m_passwordFor != accountKey()) {
        // The password first; the sync runs when it comes.
        if (!m_passwordPending && !m_settings.SyncUser.isEmpty()) {
            m_passwordPending = true;
            m_passwords.read(m_settings.SyncServer, m_settings.SyncUser);
            return;
        }
        if (m_passwordPending)
            return;
    }
    SyncAccount account;
    account.server = QUrl(m_settings.SyncServer);
    account.user = m_settings.SyncUser;
    account.password = m_password;
    account.calendar = QUrl(m_settings.SyncCalendar);
    account.trustedCertificateSha256 = QByteArray::fromHex(m_settings.SyncTrustedCertificate.toLatin1());
    m_schedule.syncBegan();
    m_progress = {true, 0, 0};
    showStatus();
    m_sync.setAlerts(m_settings.ShowAlerts, m_settings.AlertsTime);
    m_sync.start(account, m_notes, m_state);
}

void SyncControl::passwordAnswered(const PasswordStore::Result &result)
{
    if (result.server + QLatin1Char('\n') + result.user != accountKey())
        return;
    if (result.operation != PasswordStore::Operation::Read) {
        // A password typed on the settings page: read afresh before the next sync.
        m_passwordFor.clear();
        return;
    }
    m_passwordPending = false;
    QString password = result.password;
    if (password.isEmpty() && result.status == PasswordStore::Status::NoSecretService && m_askPassword) {
        password = m_askPassword(result.server, result.user);
        if (!password.isEmpty())
            m_passwords.write(result.server, result.user, password); // memory only, for this run
    }
    if (result.status == PasswordStore::Status::Failed) {
        m_state.lastError = QStringLiteral("The password store could not be read: %1").arg(result.error);
        showStatus();
    }
    m_password = password;
    m_passwordFor = accountKey();
    run();
}

void SyncControl::progressed(int done, int total)
{
    m_progress = {true, done, total};
    showStatus();
}

void SyncControl::finished(const SyncOutcome &outcome)
{
    m_progress = {};
    const bool changed = applySyncOutcome(m_notes, m_state, outcome);
    bool notesSaved = true;
    if (changed && m_notesChanged) {
        m_applying = true;
        notesSaved = m_notesChanged();
        m_applying = false;
    }
    // A state saying "in step" beside notes that did not reach the disk would make the next start
    // take the server's new items for ones deleted here; the old state on disk stays consistent.
    if (notesSaved) {
        const IoResult saved = m_folder.saveSyncState(SyncStateFile::data(m_state));
        if (!saved)
            m_state.lastError = saved.error;
    }
    m_schedule.syncEnded(outcome.ok, Clock::now());
    showStatus();
    arm();
    Q_EMIT syncEnded(outcome.ok);
}

QString SyncControl::statusText() const
{
    if (!isConfigured())
        return QString();
    return SyncStatusText::text(m_state, m_progress, Clock::now());
}

void SyncControl::showStatus()
{
    if (!m_status)
        return;
    const QString text = statusText();
    m_status->setText(text);
    m_status->setToolTip(text);
    m_status->setVisible(!text.isEmpty());
}
