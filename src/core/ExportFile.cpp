#include "ExportFile.h"

#include "FileIo.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <ctime>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace ExportFile {

namespace {

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

// Known by their device numbers (consoles and serial lines, /dev/tty, pseudo-terminals), so that
// no other device is even opened: opening some has effects of its own.
bool isTerminalDevice(dev_t device)
{
    const unsigned int type = major(device);
    return type == 4 || (type == 5 && minor(device) != 2) || (type >= 136 && type <= 143);
}

bool isStream(const QString &path)
{
    struct stat status;
    if (stat(native(path).constData(), &status) != 0)
        return false;
    return S_ISFIFO(status.st_mode) || (S_ISCHR(status.st_mode) && isTerminalDevice(status.st_rdev));
}

QString realPath(const QString &path)
{
    char resolved[PATH_MAX];
    return realpath(native(path).constData(), resolved) ? QFile::decodeName(resolved) : QString();
}

// The file a write to `path` ends at, found as the kernel finds it: symbolic links followed, ".."
// taken after them, the folder in its canonical form. Empty when the folder does not exist.
QString finalPath(QString path)
{
    for (int depth = 0; depth < 40; ++depth) {
        if (const QString existing = realPath(path); !existing.isEmpty())
            return existing;
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        const QString folder = slash < 0 ? QStringLiteral("./") : path.left(slash + 1);
        char target[PATH_MAX];
        const ssize_t length = readlink(native(path).constData(), target, sizeof target);
        if (length < 0) { // nothing there yet: it would be created in the folder
            const QString realFolder = realPath(folder);
            return realFolder.isEmpty() ? QString() : realFolder + QLatin1Char('/') + path.mid(slash + 1);
        }
        const QString link = QFile::decodeName(QByteArray(target, length));
        path = link.startsWith(QLatin1Char('/')) ? link : folder + link;
    }
    return {};
}

bool isOwnFile(const QString &target, const QString &folder, const QStringList &ownNames)
{
    if (target.isEmpty() || folder.isEmpty() || !target.startsWith(folder + QLatin1Char('/')))
        return false;
    const QString name = target.mid(folder.size() + 1);
    for (const QString &ownName : ownNames) {
        if (name == ownName || name.startsWith(ownName + QStringLiteral(".unreadable-")))
            return true;
    }
    return false;
}

bool isDataFolderFile(const QString &path, const QString &appDir, const QStringList &ownNames)
{
    const QString folder = realPath(appDir);
    // Also as the path reads, ".." taken first, the way the file classes may take it.
    return isOwnFile(finalPath(path), folder, ownNames) ||
           isOwnFile(finalPath(QDir::cleanPath(QDir::current().absoluteFilePath(path))), folder, ownNames);
}

// A reader that goes away fails the export instead of ending the program with SIGPIPE.
bool writeAll(int fd, const QByteArray &data)
{
    sigset_t pipeSignal;
    sigset_t previous;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    sigset_t pending;
    sigpending(&pending);
    const bool pendingBefore = sigismember(&pending, SIGPIPE) == 1;

    const char *at = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, at, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        at += written;
        left -= written;
    }
    const int error = errno;
    if (left > 0 && error == EPIPE && !pendingBefore) {
        const timespec now{};
        sigtimedwait(&pipeSignal, nullptr, &now);
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    errno = error;
    return left == 0;
}

IoResult writeStream(const QString &path, const QByteArray &data, NoReader noReader)
{
    const QByteArray name = native(path);
    int fd = ::open(name.constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == ENXIO && noReader == NoReader::Wait) {
        do
            fd = ::open(name.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        while (fd < 0 && errno == EINTR);
    }
    if (fd < 0) {
        if (errno == ENXIO)
            return IoResult::failure(
                QStringLiteral("Nothing reads from \"%1\"; the export was not written.").arg(path));
        return IoResult::failure(QStringLiteral("Cannot open file \"%1\". %2").arg(path, qt_error_string(errno)));
    }
    // What was opened must still be a pipe or a terminal, not a file put there meanwhile.
    struct stat status;
    if (fstat(fd, &status) != 0 || !(S_ISFIFO(status.st_mode) || (S_ISCHR(status.st_mode) && isatty(fd)))) {
        ::close(fd);
        return IoResult::failure(
            QStringLiteral("\"%1\" changed while it was opened; the export was not written.").arg(path));
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const bool written = writeAll(fd, data);
    const QString reason = qt_error_string(errno);
    ::close(fd);
    if (!written)
        return IoResult::failure(QStringLiteral("Cannot write file \"%1\". %2").arg(path, reason));
    return IoResult::success();
}

} // namespace

IoResult write(const QString &path, const QByteArray &data, NoReader noReader)
{
    if (isStream(path))
        return writeStream(path, data, noReader);
    return FileIo::writeFileAtomically(path, data); // refuses a folder or a device itself
}

IoResult check(const QString &path, const QString &appDir, const QStringList &ownNames)
{
    if (isDataFolderFile(path, appDir, ownNames))
        return IoResult::failure(
            QStringLiteral("\"%1\" is a data file of the organiser; choose another file.").arg(path));
    if (const QString kind = FileIo::nonFileKind(path); !kind.isEmpty() && !isStream(path))
        return IoResult::failure(
            QStringLiteral("\"%1\" is %2, not a file; the export was not written.").arg(path, kind));
    return IoResult::success();
}

} // namespace ExportFile
