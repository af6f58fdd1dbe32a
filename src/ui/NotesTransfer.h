#pragma once

#include <QObject>
#include <QString>

class TForm1;

// The "General" menu's exports and imports. Exports write only the chosen file (and, for the
// notes export, the usual save first); imports change the collection and the views, and reach
// data.txt with the next save.
class NotesTransfer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NotesTransfer)

public:
    explicit NotesTransfer(TForm1 &window);

    void Exportdata1Click();
    void Makebackup1Click();
    void Importnotes1Click();
    void Importappendnotes1Click();
    void Importdata1Click();

    // False when the file was not written or read; the error has been shown.
    bool ExportDataToCSV(const QString &fileName);
    bool ReadNotes(const QString &fileName, bool append);

private:
    QString chooseExportFile(const QString &caption, const QString &filter, const QString &suffix);
    void importNotes(bool append);

    TForm1 &m_window;
};
