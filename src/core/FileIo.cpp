#include "FileIo.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileIo {

namespace {

QString kindName(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("a device");
}

IoResult notAFile(const QString &path, mode_t mode)
{
    return IoResult::failure(QStringLiteral("\"%1\" is %2, not a file.").arg(path, kindName(mode)));
}

} // namespace

QString nonFileKind(const QString &path)
{
    struct stat status;
    if (stat(QFile::encodeName(path).constData(), &status) != 0 || S_ISREG(status.st_mode))
        return {};
    return kindName(status.st_mode);
}

IoResult readFile(const QString &path, QByteArray *data, qint64 maxSize)
{
    // Checked before opening, as opening some devices has effects; checked again on what was opened,
    // which cannot block: something else may have been put in the file's place in between.
    const QByteArray name = QFile::encodeName(path);
    struct stat status;
    if (stat(name.constData(), &status) == 0 && !S_ISREG(status.st_mode))
        return notAFile(path, status.st_mode);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return IoResult::failure(QStringLiteral("Cannot open file \"%1\". %2").arg(path, qt_error_string(errno)));
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const IoResult refused = notAFile(path, status.st_mode);
        ::close(fd);
        return refused;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return IoResult::failure(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    }
    if (file.size() > maxSize)
        return IoResult::failure(QStringLiteral("The file \"%1\" is too large to be a data file.").arg(path));
    *data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return IoResult::failure(QStringLiteral("Cannot read file \"%1\". %2").arg(path, file.errorString()));
    return IoResult::success();
}

IoResult writeFileAtomically(const QString &path, const QByteArray &data, Permissions permissions)
{
    // A pipe or a device in the file's place is someone's, not a file to replace; a folder is
    // refused by QSaveFile itself.
    struct stat status;
    if (stat(QFile::encodeName(path).constData(), &status) == 0 && !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode))
        return IoResult::failure(
            QStringLiteral("Cannot write file \"%1\": it is %2, not a file.").arg(path, kindName(status.st_mode)));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return IoResult::failure(QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString()));
    if (permissions == Permissions::OwnerOnly)
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(data) != data.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return IoResult::failure(QStringLiteral("Cannot write file \"%1\". %2").arg(path, reason));
    }
    if (!file.commit())
        return IoResult::failure(QStringLiteral("Cannot write file \"%1\". %2").arg(path, file.errorString()));
    return IoResult::success();
}

QString keepAside(const QString &path, const QDateTime &now)
{
    const QString base = path + QStringLiteral(".unreadable-") + now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = base;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = base + QLatin1Char('-') + QString::number(n);
    return QFile::rename(path, target) ? target : QString();
}

} // namespace FileIo
