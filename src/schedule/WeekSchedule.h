#pragma once

#include "core/LocaleFormats.h"
#include "notes/NotesData.h"
#include "notes/NotesList.h"

#include <QDate>
#include <QList>
#include <QString>

#include <array>
#include <optional>

// Order of the notes within one day.
enum class WeekOrder
{
    Unsorted,   // collection order
    ByTime,     // deadline order
    ByPriority, // importance, then deadline
};

enum class DayNameForm
{
    Unchanged, // neither choice made: the headers keep their captions
    Short,
    Long,
};

struct WeekScheduleOptions
{
    bool showTime = true;
    WeekOrder order = WeekOrder::ByTime;
    DayNameForm dayNames = DayNameForm::Short;
    NotesFilter filter; // the Notes page's switches
};

struct DayRow
{
    QString text;           // "hh:mm " when the time is shown, then the text on one line
    int icon = -1;          // NoteIcons index, -1 for none
    QString id;             // the hidden column: the note's ID in decimal
    qsizetype position = 0; // of the note in the collection
};

struct DayList
{
    QDate date;
    int dayOfWeek = 1;             // 1 = Monday ... 7 = Sunday; picks the background colour
    std::optional<QString> header; // nothing when the caption stays as it was
    int headerIcon = -1;           // NoteIcons::TodayHeader for today's list
    QList<DayRow> rows;
};

using WeekSchedule = std::array<DayList, 7>;

// The seven day lists from weekStart on; reads the collection only.
WeekSchedule weekSchedule(const NotesCollection &notes, QDate weekStart, QDate today,
                          const WeekScheduleOptions &options, const LocaleFormats &formats);

// Day name, one space, short date; nothing for DayNameForm::Unchanged.
std::optional<QString> dayHeader(QDate date, DayNameForm form, const LocaleFormats &formats);
// A note's line in a day list.
QString dayRowText(const TNotesData &note, bool showTime);
// Collection positions in the order the day lists show them (before filtering).
QList<qsizetype> weekOrder(const NotesCollection &notes, WeekOrder order);
// The settings key holding the background colour for a weekday (1 = Monday).
QString weekdayColourKey(int dayOfWeek);
