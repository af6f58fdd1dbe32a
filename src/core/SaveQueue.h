#pragma once

#include "IoResult.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>


class DataFileCodec;

// Writes the data files one after another on a thread of its own, so that neither the cipher nor
// the flush to disk holds up the window. Writes are done in the order they were asked for, so a
// later save of a file is never overtaken by an earlier one; each write stays atomic (old or new
// file, never half of one). A file is not written again when its plain content and form equal
// what it held when last written or read here, and nothing has replaced it since.
class SaveQueue final
{
public:
    // Makes the plain bytes; runs on the writer's thread, from a copy of the data it needs.
    using Maker = std::function<QByteArray()>;
    // Told the outcome, on the writer's thread.
    using Done = std::function<void(const IoResult &)>;

    SaveQueue();
    ~SaveQueue(); // writes what was asked for, then stops
    Q_DISABLE_COPY_MOVE(SaveQueue)

    // The program's one writer, so that saves of every folder keep their order.
    static SaveQueue &shared();

    // Returns at once; `codec` (when given) enciphers on the writer's thread.
    void save(const QString &path, Maker make, std::shared_ptr<const DataFileCodec> codec, Done done = {});
    // The same, waiting for the outcome.
    IoResult saveAndWait(const QString &path, Maker make, std::shared_ptr<const DataFileCodec> codec);
    // What a file read here holds in plain form, and the codec it was read with (null for plain).
    void remember(const QString &path, QByteArray plain, std::shared_ptr<const DataFileCodec> codec);
    // Returns once everything asked for so far is on disk.
    void waitForIdle();

private:
    struct Job
    {
        QString path;
        Maker make;
        std::shared_ptr<const DataFileCodec> codec;
        Done done;
        QByteArray remembered; // for a file read: its plain bytes
        bool write = true;
    };
    struct Written
    {
        QByteArray digest;
        bool enciphered = false;
        std::weak_ptr<const DataFileCodec> codec;
        QByteArray onDisk; // inode, size and time of change, to see a file replaced by someone else
    };

    void run();
    void perform(Job &job);
    bool unchanged(const Job &job, const QByteArray &digest) const;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<Job> m_jobs;
    bool m_busy = false;
    bool m_stopping = false;
    QHash<QString, Written> m_written; // the writer's thread only
    std::thread m_thread;
};
