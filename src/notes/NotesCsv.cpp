#include "NotesCsv.h"

#include "core/TextLines.h"

#include <QStringBuilder>
#include <QStringList>

#include <cmath>

namespace NotesCsv {

QString header()
{
    return QStringLiteral("Due;Name;% done;Importance;Location;Private?");
}

QString dueText(TDateTime deadline, const LocaleFormats &formats)
{
    const QDate date = DateTime::toQDate(deadline);
    if (deadline == DateTime::kNoDeadline || !date.isValid())
        return QStringLiteral("n/a");
    // Date and time of day taken apart without a QDateTime: a time that a clock change
    // skips locally (02:30 on the spring day) is still the time the note holds.
    auto msecs = static_cast<qint64>(std::llround(std::fabs(deadline - std::trunc(deadline)) * DateTime::kMsPerDay));
    msecs %= DateTime::kMsPerDay; // a fraction that rounds to a whole day is midnight of the next day
    const QTime time = QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs));
    if (time == QTime(0, 0))
        return formats.formatDate(date);
    return formats.formatDate(date) % QLatin1Char(' ') % formats.formatTime(time);
}

QString fieldText(const QString &text)
{
    QString field = text;
    field.remove(QLatin1Char(';'));
    field.remove(QLatin1Char('\r'));
    field.remove(QLatin1Char('\n'));
    return field;
}

QString line(const TNotesData &note, const LocaleFormats &formats)
{
    const QStringList fields = {
        dueText(note.Deadline, formats), fieldText(note.Text),
        QString::number(note.Progress),  importanceName(note.Importance),
        fieldText(note.Location),        note.PrivateMsg ? QStringLiteral("Yes") : QStringLiteral("No")};
    return fields.join(QLatin1Char(';'));
}

QByteArray csvData(const NotesCollection &notes, const LocaleFormats &formats)
{
    QStringList lines;
    lines.reserve(notes.size() + 1);
    lines.append(header());
    for (const TNotesData &note : notes)
        lines.append(line(note, formats));
    return TextLines::join(lines);
}

IoResult ExportDataToCSV(const QString &fileName, const NotesCollection &notes, const LocaleFormats &formats,
                         ExportFile::NoReader noReader)
{
    return ExportFile::write(fileName, csvData(notes, formats), noReader);
}

} // namespace NotesCsv
