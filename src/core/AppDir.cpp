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

} // namespace

QString resolve(const QString &commandLineDir, const QString &executableDir, QString *error)
{
    if (!commandLineDir.isEmpty()) {
        const QString dir = withSeparator(commandLineDir);
        return ensureDir(dir, error) ? dir : QString();
    }
    const QFileInfo exe(executableDir);
    if (!executableDir.isEmpty() && exe.isDir() && exe.isWritable())
        return withSeparator(executableDir);
    const QString dir = withSeparator(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    return ensureDir(dir, error) ? dir : QString();
}

} // namespace AppDir
