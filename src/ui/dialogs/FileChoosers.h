#pragma once

#include <QString>

class QWidget;

// Open and save dialogs go through here; tests supply the chosen path.
namespace FileChoosers {

// Empty when the person cancelled.
QString openFile(QWidget *parent, const QString &caption, const QString &filter, const QString &directory = QString());
// `defaultSuffix` is added to a typed name without one.
QString saveFile(QWidget *parent, const QString &caption, const QString &filter, const QString &directory = QString(),
                 const QString &defaultSuffix = QString());

void setTestMode(bool on);
// The next chooser returns this path (an empty string stands for Cancel).
void queuePath(const QString &path);
// The folder the last chooser was asked to open in.
QString lastDirectory();
// The filter and the default suffix of the last chooser.
QString lastFilter();
QString lastDefaultSuffix();

} // namespace FileChoosers
