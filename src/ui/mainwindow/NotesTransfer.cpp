#include "ui/mainwindow/NotesTransfer.h"

#include "ui/dialogs/FileChoosers.h"
#include "ui/dialogs/Messages.h"

#include "core/ProgramState.h"
#include "notes/NotesBackup.h"
#include "notes/NotesCsv.h"
#include "notes/OldNotesImport.h"
#include "storage/DataFolder.h"

#include <QFileInfo>
#include <QWidget>

namespace {

const QString kCsvFilter = QStringLiteral("Comma Separated Values (*.csv)");
const QString kNotesExportFilter = QStringLiteral("Notes data file  (*.xml)");
const QString kNotesImportFilter = QStringLiteral("Notes data file (*.xml)");
const QString kOldNotesFilter = QStringLiteral("Old Data files (*.txt)");

// Holds off the window's automatic hiding while a command's dialogs are up, however it ends.
class DialogBusyScope
{
public:
    explicit DialogBusyScope(ProgramState &state) : m_state(state) { m_state.DialogBusy = true; }
    ~DialogBusyScope() { m_state.DialogBusy = false; }
    Q_DISABLE_COPY_MOVE(DialogBusyScope)

private:
    ProgramState &m_state;
};

} // namespace

NotesTransfer::NotesTransfer(const EditedData &data, const DataFolder &folder, std::function<bool()> saveNotes,
                             QWidget &window)
    : QObject(&window), m_data(data), m_folder(folder), m_saveNotes(std::move(saveNotes)), m_window(window)
{
}

QString NotesTransfer::chooseExportFile(const QString &caption, const QString &filter, const QString &suffix)
{
    const QString fileName = FileChoosers::saveFile(&m_window, caption, filter, m_data.state.AppDir, suffix);
    if (fileName.isEmpty())
        return {};
    // A folder, a device or a file of the data folder is not asked about: it is never replaced.
    if (const IoResult allowed = m_folder.checkExportTarget(fileName); !allowed) {
        Messages::error(&m_window, allowed.error);
        return {};
    }
    if (QFileInfo(fileName).isFile() &&
        !Messages::question(&m_window, QStringLiteral("File already exists. Do you want to overwrite it?")))
        return {};
    return fileName;
}

void NotesTransfer::Exportdata1Click()
{
    const DialogBusyScope busy(m_data.state);
    const QString fileName = chooseExportFile(QStringLiteral("Export data"), kCsvFilter, QStringLiteral("csv"));
    if (!fileName.isEmpty())
        ExportDataToCSV(fileName);
}

bool NotesTransfer::ExportDataToCSV(const QString &fileName)
{
    const IoResult written = NotesCsv::ExportDataToCSV(fileName, m_data.notes, m_data.formats);
    if (!written)
        Messages::error(&m_window, written.error);
    return written.ok;
}

void NotesTransfer::Makebackup1Click()
{
    const DialogBusyScope busy(m_data.state);
    const QString fileName =
        chooseExportFile(QStringLiteral("Export notes"), kNotesExportFilter, QStringLiteral("xml"));
    if (fileName.isEmpty())
        return;
    // The export is what data.txt now holds, in plain form even while the data files are enciphered.
    if (!m_saveNotes())
        return;
    if (const IoResult written = NotesBackup::writeNotesFile(fileName, m_data.notes); !written)
        Messages::error(&m_window, written.error);
}

void NotesTransfer::Importnotes1Click()
{
    importNotes(false);
}

void NotesTransfer::Importappendnotes1Click()
{
    importNotes(true);
}

void NotesTransfer::importNotes(bool append)
{
    const DialogBusyScope busy(m_data.state);
    const QString fileName = FileChoosers::openFile(
        &m_window, append ? QStringLiteral("Import notes (append)") : QStringLiteral("Import notes"),
        kNotesImportFilter, m_data.state.AppDir);
    if (!fileName.isEmpty())
        ReadNotes(fileName, append);
}

bool NotesTransfer::ReadNotes(const QString &fileName, bool append)
{
    const IoResult read = NotesBackup::ReadNotes(fileName, append, m_data.notes);
    if (!read) {
        Messages::error(&m_window, read.error);
        return false;
    }
    Q_EMIT notesChanged();
    return true;
}

void NotesTransfer::Importdata1Click()
{
    const DialogBusyScope busy(m_data.state);
    const QString fileName =
        FileChoosers::openFile(&m_window, QStringLiteral("Import old notes"), kOldNotesFilter, m_data.state.AppDir);
    if (fileName.isEmpty())
        return;
    const qsizetype before = m_data.notes.size();
    const IoResult read = OldNotesImport::appendFromFile(fileName, m_data.notes);
    // The notes read before a failing line stay, so the views must show them too.
    if (read || m_data.notes.size() != before)
        Q_EMIT notesChanged();
    if (!read)
        Messages::error(&m_window, read.error);
}
