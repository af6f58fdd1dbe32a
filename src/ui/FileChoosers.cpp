#include "FileChoosers.h"

#include <QFileDialog>
#include <QList>

namespace FileChoosers {

namespace {
bool g_testMode = false;
QList<QString> g_paths;
QString g_lastDirectory;

QString nextTestPath()
{
    return g_paths.isEmpty() ? QString() : g_paths.takeFirst();
}
} // namespace

QString openFile(QWidget *parent, const QString &caption, const QString &filter, const QString &directory)
{
    g_lastDirectory = directory;
    if (g_testMode)
        return nextTestPath();
    return QFileDialog::getOpenFileName(parent, caption, directory, filter);
}

QString saveFile(QWidget *parent, const QString &caption, const QString &filter)
{
    if (g_testMode)
        return nextTestPath();
    // The overwrite question is the program's own, asked by the caller.
    return QFileDialog::getSaveFileName(parent, caption, QString(), filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

void setTestMode(bool on)
{
    g_testMode = on;
    g_paths.clear();
}

void queuePath(const QString &path)
{
    g_paths.append(path);
}

QString lastDirectory()
{
    return g_lastDirectory;
}

} // namespace FileChoosers
