#include "AppDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <sys/stat.h>

namespace AppDir {

namespace {

QString withSeparator(const QString &path)
{
    QString clean = QDir::cleanPath(QDir(path).absolutePath());
    if (!clean.endsWith(QLatin1Char('/')))
        clean += QLatin1Char('/');
    return clean;
}

// Every folder made here is the owner's alone, whatever the umask; folders that exist keep their mode.
bool makePrivatePath(const QString &path)
{
    const QString clean = QDir::cleanPath(path);
    if (QFileInfo(clean).isDir())
        return true;
    const QString parent = QFileInfo(clean).path();
    if (parent != clean && !makePrivatePath(parent))
        return false;
    const QByteArray native = QFile::encodeName(clean);
    if (::mkdir(native.constData(), S_IRWXU) != 0)
        return errno == EEXIST && QFileInfo(clean).isDir();
    return ::chmod(native.constData(), S_IRWXU) == 0;
}

bool ensureDir(const QString &path, QString *error)
{
    if (makePrivatePath(path))
        return true;
    if (error)
        *error = QStringLiteral("Cannot create the data folder \"%1\".").arg(path);
    return false;
}

// Installed under a system prefix the program is not portable, even for root who can write there.
bool isSystemDir(const QString &path)
{
    static const QStringList prefixes = {QStringLiteral("/usr/"), QStringLiteral("/opt/"), QStringLiteral("/bin/"),
                                         QStringLiteral("/sbin/"), QStringLiteral("/snap/")};
    const QString dir = withSeparator(path);
    for (const QString &prefix : prefixes)
        if (dir.startsWith(prefix))
            return true;
    return false;
}

} // namespace

QString resolve(const QString &commandLineDir, const QString &executableDir, QString *error)
{
    if (!commandLineDir.isEmpty()) {
        const QString dir = withSeparator(commandLineDir);
        return ensureDir(dir, error) ? dir : QString();
    }
    const QFileInfo exe(executableDir);
    if (!executableDir.isEmpty() && exe.isDir() && exe.isWritable() && !isSystemDir(executableDir))
        return withSeparator(executableDir);
    const QString dir = withSeparator(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    return ensureDir(dir, error) ? dir : QString();
}

} // namespace AppDir
