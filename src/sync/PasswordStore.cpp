#include "PasswordStore.h"

#include <qt6keychain/keychain.h>

#include <utility>

namespace {

// libsecret reports a missing service as an ordinary error; these are the names it uses.
bool meansNoService(const QKeychain::Job &job)
{
    if (job.error() == QKeychain::NoBackendAvailable || job.error() == QKeychain::NotImplemented)
        return true;
    if (job.error() != QKeychain::OtherError && job.error() != QKeychain::AccessDenied)
        return false;
    const QString text = job.errorString();
    return text.contains(QLatin1String("not provided by any .service"), Qt::CaseInsensitive) ||
           text.contains(QLatin1String("ServiceUnknown")) ||
           text.contains(QLatin1String("No keychain service"), Qt::CaseInsensitive) ||
           text.contains(QLatin1String("Cannot autolaunch"), Qt::CaseInsensitive);
}

} // namespace

PasswordStore::PasswordStore(QString service, QObject *parent) : QObject(parent), m_service(std::move(service)) {}

PasswordStore::~PasswordStore() = default;

QString PasswordStore::keyOf(const QString &server, const QString &user)
{
    return user + QLatin1Char('@') + server;
}

void PasswordStore::read(const QString &server, const QString &user)
{
    Result pending{Operation::Read, server, user, {}, Status::Done, {}};
    if (m_serviceMissing) {
        const auto kept = m_memory.constFind(keyOf(server, user));
        pending.status = Status::NoSecretService;
        if (kept != m_memory.constEnd())
            pending.password = *kept;
        QMetaObject::invokeMethod(
            this, [this, pending] { Q_EMIT finished(pending); }, Qt::QueuedConnection);
        return;
    }
    auto *job = new QKeychain::ReadPasswordJob(m_service);
    startJob(job, std::move(pending));
}

void PasswordStore::write(const QString &server, const QString &user, const QString &password)
{
    Result pending{Operation::Write, server, user, {}, Status::Done, {}};
    if (m_serviceMissing) {
        m_memory.insert(keyOf(server, user), password);
        pending.status = Status::NoSecretService;
        QMetaObject::invokeMethod(
            this, [this, pending] { Q_EMIT finished(pending); }, Qt::QueuedConnection);
        return;
    }
    auto *job = new QKeychain::WritePasswordJob(m_service);
    job->setTextData(password);
    // Kept in memory until the service answers, so a missing one still leaves the password for this run.
    m_memory.insert(keyOf(server, user), password);
    startJob(job, std::move(pending));
}

void PasswordStore::remove(const QString &server, const QString &user)
{
    m_memory.remove(keyOf(server, user));
    Result pending{Operation::Remove, server, user, {}, Status::Done, {}};
    if (m_serviceMissing) {
        pending.status = Status::NoSecretService;
        QMetaObject::invokeMethod(
            this, [this, pending] { Q_EMIT finished(pending); }, Qt::QueuedConnection);
        return;
    }
    startJob(new QKeychain::DeletePasswordJob(m_service), std::move(pending));
}

void PasswordStore::startJob(QKeychain::Job *job, Result pending)
{
    // Never QtKeychain's plain-file fallback: a password on disk in clear is what this class exists to avoid.
    job->setInsecureFallback(false);
    job->setAutoDelete(true);
    job->setKey(keyOf(pending.server, pending.user));
    connect(job, &QKeychain::Job::finished, this,
            [this, pending = std::move(pending)](QKeychain::Job *done) { jobDone(done, pending); });
    job->start();
}

void PasswordStore::jobDone(QKeychain::Job *job, Result pending)
{
    const QString key = keyOf(pending.server, pending.user);
    if (job->error() == QKeychain::NoError) {
        m_serviceMissing = false;
        if (pending.operation == Operation::Read)
            pending.password = static_cast<QKeychain::ReadPasswordJob *>(job)->textData();
        // The service holds it now; no second copy lingers here.
        m_memory.remove(key);
    } else if (job->error() == QKeychain::EntryNotFound) {
        pending.status = pending.operation == Operation::Remove ? Status::Done : Status::NotFound;
    } else if (meansNoService(*job)) {
        m_serviceMissing = true;
        pending.status = Status::NoSecretService;
        if (pending.operation == Operation::Read)
            pending.password = m_memory.value(key);
    } else {
        pending.status = Status::Failed;
        pending.error = job->errorString();
        if (pending.operation == Operation::Write)
            m_memory.remove(key);
    }
    Q_EMIT finished(pending);
}
