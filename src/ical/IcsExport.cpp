#include "IcsExport.h"

#include "IcsTime.h"

#include "core/Version.h"

#include <memory>

namespace IcsExport {

namespace {

using Component = std::unique_ptr<icalcomponent, IcsTime::ComponentDeleter>;

QByteArray firstLine(const QString &text)
{
    const qsizetype end = text.indexOf(QLatin1Char('\n'));
    QString line = end < 0 ? text : text.left(end);
    if (line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    return line.toUtf8();
}

// Calendar texts end lines with a bare line feed (written as \n); notes with CR LF.
QByteArray calendarText(const QString &text)
{
    QString copy = text;
    return copy.replace(QLatin1String("\r\n"), QLatin1String("\n")).toUtf8();
}

icaltimetype stampOr(const TNotesData &note, const char *field, const icaltimetype &fallback)
{
    const QString stamp = note.extra.value(QLatin1String(field));
    if (stamp.isEmpty())
        return fallback;
    const icaltimetype time = IcsTime::fromUtcStamp(stamp);
    return icaltime_is_null_time(time) ? fallback : time;
}

QByteArray text(icalcomponent *component)
{
    char *written = icalcomponent_as_ical_string_r(component);
    QByteArray bytes(written);
    icalmemory_free_buffer(written);
    return bytes;
}

icalcomponent *addTodo(const TNotesData &note, const Options &options, icaltimezone *zone, const char *tzid,
                       const icaltimetype &now)
{
    icalcomponent *todo = icalcomponent_new_vtodo();
    const QByteArray uid = note.uid.toUtf8();
    icalcomponent_add_property(todo, icalproperty_new_uid(uid.constData()));
    icalcomponent_add_property(todo, icalproperty_new_dtstamp(now));
    icalcomponent_add_property(todo, icalproperty_new_created(stampOr(note, kCreatedField, now)));
    icalcomponent_add_property(todo, icalproperty_new_lastmodified(stampOr(note, kModifiedField, now)));
    // An empty value is no value to a reader: the property is left out.
    if (const QByteArray summary = firstLine(note.Text); !summary.isEmpty())
        icalcomponent_add_property(todo, icalproperty_new_summary(summary.constData()));
    if (!note.Text.isEmpty())
        icalcomponent_add_property(todo, icalproperty_new_description(calendarText(note.Text).constData()));
    const bool hasDeadline = note.Deadline != DateTime::kNoDeadline && DateTime::toQDate(note.Deadline).isValid();
    if (hasDeadline) {
        icaltimetype deadline = IcsTime::wallClock(note.Deadline);
        if (zone == icaltimezone_get_utc_timezone())
            deadline = icaltime_set_timezone(&deadline, zone); // written with Z
        icalproperty *due = icalproperty_new_due(deadline);
        if (tzid)
            icalproperty_add_parameter(due, icalparameter_new_tzid(tzid));
        icalcomponent_add_property(todo, due);
    }
    if (note.Importance >= 1 && note.Importance <= 3)
        icalcomponent_add_property(todo, icalproperty_new_priority(1 + 4 * (note.Importance - 1)));
    icalcomponent_add_property(todo, icalproperty_new_percentcomplete(note.Progress));
    if (note.Progress >= 100) {
        icalcomponent_add_property(todo, icalproperty_new_status(ICAL_STATUS_COMPLETED));
        icalcomponent_add_property(
            todo, icalproperty_new_completed(stampOr(note, kCompletedField, stampOr(note, kModifiedField, now))));
    } else {
        icalcomponent_add_property(
            todo, icalproperty_new_status(note.Progress > 0 ? ICAL_STATUS_INPROCESS : ICAL_STATUS_NEEDSACTION));
    }
    if (note.PrivateMsg)
        icalcomponent_add_property(todo, icalproperty_new_class(ICAL_CLASS_PRIVATE));
    if (!note.Location.isEmpty()) {
        const QByteArray location = note.Location.toUtf8();
        icalcomponent_add_property(todo, isHyperlink(note.Location) ? icalproperty_new_url(location.constData())
                                                                    : icalproperty_new_location(location.constData()));
    }
    if (options.alertsOn && hasDeadline) {
        icalcomponent *alarm = icalcomponent_new_valarm();
        icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
        icaltriggertype trigger;
        trigger.time = icaltime_null_time();
        trigger.duration = icaldurationtype_from_int(-options.alertHours * 3600);
        icalproperty *triggerProperty = icalproperty_new_trigger(trigger);
        // Relative to DUE, as the program's alert is relative to the deadline.
        icalproperty_add_parameter(triggerProperty, icalparameter_new_related(ICAL_RELATED_END));
        icalcomponent_add_property(alarm, triggerProperty);
        // DISPLAY alarms need a text.
        const QByteArray summary = firstLine(note.Text);
        icalcomponent_add_property(alarm,
                                   icalproperty_new_description(summary.isEmpty() ? "Reminder" : summary.constData()));
        icalcomponent_add_component(todo, alarm);
    }
    return todo;
}

} // namespace

bool isHyperlink(const QString &location)
{
    return location.startsWith(QLatin1String("http://")) || location.startsWith(QLatin1String("https://"));
}

QByteArray exportNotes(const NotesCollection &notes, const Options &options)
{
    Component calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(),
                               icalproperty_new_prodid("-//Marevo Notes//Marevo Notes " MAREVO_VERSION "//EN"));
    icaltimezone *zone = IcsTime::localZone();
    const char *tzid = nullptr;
    if (zone && zone != icaltimezone_get_utc_timezone()) {
        if (icalcomponent *definition = icaltimezone_get_component(zone)) {
            // Named by its IANA location, as calendar programs name zones, not by libical's prefixed TZID.
            icalcomponent *copy = icalcomponent_new_clone(definition);
            tzid = icaltimezone_get_location(zone);
            if (icalproperty *name = icalcomponent_get_first_property(copy, ICAL_TZID_PROPERTY); name && tzid)
                icalproperty_set_tzid(name, tzid);
            else
                tzid = icaltimezone_get_tzid(zone);
            icalcomponent_add_component(calendar.get(), copy);
        }
    }
    const icaltimetype now = IcsTime::fromUtcStamp(QString::fromLatin1(IcsTime::utcStamp(options.now)));
    // libical writes the calendar and each task; a task is written and freed at once, so that
    // ten thousand of them never sit in memory as one tree and one growing string.
    QByteArray result = text(calendar.get());
    const qsizetype end = result.lastIndexOf("END:VCALENDAR");
    QByteArray tail = result.mid(end);
    result.truncate(end);
    result.reserve(result.size() + notes.size() * 640);
    for (const TNotesData &note : notes) {
        const Component todo(addTodo(note, options, zone, tzid, now));
        result += text(todo.get());
    }
    return result + tail;
}

} // namespace IcsExport
