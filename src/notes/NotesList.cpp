#include "NotesList.h"

#include "NoteIcons.h"

#include <QHash>
#include <QStringBuilder>

#include <algorithm>
#include <cmath>

namespace {

const QString kNotAvailable = QStringLiteral("n/a");

// Both values carry milliseconds at best; rounding the difference there keeps a deadline
// exactly N days ahead from showing N - 1 through floating-point noise.
double wholeDaysAhead(TDateTime deadline, TDateTime now)
{
    const double days = deadline - now;
    if (days > 1e9)
        return std::trunc(days);
    const double msecs = std::round(days * DateTime::kMsPerDay);
    return std::floor(msecs / DateTime::kMsPerDay);
}

} // namespace

bool NotesFilter::isListed(const TNotesData &note) const
{
    if (hidePrivate && note.PrivateMsg)
        return false;
    if (!showFinished && note.Progress > 99)
        return false;
    return noteMatches(note, search);
}

bool noteMatches(const TNotesData &note, const SearchQuery &search)
{
    return search.matches(note.Text, note.Location);
}

QString singleLineText(const QString &text)
{
    // Most notes hold one line: share the text instead of copying it. The searches are Qt's
    // vectorised ones; a loop of our own over each character cost twice as much.
    qsizetype first = text.indexOf(QLatin1Char('\n'));
    const qsizetype cr = first < 0 ? text.indexOf(QLatin1Char('\r')) : text.left(first).indexOf(QLatin1Char('\r'));
    if (cr >= 0)
        first = cr;
    if (first < 0)
        return text;
    QString line = text;
    QChar *out = line.data(); // one copy, then the breaks become blanks in place
    for (qsizetype i = first; i < line.size(); ++i) {
        if (out[i] == QLatin1Char('\r') || out[i] == QLatin1Char('\n'))
            out[i] = QLatin1Char(' ');
    }
    return line;
}

QString daysLeftText(TDateTime deadline, TDateTime now)
{
    if (deadline == DateTime::kNoDeadline)
        return QStringLiteral("-");
    if (now > deadline)
        return QStringLiteral("expired");
    // A NaN or infinite deadline has no day count to show.
    if (!std::isfinite(deadline))
        return QStringLiteral("-");
    const double days = wholeDaysAhead(deadline, now);
    // Whole numbers well inside 64 bits print the same without the floating-point formatter.
    if (days >= 0 && days < 1e15 && !std::signbit(days))
        return QString::number(static_cast<qint64>(days)) + QLatin1Char('d');
    return QString::number(days, 'f', 0) + QLatin1Char('d');
}

namespace {

// "0%" .. "100%", made once: every row shows one of them.
const QString &percentText(quint8 progress)
{
    static const QList<QString> kTexts = [] {
        QList<QString> texts;
        for (int p = 0; p <= 255; ++p)
            texts.append(QString::number(p) + QLatin1Char('%'));
        return texts;
    }();
    return kTexts[progress];
}

// daysLeftText for many notes: deadlines share a few hundred day counts, each formatted once.
class LeftTexts
{
public:
    QString text(TDateTime deadline, TDateTime now)
    {
        if (deadline == DateTime::kNoDeadline || now > deadline || !std::isfinite(deadline))
            return daysLeftText(deadline, now);
        const double days = wholeDaysAhead(deadline, now);
        if (!(days >= 0 && days < 1e6) || std::signbit(days))
            return daysLeftText(deadline, now);
        const auto key = static_cast<qint64>(days);
        auto it = m_byDays.constFind(key);
        if (it == m_byDays.cend())
            it = m_byDays.insert(key, daysLeftText(deadline, now));
        return *it;
    }

private:
    QHash<qint64, QString> m_byDays;
};

} // namespace

