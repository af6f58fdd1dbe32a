#pragma once

#include <QHash>
#include <QObject>
#include <QString>

namespace QKeychain {
class Job;
}

// The sync password of one server and user, kept by the desktop's secret service. Every
// call answers later through finished(); nothing here waits. Where no secret service
// exists the password lives only in this object's memory for the run (the user is asked
// again at the next start): it is never written anywhere in plain.
class PasswordStore final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PasswordStore)

public:
    enum class Operation
    {
        Read,
        Write,
        Remove
    };
    enum class Status
    {
        Done,
        NotFound,        // read: nothing kept for this server and user
        NoSecretService, // the desktop has none; memory only
        Failed           // the service refused or broke; error says why
    };
    struct Result
    {
        Operation operation = Operation::Read;
        QString server;
        QString user;
        QString password; // read only
        Status status = Status::Done;
        QString error;
    };

    // service: the name the secrets are filed under (tests use one of their own).
    explicit PasswordStore(QString service = QStringLiteral("marevo-notes-sync"), QObject *parent = nullptr);
    ~PasswordStore() override;

    void read(const QString &server, const QString &user);
    void write(const QString &server, const QString &user, const QString &password);
    void remove(const QString &server, const QString &user);

    // Learnt from the last answer of the service: no service, so a password typed this run
    // is kept in memory only.
    bool secretServiceMissing() const { return m_serviceMissing; }

Q_SIGNALS:
    void finished(const PasswordStore::Result &result);

private:
    static QString keyOf(const QString &server, const QString &user);
    void startJob(QKeychain::Job *job, Result pending);
    void jobDone(QKeychain::Job *job, Result pending);

    QString m_service;
    bool m_serviceMissing = false;
    QHash<QString, QString> m_memory; // key -> password, only without a secret service
};
