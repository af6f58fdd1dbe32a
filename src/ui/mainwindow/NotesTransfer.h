#pragma once

#include "ui/mainwindow/EditedData.h"

#include <QObject>
#include <QString>

#include <functional>

class DataFolder;
class QWidget;

// The "General" menu's exports and imports. Exports write only the chosen file (and, for the
// notes export, the usual save first); imports change the collection and the views, and reach
// data.txt with the next save.
class NotesTransfer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NotesTransfer)

public:
    // `saveNotes` is the window's save of the notes files, false when it failed (the error shown);
    // `window` is the parent of the file choosers and messages.
    NotesTransfer(const EditedData &data, const DataFolder &folder, std::function<bool()> saveNotes, QWidget &window);

    void Exportdata1Click();
    void Makebackup1Click();
    void Importnotes1Click();
    void Importappendnotes1Click();
    void Importdata1Click();
    void ExportIcs1Click();
    void ImportIcs1Click();

    // False when the file was not written or read; the error has been shown.
    bool ExportDataToCSV(const QString &fileName);
    bool ReadNotes(const QString &fileName, bool append);
    // Adds the calendar's tasks and events, updating notes of the same UID, and saves. Asks first
    // when more than 100 notes would be added; says which items were skipped.
    bool importCalendar(const QString &fileName);

Q_SIGNALS:
    // An import changed the collection; the views must show it.
    void notesChanged();

private:
    QString chooseExportFile(const QString &caption, const QString &filter, const QString &suffix);
    void importNotes(bool append);

    EditedData m_data;
    const DataFolder &m_folder;
    std::function<bool()> m_saveNotes;
    QWidget &m_window;
};
