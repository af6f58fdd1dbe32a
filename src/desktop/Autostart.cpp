#include "Autostart.h"

#include "core/FileIo.h"

#include <QDir>
#include <QFileInfo>
#include <QStringBuilder>

#include <cerrno>

namespace Autostart {

namespace {

bool needsQuotes(const QString &argument)
{
    static const QString kReserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    if (argument.isEmpty())
        return true;
    for (const QChar c : argument) {
        if (kReserved.contains(c))
            return true;
    }
    return false;
}

} // namespace

QString entryPath(const QString &configDir)
{
    return configDir % QLatin1String("/autostart/marevo-notes.desktop");
}

QString execArgument(const QString &argument)
{
    QString quoted;
    if (needsQuotes(argument)) {
        quoted = QStringLiteral("\"");
        for (const QChar c : argument) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
                quoted += QLatin1Char('\\');
            quoted += c;
        }
        quoted += QLatin1Char('"');
    } else {
        quoted = argument;
    }
    quoted.replace(QLatin1Char('%'), QLatin1String("%%"));

    // The string-value escapes are read before the quoting rules.
    QString value;
    for (const QChar c : quoted) {
        if (c == QLatin1Char('\\'))
            value += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            value += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            value += QLatin1String("\\r");
        else if (c == QLatin1Char('\t'))
            value += QLatin1String("\\t");
        else
            value += c;
    }
    return value;
}

QByteArray entry(const QString &executablePath, const QString &dataDir)
{
    QString exec = execArgument(executablePath);
    if (!dataDir.isEmpty())
        exec += QLatin1String(" --data-dir ") % execArgument(QDir::cleanPath(dataDir));
    const QString text =
        QLatin1String("[Desktop Entry]\nType=Application\nName=Marevo Notes\nExec=") % exec % QLatin1Char('\n');
    return text.toUtf8();
}

IoResult write(const QString &configDir, const QString &executablePath, const QString &dataDir)
{
    const QString path = entryPath(configDir);
    const QString folder = QFileInfo(path).absolutePath();
    errno = 0;
    if (!QDir().mkpath(folder)) {
        // mkdir says only "exists" when a file stands where the folder should be.
        const int reason = QFileInfo(folder).isFile() ? ENOTDIR : errno;
        return IoResult::failure(
            QStringLiteral("Cannot create folder \"%1\". %2")
                .arg(folder, reason != 0 ? qt_error_string(reason) : QStringLiteral("Unknown error")));
    }
    return FileIo::writeFileAtomically(path, entry(executablePath, dataDir), FileIo::Permissions::Default);
}

} // namespace Autostart
