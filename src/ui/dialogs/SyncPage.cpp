#include "ui/dialogs/SyncPage.h"

#include "ui/dialogs/Messages.h"

#include "settings/Settings.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

template <typename Widget> Widget *control(QWidget *dialog, const char *name)
{
    auto *widget = dialog->findChild<Widget *>(QLatin1String(name));
    Q_ASSERT_X(widget, "SyncPage", name);
    return widget;
}

QString fingerprintText(const QByteArray &sha256)
{
    return QString::fromLatin1(sha256.toHex(':').toUpper());
}

} // namespace

SyncPage::SyncPage(Settings &settings, QWidget *dialog)
    : QObject(dialog), m_settings(settings), m_dialog(dialog), m_server(control<QLineEdit>(dialog, "SyncServer")),
      m_user(control<QLineEdit>(dialog, "SyncUser")), m_password(control<QLineEdit>(dialog, "SyncPassword")),
      m_find(control<QPushButton>(dialog, "SyncFindCalendars")),
      m_calendars(control<QComboBox>(dialog, "SyncCalendars")),
      m_create(control<QPushButton>(dialog, "SyncCreateCalendar")), m_status(control<QLabel>(dialog, "SyncStatus")),
      m_discovery(m_client)
{
    connect(m_server, &QLineEdit::editingFinished, this, &SyncPage::serverEdited);
    connect(m_user, &QLineEdit::editingFinished, this, &SyncPage::userEdited);
    connect(m_password, &QLineEdit::editingFinished, this, &SyncPage::passwordEdited);
    connect(m_find, &QPushButton::clicked, this, &SyncPage::findCalendars);
    connect(m_create, &QPushButton::clicked, this, &SyncPage::createCalendar);
    connect(m_calendars, &QComboBox::activated, this, &SyncPage::calendarChosen);
    connect(&m_discovery, &CalDavDiscovery::calendarsFound, this, &SyncPage::calendarsFound);
    connect(&m_discovery, &CalDavDiscovery::calendarCreated, this, &SyncPage::calendarCreated);
    connect(&m_discovery, &CalDavDiscovery::failed, this, &SyncPage::failed);
}

void SyncPage::attach(PasswordStore &passwords)
{
    m_passwords = &passwords;
    connect(m_passwords, &PasswordStore::finished, this, &SyncPage::passwordAnswered);
}

void SyncPage::showSettings()
{
    const QString account = m_settings.SyncServer + QLatin1Char('\n') + m_settings.SyncUser;
    if (account != m_accountShown || m_calendars->count() == 0) {
        m_accountShown = account;
        const QSignalBlocker block(m_calendars);
        m_calendars->clear();
        if (!m_settings.SyncCalendar.isEmpty())
            m_calendars->addItem(m_settings.SyncCalendarName, m_settings.SyncCalendar);
        m_calendars->setEnabled(m_calendars->count() > 0);
        m_password->clear();
        if (m_passwords && !m_settings.SyncServer.isEmpty() && !m_settings.SyncUser.isEmpty())
            m_passwords->read(m_settings.SyncServer, m_settings.SyncUser);
    }
}

void SyncPage::serverEdited()
{
    const QString typed = m_server->text();
    const QUrl url = CalDavDiscovery::serverUrl(typed);
    if (!typed.trimmed().isEmpty() && !url.isValid()) {
        setStatus(
            QStringLiteral("\"%1\" is not the address of a server; type it as https://dav.example.org").arg(typed));
        return;
    }
    // The binder writes the record as the text changes.
    const QString whole = url.toString();
    if (whole != typed)
        m_server->setText(whole);
    if (whole.isEmpty() || whole != m_accountShown.section(QLatin1Char('\n'), 0, 0))
        forgetCalendar();
    if (whole.startsWith(QLatin1String("http://")))
        setStatus(QStringLiteral("Without https:// the password and the notes travel unprotected."));
}

void SyncPage::userEdited()
{
    if (m_user->text() != m_accountShown.section(QLatin1Char('\n'), 1))
        forgetCalendar();
}

void SyncPage::forgetCalendar()
{
    m_settings.SyncCalendar.clear();
    m_settings.SyncCalendarName.clear();
    m_accountShown = m_settings.SyncServer + QLatin1Char('\n') + m_settings.SyncUser;
    m_calendars->clear();
    m_calendars->setEnabled(false);
    m_create->setEnabled(false);
}

void SyncPage::passwordEdited()
{
    // Leaving the field untouched is no edit: a password read from the store is not written back.
    if (!m_password->isModified() || !m_passwords || m_settings.SyncServer.isEmpty() || m_settings.SyncUser.isEmpty())
        return;
    m_password->setModified(false);
    if (m_password->text().isEmpty())
        m_passwords->remove(m_settings.SyncServer, m_settings.SyncUser);
    else
        m_passwords->write(m_settings.SyncServer, m_settings.SyncUser, m_password->text());
}