QList<NoteRow> notesListRows(const NotesCollection &notes, NotesFilter filter, TDateTime now)
{
    LeftTexts leftTexts;
    QList<NoteRow> rows;
    rows.reserve(notes.size());
    for (qsizetype i = 0; i < notes.size(); ++i) {
        const TNotesData &note = notes[i];
        if (!filter.isListed(note))
            continue;
        NoteRow row;
        row.position = i;
        row.icon = NoteIcons::forNote(note);
        row.note = singleLineText(note.Text);
        row.percent = percentText(note.Progress);
        row.left = leftTexts.text(note.Deadline, now);
        rows.append(row);
    }
    return rows;
}

qsizetype SelectedItem(const NotesCollection &notes, NotesFilter filter, qsizetype row)
{
    if (row == -1)
        return -1;
    qsizetype counter = -1;
    for (qsizetype i = 0; i < notes.size(); ++i) {
        if (filter.isListed(notes[i]) && ++counter == row)
            return i;
    }
    return notes.size();
}

qsizetype listRowOf(const NotesCollection &notes, NotesFilter filter, qsizetype position)
{
    if (position < 0 || position >= notes.size() || !filter.isListed(notes[position]))
        return -1;
    return std::count_if(notes.cbegin(), notes.cbegin() + position,
                         [filter](const TNotesData &note) { return filter.isListed(note); });
}

NoteCounters countNotes(const NotesCollection &notes)
{
    return countNotes(notes, SearchQuery());
}

NoteCounters countNotes(const NotesCollection &notes, const SearchQuery &search)
{
    NoteCounters counters;
    for (const TNotesData &note : notes)
        if (noteMatches(note, search))
            counters.add(note);
    return counters;
}

void NoteCounters::add(const TNotesData &note)
{
    if (note.Progress == 100) {
        ++finished;
        return;
    }
    switch (note.Importance) {
    case 1:
        ++highest;
        break;
    case 2:
        ++increased;
        break;
    case 3:
        ++normal;
        break;
    default:
        break;
    }
}

QString findHyperlink(const QString &text)
{
    if (!text.contains(QLatin1String("http://")) && !text.contains(QLatin1String("https://")))
        return {};
    const qsizetype start = text.indexOf(QLatin1String("http"));
    qsizetype end = start;
    while (end < text.size() && text[end] != QLatin1Char(' ') && text[end] != QLatin1Char('\r'))
        ++end;
    return text.mid(start, end - start);
}

QString deadlineText(TDateTime deadline, const LocaleFormats &formats)
{
    const QDateTime value = DateTime::toQDateTime(deadline);
    if (!value.isValid())
        return kNotAvailable;
    return formats.formatDate(value.date()) % QLatin1String("  ") % formats.formatTime(value.time());
}

NoteDetails noteDetails(const TNotesData &note, const LocaleFormats &formats)
{
    NoteDetails details;
    details.date = note.Deadline == DateTime::kNoDeadline ? kNotAvailable : deadlineText(note.Deadline, formats);
    details.progress = note.Progress;
    details.location = note.Location.isEmpty() ? kNotAvailable : note.Location;
    details.hyperlink = findHyperlink(note.Text);
    details.linkAvailable = !details.hyperlink.isEmpty();
    if (!details.linkAvailable)
        details.hyperlink = QStringLiteral("no hyperlink available");
    details.text = note.Text;
    return details;
}

QString balloonHeader(const TNotesData &note, const LocaleFormats &formats)
{
    const bool hasDeadline = note.Deadline != DateTime::kNoDeadline;
    const bool hasLocation = !note.Location.isEmpty();
    if (!hasDeadline)
        return hasLocation ? QStringLiteral("Location: ") + note.Location : QStringLiteral("Info");

    const QDateTime value = DateTime::toQDateTime(note.Deadline);
    QString header = QStringLiteral("Date: ") % formats.formatDate(value.date()) % QLatin1String(" [") %
                     formats.formatTime(value.time()) % QLatin1Char(']');
    if (hasLocation)
        header += QStringLiteral(" Location: ") + note.Location;
    return header;
}

int balloonIcon(const TNotesData &note)
{
    return NoteIcons::forImportance(note.Importance);
}
