#pragma once

#include "core/SaveQueue.h"
#include "ui/dialogs/FileChoosers.h"
#include "ui/dialogs/Messages.h"
#include "ui/widgets/ImageList.h"

#include <QFile>
#include <QStandardPaths>
#include <QString>
#include <QTest>

// Puts the program's seams into test mode: no real message boxes or file dialogs.
inline void enterUiTestMode()
{
    QStandardPaths::setTestModeEnabled(true);
    ImageList1::initResources();
    Messages::setTestMode(true);
    FileChoosers::setTestMode(true);
}

// What the saves asked for so far left on disk: they are written on the writer's thread.
inline QByteArray readAll(const QString &path)
{
    SaveQueue::shared().waitForIdle();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool savedFileExists(const QString &path)
{
    SaveQueue::shared().waitForIdle();
    return QFile::exists(path);
}

// A file removed once the saves asked for so far are written, so that none of them brings it back.
inline bool removeSavedFile(const QString &path)
{
    SaveQueue::shared().waitForIdle();
    return QFile::remove(path);
}

inline void writeAll(const QString &path, const QByteArray &data)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(data);
}

// One row, named after the file, for each data file besides data.txt, in a column "name".
inline void addOtherDataFileRows()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"notepad.txt", "settings.xml", "expenditures.txt", "passwd.txt"})
        QTest::newRow(name) << QString::fromLatin1(name);
}
