#include "SaveQueue.h"

#include "DataFile.h"

#include <QHashFunctions>
#include <QFile>

#include <future>

#include <sys/stat.h>

namespace {

// The length and two independent 64-bit hashes: a chance collision is out of reach, and at several
// gigabytes a second (a cryptographic hash took a quarter of a second for 40 MB) it costs little.
QByteArray digestOf(const QByteArray &plain)
{
    const quint64 fields[] = {quint64(plain.size()), quint64(qHash(QByteArrayView(plain), 0x9E3779B97F4A7C15ULL)),
                              quint64(qHash(QByteArrayView(plain), 0xC2B2AE3D27D4EB4FULL))};
    return QByteArray(reinterpret_cast<const char *>(fields), sizeof fields);
}

QByteArray fileStamp(const QString &path)
{
    struct stat status;
    if (stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return {};
    const qint64 fields[] = {qint64(status.st_dev), qint64(status.st_ino), qint64(status.st_size),
                             qint64(status.st_mtim.tv_sec), qint64(status.st_mtim.tv_nsec),
                             qint64(status.st_ctim.tv_sec), qint64(status.st_ctim.tv_nsec)};
    return QByteArray(reinterpret_cast<const char *>(fields), sizeof fields);
}

} // namespace

SaveQueue::SaveQueue() : m_thread([this] { run(); }) {}

SaveQueue::~SaveQueue()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

SaveQueue &SaveQueue::shared()
{
    static SaveQueue queue;
    return queue;
}

void SaveQueue::save(const QString &path, Maker make, std::shared_ptr<const DataFileCodec> codec, Done done)
{
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back(Job{path, std::move(make), std::move(codec), std::move(done), {}, true});
    }
    m_wake.notify_one();
}

IoResult SaveQueue::saveAndWait(const QString &path, Maker make, std::shared_ptr<const DataFileCodec> codec)
{
    std::promise<IoResult> outcome;
    std::future<IoResult> result = outcome.get_future();
    save(path, std::move(make), std::move(codec), [&outcome](const IoResult &saved) { outcome.set_value(saved); });
    return result.get();
}

void SaveQueue::remember(const QString &path, QByteArray plain, std::shared_ptr<const DataFileCodec> codec)
{
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back(Job{path, {}, std::move(codec), {}, std::move(plain), false});
    }
    m_wake.notify_one();
}

void SaveQueue::waitForIdle()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
}

void SaveQueue::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        if (m_jobs.empty())
            return; // stopping, with nothing left to write
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_busy = true;
        lock.unlock();
        perform(job);
        job = Job(); // the copies of the data go before the queue counts as idle
        lock.lock();
        m_busy = false;
        if (m_jobs.empty())
            m_idle.notify_all();
    }
}

void SaveQueue::perform(Job &job)
{
    if (!job.write) {
        m_written[job.path] = Written{digestOf(job.remembered), bool(job.codec), job.codec, fileStamp(job.path)};
        return;
    }
    const QByteArray plain = job.make();
    const QByteArray digest = digestOf(plain);
    IoResult result;
    if (!unchanged(job, digest)) {
        result = DataFile::save(job.path, plain, job.codec.get());
        if (result)
            m_written[job.path] = Written{digest, bool(job.codec), job.codec, fileStamp(job.path)};
        else
            m_written.remove(job.path);
    }
    if (job.done)
        job.done(result);
}

bool SaveQueue::unchanged(const Job &job, const QByteArray &digest) const
{
    const auto last = m_written.constFind(job.path);
    if (last == m_written.cend() || last->digest != digest)
        return false;
    // Another pass phrase, or protection turned on or off, changes the stored form.
    const Written &written = *last;
    if (written.enciphered != bool(job.codec) || (job.codec && written.codec.lock() != job.codec))
        return false;
    return !written.onDisk.isEmpty() && written.onDisk == fileStamp(job.path);
}
