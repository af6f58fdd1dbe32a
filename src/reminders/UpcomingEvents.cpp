#include "UpcomingEvents.h"

#include "notes/NoteIcons.h"
#include "notes/NotesSort.h"

#include <QStringBuilder>

#include <cmath>

namespace {

QString twoDigits(qint64 value)
{
    return QString::number(value).rightJustified(2, QLatin1Char('0'));
}

} // namespace

QString upcomingLeftText(TDateTime deadline, TDateTime now)
{
    // Rounded to the millisecond once, so days, hours and minutes come from one value and
    // a difference a hair short of a whole day cannot read "0d 24h00m".
    const double daysAhead = deadline - now;
    if (!(std::fabs(daysAhead) < 1e9)) // beyond any horizon; keeps the conversion below defined
        return QStringLiteral("-");
    const auto msecs = static_cast<qint64>(std::llround(daysAhead * DateTime::kMsPerDay));
    const qint64 days = msecs / DateTime::kMsPerDay;
    const qint64 minutesOfDay = (msecs % DateTime::kMsPerDay) / 60000;
    return QString::number(days) % QLatin1String("d ") % twoDigits(minutesOfDay / 60) % QLatin1Char('h') %
           twoDigits(minutesOfDay % 60) % QLatin1Char('m');
}

QList<UpcomingEvent> upcomingEvents(const NotesCollection &notes, NotesFilter filter, int horizonDays, TDateTime now)
{
    // Only the few notes within the horizon are sorted; the tests below do not depend on the order.
    QList<qsizetype> shown;
    for (qsizetype i = 0; i < notes.size(); ++i) {
        const TNotesData &note = notes[i];
        if (note.Progress == 100 && !filter.showFinished)
            continue;
        if (note.PrivateMsg && filter.hidePrivate)
            continue;
        // A NaN deadline passes both tests below without being a time at all.
        if (std::isnan(note.Deadline))
            continue;
        const double dayDistance = std::trunc(std::fabs(now - DateTime::dateOf(note.Deadline)));
        if (dayDistance > horizonDays)
            continue;
        if (now > note.Deadline)
            continue;
        // Last: the search costs the most.
        if (!noteMatches(note, filter.search))
            continue;
        shown.append(i);
    }

    QList<UpcomingEvent> events;
    events.reserve(shown.size());
    for (const qsizetype position : deadlineOrderOf(notes, shown)) {
        const TNotesData &note = notes[position];
        UpcomingEvent event;
        event.position = position;
        event.icon = NoteIcons::forNote(note);
        event.note = singleLineText(note.Text);
        event.left = upcomingLeftText(note.Deadline, now);
        events.append(event);
    }
    return events;
}

QString wallpaperLine(const UpcomingEvent &event)
{
    constexpr qsizetype kTextLimit = 60;
    const QString text =
        event.note.size() > kTextLimit ? event.note.left(kTextLimit) % QLatin1String("...") : event.note;
    return event.left % QLatin1String("  ") % text;
}

bool UpcomingRefreshCounter::tick(int refreshMinutes)
{
    ++m_count;
    if (refreshMinutes > m_count)
        return false;
    m_count = 0;
    return true;
}
