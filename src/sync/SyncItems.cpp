#include "SyncItems.h"

#include "ical/IcsImport.h"
#include "ical/IcsTime.h"

#include <memory>

namespace SyncItems {

namespace {

using Component = std::unique_ptr<icalcomponent, IcsTime::ComponentDeleter>;

Component parse(const QByteArray &ics)
{
    icalerror_set_errors_are_fatal(0);
    const QByteArray text(ics.constData(), ics.size()); // NUL-terminated for libical
    Component root(icalparser_parse_string(text.constData()));
    if (root && icalcomponent_isa(root.get()) != ICAL_VCALENDAR_COMPONENT)
        root.reset();
    return root;
}

icalcomponent *master(icalcomponent *calendar)
{
    for (icalcomponent *todo = icalcomponent_get_first_component(calendar, ICAL_VTODO_COMPONENT); todo;
         todo = icalcomponent_get_next_component(calendar, ICAL_VTODO_COMPONENT)) {
        if (!icalcomponent_get_first_property(todo, ICAL_RECURRENCEID_PROPERTY))
            return todo;
    }
    return nullptr;
}

QByteArray asText(icalcomponent *component)
{
    char *written = icalcomponent_as_ical_string_r(component);
    QByteArray bytes(written);
    icalmemory_free_buffer(written);
    return bytes;
}

// The occurrence's start in UTC: from the note's UID suffix ("-R20260314T083000Z"), or the master's start
// for the first occurrence, which keeps the plain UID.
icaltimetype occurrenceStart(const QString &noteUid, const QString &uid, icalcomponent *todo)
{
    if (noteUid.size() > uid.size() + 2 && noteUid.startsWith(uid) && noteUid.mid(uid.size(), 2) == QLatin1String("-R"))
        return IcsTime::fromUtcStamp(noteUid.mid(uid.size() + 2));
    icalproperty *start = icalcomponent_get_first_property(todo, ICAL_DTSTART_PROPERTY);
    if (!start)
        start = icalcomponent_get_first_property(todo, ICAL_DUE_PROPERTY);
    if (!start)
        return icaltime_null_time();
    icaltimetype time = icalcomponent_isa(todo) == ICAL_VTODO_COMPONENT && icalproperty_isa(start) == ICAL_DUE_PROPERTY
                            ? icalproperty_get_due(start)
                            : icalproperty_get_dtstart(start);
    if (time.is_date)
        return time;
    icalparameter *tzid = icalproperty_get_first_parameter(start, ICAL_TZID_PARAMETER);
    icaltimezone *zone = nullptr;
    if (tzid) {
        zone = icalcomponent_get_timezone(icalcomponent_get_parent(todo), icalparameter_get_tzid(tzid));
        if (!zone)
            zone = icaltimezone_get_builtin_timezone(icalparameter_get_tzid(tzid));
    }
    if (zone)
        time = icaltime_set_timezone(&time, zone);
    return icaltime_convert_to_zone(time, icaltimezone_get_utc_timezone());
}

void removeOverride(icalcomponent *calendar, const icaltimetype &start)
{
    for (icalcomponent *todo = icalcomponent_get_first_component(calendar, ICAL_VTODO_COMPONENT); todo;) {
        icalcomponent *next = icalcomponent_get_next_component(calendar, ICAL_VTODO_COMPONENT);
        icalproperty *id = icalcomponent_get_first_property(todo, ICAL_RECURRENCEID_PROPERTY);
        if (id && icaltime_compare(icalproperty_get_recurrenceid(id), start) == 0) {
            icalcomponent_remove_component(calendar, todo);
            icalcomponent_free(todo);
        }
        todo = next;
    }
}

} // namespace

Item read(const QByteArray &ics, TDateTime now)
{
    Item item;
    const Component calendar = parse(ics);
    icalcomponent *todo = calendar ? master(calendar.get()) : nullptr;
    if (!todo)
        return item;
    item.isTask = true;
    if (const char *uid = icalcomponent_get_uid(todo))
        item.uid = QString::fromUtf8(uid);
    item.recurring = icalcomponent_get_first_property(todo, ICAL_RRULE_PROPERTY) ||
                     icalcomponent_get_first_property(todo, ICAL_RDATE_PROPERTY) ||
                     icalcomponent_count_components(calendar.get(), ICAL_VTODO_COMPONENT) > 1;
    item.notes = IcsImport::parse(ics, now).notes;
    // An item the mapping skips (a deadline it cannot read) is left alone like any other non-task.
    item.isTask = !item.notes.isEmpty();
    if (item.uid.isEmpty() && !item.notes.isEmpty())
        item.uid = item.notes.first().uid;
    return item;
}

QByteArray write(const TNotesData &note, const IcsExport::Options &options)
{
    return IcsExport::exportNotes({note}, options);
}

QByteArray withOccurrences(const QByteArray &ics, const NotesCollection &changed, const QStringList &removed,
                           const IcsExport::Options &options)
{
    const Component calendar = parse(ics);
    icalcomponent *todo = calendar ? master(calendar.get()) : nullptr;
    if (!todo)
        return {};
    const QString uid = QString::fromUtf8(icalcomponent_get_uid(todo));
    for (const QString &noteUid : removed) {
        const icaltimetype start = occurrenceStart(noteUid, uid, todo);
        if (icaltime_is_null_time(start))
            continue;
        removeOverride(calendar.get(), start);
        icalcomponent_add_property(todo, icalproperty_new_exdate(start));
    }
    for (const TNotesData &note : changed) {
        const icaltimetype start = occurrenceStart(note.uid, uid, todo);
        if (icaltime_is_null_time(start))
            continue;
        removeOverride(calendar.get(), start);
        // The occurrence as this side has it, under the series' UID; its deadline in UTC, as the
        // series' zone definition need not be ours.
        TNotesData occurrence = note;
        occurrence.uid = uid;
        const Component written = parse(write(occurrence, options));
        icalcomponent *override = written ? master(written.get()) : nullptr;
        if (!override)
            continue;
        icalcomponent *copy = icalcomponent_new_clone(override);
        if (icalproperty *due = icalcomponent_get_first_property(copy, ICAL_DUE_PROPERTY)) {
            icalcomponent_remove_property(copy, due);
            icalproperty_free(due);
            icalcomponent_add_property(copy, icalproperty_new_due(IcsTime::fromUtcStamp(
                                                 QString::fromLatin1(IcsTime::utcStamp(note.Deadline)))));
        }
        icalcomponent_add_property(copy, icalproperty_new_recurrenceid(start));
        icalcomponent_add_component(calendar.get(), copy);
    }
    return asText(calendar.get());
}

} // namespace SyncItems
