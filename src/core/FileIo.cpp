#include "FileIo.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace FileIo {

IoResult readFile(const QString &path, QByteArray *data, qint64 maxSize)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return IoResult::failure(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    if (file.size() > maxSize)
        return IoResult::failure(QStringLiteral("The file \"%1\" is too large to be a data file.").arg(path));
    *data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return IoResult::failure(QStringLiteral("Cannot read file \"%1\". %2").arg(path, file.errorString()));
    return IoResult::success();
}

IoResult writeFileAtomically(const QString &path, const QByteArray &data, Permissions permissions)
{
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
