#include "ui/mainwindow/NotesTransfer.h"

#include "ui/dialogs/FileChoosers.h"
#include "ui/dialogs/Messages.h"

#include "core/Clock.h"
#include "core/ExportFile.h"
#include "core/ProgramState.h"
#include "ical/IcsExport.h"
#include "ical/IcsImport.h"
#include "notes/NotesBackup.h"
#include "notes/NotesCsv.h"
#include "notes/OldNotesImport.h"
#include "settings/Settings.h"
#include "storage/DataFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QWidget>

namespace {

const QString kCsvFilter = QStringLiteral("Comma Separated Values (*.csv)");
const QString kNotesExportFilter = QStringLiteral("Notes data file  (*.xml)");
const QString kNotesImportFilter = QStringLiteral("Notes data file (*.xml)");
const QString kOldNotesFilter = QStringLiteral("Old Data files (*.txt)");
const QString kCalendarFilter = QStringLiteral("iCalendar files (*.ics)");
// More new notes than this from one file are asked about first, as a repetition in the editor is.
constexpr qsizetype kAskAbove = 100;

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

void NotesTransfer::ExportIcs1Click()
{
    const DialogBusyScope busy(m_data.state);
    const QString fileName =
        chooseExportFile(QStringLiteral("Export to calendar"), kCalendarFilter, QStringLiteral("ics"));
    if (fileName.isEmpty())
        return;
    const QByteArray calendar = IcsExport::exportNotes(
        m_data.notes, {Clock::nowValue(), m_data.settings.ShowAlerts, m_data.settings.AlertsTime});
    if (const IoResult written = ExportFile::write(fileName, calendar, ExportFile::NoReader::Refuse); !written)
        Messages::error(&m_window, written.error);
}

void NotesTransfer::ImportIcs1Click()
{
    const DialogBusyScope busy(m_data.state);
    const QString fileName =
        FileChoosers::openFile(&m_window, QStringLiteral("Import from calendar"), kCalendarFilter, m_data.state.AppDir);
    if (!fileName.isEmpty())
        importCalendar(fileName);
}

bool NotesTransfer::importCalendar(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        Messages::error(&m_window, QStringLiteral("Cannot open the file \"%1\": %2").arg(fileName, file.errorString()));
        return false;
    }
    const IcsImport::Result read = IcsImport::parse(file.readAll(), Clock::nowValue());
    if (!read.isCalendar) {
        Messages::error(&m_window, IcsImport::notCalendarMessage());
        return false;
    }
    const qsizetype added = IcsImport::countNew(m_data.notes, read.notes);
    if (added > kAskAbove &&
        !Messages::question(&m_window,
                            QStringLiteral("The calendar file adds %1 notes. Do you want to add them all?").arg(added)))
        return false;
    if (!read.notes.isEmpty()) {
        IcsImport::merge(m_data.notes, read.notes);
        Q_EMIT notesChanged();
        m_saveNotes();
    }
    if (const QString skipped = IcsImport::skippedMessage(read); !skipped.isEmpty())
        Messages::warning(&m_window, skipped);
    return true;
}
