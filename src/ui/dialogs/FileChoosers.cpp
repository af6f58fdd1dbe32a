#include "ui/dialogs/FileChoosers.h"

#include <QFileDialog>
#include <QList>

namespace FileChoosers {

namespace {
bool g_testMode = false;
QList<QString> g_paths;
QString g_lastDirectory;
QString g_lastFilter;
QString g_lastDefaultSuffix;

QString nextTestPath()
{
    return g_paths.isEmpty() ? QString() : g_paths.takeFirst();
}
} // namespace

QString openFile(QWidget *parent, const QString &caption, const QString &filter, const QString &directory)
{
    g_lastDirectory = directory;
    g_lastFilter = filter;
    g_lastDefaultSuffix.clear();
    if (g_testMode)
        return nextTestPath();
    return QFileDialog::getOpenFileName(parent, caption, directory, filter);
}

QString saveFile(QWidget *parent, const QString &caption, const QString &filter, const QString &directory,
                 const QString &defaultSuffix)
{
    g_lastDirectory = directory;
    g_lastFilter = filter;
    g_lastDefaultSuffix = defaultSuffix;
    if (g_testMode)
        return nextTestPath();
    QFileDialog dialog(parent, caption, directory, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    // The overwrite question is the program's own, asked by the caller.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
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

QString lastFilter()
{
    return g_lastFilter;
}

QString lastDefaultSuffix()
{
    return g_lastDefaultSuffix;
}

} // namespace FileChoosers
