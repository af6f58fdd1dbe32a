#include "AppDir.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace AppDir {

namespace {

QString withSeparator(const QString &path)
{
    QString clean = QDir::cleanPath(QDir(path).absolutePath());
    if (!clean.endsWith(QLatin1Char('/')))
        clean += QLatin1Char('/');
    return clean;
}

bool ensureDir(const QString &path, QString *error)
{
    if (QDir().mkpath(path))
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
