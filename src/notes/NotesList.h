#pragma once

#include "NotesData.h"

#include "core/LocaleFormats.h"
#include "search/SearchQuery.h"

#include <QList>
#include <QString>

#include <utility>

// The two switches above the notes list and the search field; the week schedule and the upcoming events
// use them too.
struct NotesFilter
{
    NotesFilter() = default;
    NotesFilter(bool hidePrivate, bool showFinished, SearchQuery search = {})
        : hidePrivate(hidePrivate), showFinished(showFinished), search(std::move(search))
    {
    }

    bool hidePrivate = false; // "Hide private notes"
    bool showFinished = true; // "Show finished tasks"
    SearchQuery search;       // words looked for in the text and the location

    // Whether the notes list shows the note.
    bool isListed(const TNotesData &note) const;
};

struct NoteRow
{
    qsizetype position = 0; // in the collection
    int icon = -1;          // NoteIcons index, -1 for none
    QString note;           // "Note" column
    QString percent;        // "%" column
    QString left;           // "Left" column
};

struct NoteCounters
{
    int highest = 0;   // importance 1, open
    int increased = 0; // importance 2, open
    int normal = 0;    // importance 3, open
    int finished = 0;  // progress 100

    // Counts one more note.
    void add(const TNotesData &note);
    bool operator==(const NoteCounters &) const = default;
};

// What the details panel and the memo under the list show for one note.
struct NoteDetails
{
    QString date; // "n/a" without a deadline
    int progress = 0;
    QString location;  // "n/a" when empty
    QString hyperlink; // the link, or "no hyperlink available"
    bool linkAvailable = false;
    QString text; // full text, line breaks kept
};

// The note text on one line: every CR and every LF becomes one space.
QString singleLineText(const QString &text);
// "-" without a deadline, whole days left and "d" while it lies ahead, "expired" once passed.
QString daysLeftText(TDateTime deadline, TDateTime now);
// One row per listed note, in collection order.
QList<NoteRow> notesListRows(const NotesCollection &notes, NotesFilter filter, TDateTime now);

// Collection position of the note in list row `row`; -1 for row -1, and the number of
// notes for a row below the last listed note.
qsizetype SelectedItem(const NotesCollection &notes, NotesFilter filter, qsizetype row);
// The inverse: the list row of the note at `position`, -1 when the list does not show it.
qsizetype listRowOf(const NotesCollection &notes, NotesFilter filter, qsizetype position);

// Counted over every note, listed or not.
NoteCounters countNotes(const NotesCollection &notes);
// Counted over the notes the search finds, listed or not.
NoteCounters countNotes(const NotesCollection &notes, const SearchQuery &search);
// The note's text or location holds every word of the search.
bool noteMatches(const TNotesData &note, const SearchQuery &search);

// The link from the first "http" up to the next space or CR; empty when the text has
// neither "http://" nor "https://".
QString findHyperlink(const QString &text);
// Date and time as the details panel and the balloon show them: date, two spaces, time.
QString deadlineText(TDateTime deadline, const LocaleFormats &formats);
NoteDetails noteDetails(const TNotesData &note, const LocaleFormats &formats);

// Header of the hover balloon: "Date: ... [time] Location: ...", shorter forms, or "Info".
QString balloonHeader(const TNotesData &note, const LocaleFormats &formats);
// The balloon's icon by importance; -1 means the note gets no balloon.
int balloonIcon(const TNotesData &note);
