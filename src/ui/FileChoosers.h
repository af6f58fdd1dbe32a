#pragma once

#include <QString>

class QWidget;

// Open and save dialogs go through here; tests supply the chosen path.
namespace FileChoosers {

// Empty when the person cancelled.
QString openFile(QWidget *parent, const QString &caption, const QString &filter, const QString &directory = QString());
QString saveFile(QWidget *parent, const QString &caption, const QString &filter);

void setTestMode(bool on);
// The next chooser returns this path (an empty string stands for Cancel).
void queuePath(const QString &path);
// The folder the last chooser was asked to open in.
QString lastDirectory();

} // namespace FileChoosers
