#include "TodayEvents.h"

#include "notes/NotesSort.h"

#include <QStringList>

namespace TodayEvents {

QString title()
{
    return QStringLiteral("Today events");
}

QStringList lines(const NotesCollection &notes, TDateTime now)
{
    NotesCollection sorted = notes;
    sortByDeadline(sorted.begin(), sorted.end(), [](const TNotesData &note) { return note.Deadline; });
    const QDate today = DateTime::toQDate(now);
    QStringList lines;
    for (const TNotesData &note : sorted) {
        if (DateTime::toQDate(note.Deadline) != today)
            continue;
        const QString shown = note.Text.size() <= 30 ? note.Text : note.Text.left(27) + QStringLiteral("...");
        lines.append(QStringLiteral("\u2022 ") + shown);
    }
    return lines;
}

QString text(const NotesCollection &notes, TDateTime now)
{
    return lines(notes, now).join(QLatin1Char('\r'));
}

QString balloonBody(const QString &text)
{
    return text.left(kBodyLimit);
}

} // namespace TodayEvents