void SyncPage::passwordAnswered(const PasswordStore::Result &result)
{
    if (result.server != m_settings.SyncServer || result.user != m_settings.SyncUser)
        return;
    using Status = PasswordStore::Status;
    if (result.operation == PasswordStore::Operation::Read) {
        if (m_password->text().isEmpty() && !result.password.isEmpty())
            m_password->setText(result.password);
        return;
    }
    if (result.operation != PasswordStore::Operation::Write)
        return;
    if (result.status == Status::Done)
        m_passwordNote = QStringLiteral("The password is kept in the desktop's password store.");
    else if (result.status == Status::NoSecretService)
        m_passwordNote = QStringLiteral("This desktop has no password store: the password is kept until the "
                                        "program ends and asked for at the next start.");
    else
        m_passwordNote = QStringLiteral("The password store did not keep the password: %1").arg(result.error);
    setStatus(m_result);
}

void SyncPage::prepareClient()
{
    SyncAccount account;
    account.server = QUrl(m_settings.SyncServer);
    account.user = m_settings.SyncUser;
    account.password = m_password->text();
    account.trustedCertificateSha256 = QByteArray::fromHex(m_settings.SyncTrustedCertificate.toLatin1());
    m_client.setAccount(account);
}

void SyncPage::findCalendars()
{
    serverEdited();
    if (m_settings.SyncServer.isEmpty()) {
        setStatus(QStringLiteral("Type the address of the calendar server first."));
        return;
    }
    m_step = Step::Find;
    prepareClient();
    setBusy(true);
    setStatus(QStringLiteral("Looking for task lists..."));
    m_discovery.findCalendars();
}

void SyncPage::createCalendar()
{
    m_step = Step::Create;
    prepareClient();
    setBusy(true);
    setStatus(QStringLiteral("Creating \"%1\"...").arg(kNewCalendarName));
    m_discovery.createCalendar(kNewCalendarName);
}

void SyncPage::calendarsFound(const QList<DavCalendar> &calendars)
{
    setBusy(false);
    m_accountShown = m_settings.SyncServer + QLatin1Char('\n') + m_settings.SyncUser;
    const QSignalBlocker block(m_calendars);
    m_calendars->clear();
    for (const DavCalendar &calendar : calendars)
        m_calendars->addItem(calendar.displayName, calendar.url.toString());
    m_calendars->setEnabled(!calendars.isEmpty());
    m_create->setEnabled(true);
    if (calendars.isEmpty()) {
        setStatus(QStringLiteral("The server has no task list for this user; create one with the button below."));
        return;
    }
    const int kept = m_calendars->findData(m_settings.SyncCalendar);
    m_calendars->setCurrentIndex(kept >= 0 ? kept : 0);
    calendarChosen(m_calendars->currentIndex());
    setStatus(calendars.size() == 1 ? QStringLiteral("Found 1 task list.")
                                    : QStringLiteral("Found %1 task lists.").arg(calendars.size()));
}

void SyncPage::calendarCreated(const DavCalendar &calendar)
{
    setBusy(false);
    m_calendars->addItem(calendar.displayName, calendar.url.toString());
    m_calendars->setEnabled(true);
    m_calendars->setCurrentIndex(m_calendars->count() - 1);
    calendarChosen(m_calendars->currentIndex());
    setStatus(QStringLiteral("Created \"%1\"; the notes sync with it.").arg(calendar.displayName));
}

void SyncPage::calendarChosen(int index)
{
    if (index < 0)
        return;
    m_settings.SyncCalendar = m_calendars->itemData(index).toString();
    m_settings.SyncCalendarName = m_calendars->itemText(index);
}

void SyncPage::failed(const DavReply &reply)
{
    setBusy(false);
    if (reply.failure == DavReply::Failure::UntrustedCertificate && !reply.certificateSha256.isEmpty()) {
        const bool trust = Messages::question(
            m_dialog, QStringLiteral("The system does not trust the certificate of this server.\n\n%1\n\nSHA-256 "
                                     "fingerprint:\n%2\n\nTrust this certificate for this server from now on? "
                                     "Say yes only when the fingerprint is the one the server's owner gave you.")
                          .arg(reply.certificateDescription, fingerprintText(reply.certificateSha256)));
        if (trust) {
            m_settings.SyncTrustedCertificate = QString::fromLatin1(reply.certificateSha256.toHex());
            if (m_step == Step::Create)
                createCalendar();
            else
                findCalendars();
            return;
        }
    }
    setStatus(reply.error.isEmpty() ? QStringLiteral("The server could not be asked.") : reply.error);
}

void SyncPage::setStatus(const QString &text)
{
    // What the server said stays beside where the password went, whichever came last.
    m_result = text;
    QStringList lines;
    for (const QString &line : {m_result, m_passwordNote}) {
        if (!line.isEmpty())
            lines.append(line);
    }
    m_status->setText(lines.join(QLatin1Char('\n')));
}

void SyncPage::setBusy(bool busy)
{
    m_find->setEnabled(!busy);
    if (busy)
        m_create->setEnabled(false);
}
