#pragma once

#include "sync/CalDavDiscovery.h"
#include "sync/PasswordStore.h"

#include <QObject>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct Settings;

// The settings dialog's "Sync" page: the server, the user and the password, finding the task lists
// there or creating one, and accepting a certificate the system does not trust. The server and the
// user are bound to the record like the other controls; the page writes the chosen calendar and the
// accepted certificate, and hands the password to the password store.
class SyncPage final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SyncPage)

public:
    SyncPage(Settings &settings, QWidget *dialog);

    // The store the program keeps passwords in; until then the page finds nothing.
    void attach(PasswordStore &passwords);
    // Shows the record's choice and the kept password.
    void showSettings();

    static inline const QString kNewCalendarName = QStringLiteral("Marevo Notes");

private:
    void serverEdited();
    void userEdited();
    void passwordEdited();
    void findCalendars();
    void createCalendar();
    void calendarChosen(int index);
    void calendarsFound(const QList<DavCalendar> &calendars);
    void calendarCreated(const DavCalendar &calendar);
    void failed(const DavReply &reply);
    void passwordAnswered(const PasswordStore::Result &result);
    void forgetCalendar();
    void prepareClient();
    void setStatus(const QString &text);
    void setBusy(bool busy);

    enum class Step
    {
        Find,
        Create
    };

    Settings &m_settings;
    QWidget *m_dialog;
    QLineEdit *m_server;
    QLineEdit *m_user;
    QLineEdit *m_password;
    QPushButton *m_find;
    QComboBox *m_calendars;
    QPushButton *m_create;
    QLabel *m_status;
    PasswordStore *m_passwords = nullptr;
    DavClient m_client;
    CalDavDiscovery m_discovery;
    Step m_step = Step::Find;
    QString m_accountShown; // server and user the calendar list belongs to
    QString m_result;       // the last step's outcome
    QString m_passwordNote; // where the password is kept
};
