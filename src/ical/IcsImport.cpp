#include "IcsImport.h"

#include "IcsTime.h"

#include "IcsExport.h"
#include "notes/NoteIdentity.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <memory>

namespace IcsImport {

namespace {

using Component = std::unique_ptr<icalcomponent, IcsTime::ComponentDeleter>;

// Bounds the work a hostile rule can cause (FREQ=SECONDLY with filters that rarely match).
constexpr int kMaxIterations = 200000;

QString noteText(const QString &summary, const QString &description)
{
    QString text;
    if (description.isEmpty())
        text = summary;
    else if (summary.isEmpty() || description.section(QLatin1Char('\n'), 0, 0).trimmed() == summary.trimmed())
        text = description; // the whole text already begins with the title (our own export does so)
    else
        text = summary + QLatin1Char('\n') + description;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

QString textOf(icalcomponent *item, icalproperty_kind kind)
{
    icalproperty *property = icalcomponent_get_first_property(item, kind);
    if (!property)
        return {};
    // The value as written, escapes undone: libical's text getters do that for TEXT values.
    switch (kind) {
    case ICAL_SUMMARY_PROPERTY:
        return QString::fromUtf8(icalproperty_get_summary(property));
    case ICAL_DESCRIPTION_PROPERTY:
        return QString::fromUtf8(icalproperty_get_description(property));
    case ICAL_LOCATION_PROPERTY:
        return QString::fromUtf8(icalproperty_get_location(property));
    case ICAL_UID_PROPERTY:
        return QString::fromUtf8(icalproperty_get_uid(property));
    case ICAL_URL_PROPERTY:
        return QString::fromUtf8(icalproperty_get_url(property));
    default:
        return {};
    }
}

quint8 importanceOf(int priority)
{
    if (priority >= 1 && priority <= 4)
        return 1;
    if (priority == 5)
        return 2;
    return 3; // 6 to 9 are low; 0 or none is undefined
}

QString stampOf(const icaltimetype &time)
{
    if (icaltime_is_null_time(time) || !icaltime_is_valid_time(time) || !icaltime_is_utc(time))
        return {};
    return QString::fromLatin1(icaltime_as_ical_string(time));
}

// An occurrence's own UID: the item's and the occurrence's start in UTC, so that importing the file
// again, also in another time zone, finds the same notes.
QString occurrenceSuffix(TDateTime local)
{
    return QStringLiteral("-R") + QString::fromLatin1(IcsTime::utcStamp(local));
}

class Reader
{
public:
    Reader(icalcomponent *calendar, TDateTime now, Result &result) : m_calendar(calendar), m_result(result)
    {
        m_horizon = DateTime::fromQDate(DateTime::toQDate(now).addYears(1)) + 1;
    }

    void readMasters()
    {
        forEachItem([this](icalcomponent *item) {
            if (!icalcomponent_get_first_property(item, ICAL_RECURRENCEID_PROPERTY))
                readItem(item, false);
        });
    }

    void readOverrides()
    {
        forEachItem([this](icalcomponent *item) {
            if (icalcomponent_get_first_property(item, ICAL_RECURRENCEID_PROPERTY))
                readItem(item, true);
        });
    }

private:
    template <class Visit> void forEachItem(Visit visit)
    {
        for (icalcomponent_kind kind : {ICAL_VTODO_COMPONENT, ICAL_VEVENT_COMPONENT}) {
            for (icalcomponent *item = icalcomponent_get_first_component(m_calendar, kind); item;
                 item = icalcomponent_get_next_component(m_calendar, kind))
                visit(item);
        }
    }

    void skip(const QString &reason)
    {
        ++m_result.skipped;
        ++m_result.skipReasons[reason];
    }

    // libical drops a line it cannot read and leaves an X-LIC-ERROR saying which. Without its
    // deadline or its repetition an item would come in wrong, so such an item is skipped; any
    // other lost line (an empty LOCATION, a stray text line) costs only that line.
    static QString damagedTime(icalcomponent *item)
    {
        static const char *const timed[] = {"DUE", "DTSTART", "RRULE", "RDATE", "EXDATE", "RECURRENCE-ID"};
        for (icalproperty *error = icalcomponent_get_first_property(item, ICAL_XLICERROR_PROPERTY); error;
             error = icalcomponent_get_next_property(item, ICAL_XLICERROR_PROPERTY)) {
            const QByteArray text = icalproperty_get_xlicerror(error);
            for (const char *name : timed) {
                if (text.contains(QByteArray(QByteArray(" in ") + name + " property")))
                    return QString::fromLatin1(name);
            }
        }
        return {};
    }

    icaltimezone *zoneOf(icalproperty *property)
    {
        icalparameter *parameter = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
        const char *tzid = parameter ? icalparameter_get_tzid(parameter) : nullptr;
        if (!tzid || !*tzid)
            return nullptr;
        if (icaltimezone *zone = icalcomponent_get_timezone(m_calendar, tzid))
            return zone;
        if (icaltimezone *zone = icaltimezone_get_builtin_timezone_from_tzid(tzid))
            return zone;
        // A bare IANA name without a VTIMEZONE, as some programs write; unknown names read floating.
        return icaltimezone_get_builtin_timezone(tzid);
    }

    struct When
    {
        bool present = false;
        icaltimetype time = icaltime_null_time();
        icaltimezone *zone = nullptr;
        TDateTime local = DateTime::kNoDeadline;
    };

    When whenOf(icalcomponent *item, icalproperty_kind kind)
    {
        When when;
        icalproperty *property = icalcomponent_get_first_property(item, kind);
        if (!property)
            return when;
        when.present = true;
        switch (kind) {
        case ICAL_DUE_PROPERTY:
            when.time = icalproperty_get_due(property);
            break;
        case ICAL_DTSTART_PROPERTY:
            when.time = icalproperty_get_dtstart(property);
            break;
        default:
            when.time = icalproperty_get_recurrenceid(property);
            break;
        }
        when.zone = zoneOf(property);
        when.local = IcsTime::toLocal(when.time, when.zone);
        return when;
    }

    void readItem(icalcomponent *item, bool isOverride)
    {
        if (const QString damaged = damagedTime(item); !damaged.isEmpty()) {
            skip(QStringLiteral("an unreadable %1").arg(damaged));
            return;
        }
        const bool isEvent = icalcomponent_isa(item) == ICAL_VEVENT_COMPONENT;
        const When start = whenOf(item, ICAL_DTSTART_PROPERTY);
        const When due = isEvent ? When() : whenOf(item, ICAL_DUE_PROPERTY);
        if ((start.present && std::isnan(start.local)) || (due.present && std::isnan(due.local))) {
            skip(QStringLiteral("a date that cannot be read"));
            return;
        }
        const When &deadline = due.present ? due : start;
        const When &base = start.present ? start : due;

        TNotesData note;
        note.Text = noteText(textOf(item, ICAL_SUMMARY_PROPERTY), textOf(item, ICAL_DESCRIPTION_PROPERTY));
        note.Deadline = deadline.present ? deadline.local : DateTime::kNoDeadline;
        icalproperty *priority = icalcomponent_get_first_property(item, ICAL_PRIORITY_PROPERTY);
        note.Importance = importanceOf(priority ? icalproperty_get_priority(priority) : 0);
        if (icalproperty *percent = icalcomponent_get_first_property(item, ICAL_PERCENTCOMPLETE_PROPERTY))
            note.Progress = quint8(qBound(0, icalproperty_get_percentcomplete(percent), 100));
        icalproperty *status = icalcomponent_get_first_property(item, ICAL_STATUS_PROPERTY);
        icalproperty *completed = icalcomponent_get_first_property(item, ICAL_COMPLETED_PROPERTY);
        if (!isEvent && ((status && icalproperty_get_status(status) == ICAL_STATUS_COMPLETED) || completed))
            note.Progress = 100;
        if (icalproperty *klass = icalcomponent_get_first_property(item, ICAL_CLASS_PROPERTY)) {
            const icalproperty_class value = icalproperty_get_class(klass);
            note.PrivateMsg = value == ICAL_CLASS_PRIVATE || value == ICAL_CLASS_CONFIDENTIAL;
        }
        note.Location = textOf(item, ICAL_LOCATION_PROPERTY);
        if (note.Location.isEmpty())
            note.Location = textOf(item, ICAL_URL_PROPERTY);
        keepStamp(note, IcsExport::kCreatedField, item, ICAL_CREATED_PROPERTY);
        keepStamp(note, IcsExport::kModifiedField, item, ICAL_LASTMODIFIED_PROPERTY);
        if (completed)
            keepStamp(note, IcsExport::kCompletedField, item, ICAL_COMPLETED_PROPERTY);

        // Control characters would not survive a line of their own in a file we write.
        QString uid = textOf(item, ICAL_UID_PROPERTY);
        uid.removeIf([](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
        if (uid.isEmpty())
            uid = NoteIdentity::newUid();

        if (isOverride) {
            const When recurrence = whenOf(item, ICAL_RECURRENCEID_PROPERTY);
            const auto master = m_masterStart.constFind(uid);
            if (!std::isnan(recurrence.local) && master != m_masterStart.cend() && *master != recurrence.local)
                uid += occurrenceSuffix(recurrence.local);
            note.uid = uid;
            put(note);
            return;
        }

        const bool repeats = icalcomponent_get_first_property(item, ICAL_RRULE_PROPERTY) ||
                             icalcomponent_get_first_property(item, ICAL_RDATE_PROPERTY);
        if (!repeats || !base.present) {
            note.uid = uid;
            put(note);
            return;
        }
        m_masterStart.insert(uid, base.local);
        const double offset = deadline.local - base.local; // DUE after DTSTART moves with each occurrence
        for (const TDateTime occurrence : occurrences(item, base)) {
            TNotesData copy = note;
            copy.Deadline = occurrence + offset;
            copy.uid = occurrence == base.local ? uid : uid + occurrenceSuffix(occurrence);
            put(copy);
        }
    }

    QList<TDateTime> occurrences(icalcomponent *item, const When &base)
    {
        QList<TDateTime> found{base.local};
        icaltimetype first = base.time;
        if (base.zone && !icaltime_is_utc(first))
            first = icaltime_set_timezone(&first, base.zone);
        for (icalproperty *property = icalcomponent_get_first_property(item, ICAL_RRULE_PROPERTY); property;
             property = icalcomponent_get_next_property(item, ICAL_RRULE_PROPERTY)) {
            const icalrecurrencetype rule = icalproperty_get_rrule(property);
            const bool bounded = rule.count > 0 || !icaltime_is_null_time(rule.until);
            icalrecur_iterator *iterator = icalrecur_iterator_new(rule, first);
            if (!iterator)
                continue;
            for (int step = 0; step < kMaxIterations && found.size() < kMaxOccurrences; ++step) {
                const icaltimetype next = icalrecur_iterator_next(iterator);
                if (icaltime_is_null_time(next))
                    break;
                const TDateTime local = IcsTime::toLocal(next, base.zone);
                if (std::isnan(local) || (!bounded && local > m_horizon))
                    break;
                found.append(local);
            }
            icalrecur_iterator_free(iterator);
        }
        for (icalproperty *property = icalcomponent_get_first_property(item, ICAL_RDATE_PROPERTY);
             property && found.size() < kMaxOccurrences;
             property = icalcomponent_get_next_property(item, ICAL_RDATE_PROPERTY)) {
            const icaldatetimeperiodtype date = icalproperty_get_rdate(property);
            const icaltimetype time = icaltime_is_null_time(date.time) ? date.period.start : date.time;
            const TDateTime local = IcsTime::toLocal(time, zoneOf(property));
            if (!std::isnan(local))
                found.append(local);
        }
        QList<TDateTime> excluded;
        QList<TDateTime> excludedDays;
        for (icalproperty *property = icalcomponent_get_first_property(item, ICAL_EXDATE_PROPERTY); property;
             property = icalcomponent_get_next_property(item, ICAL_EXDATE_PROPERTY)) {
            const icaltimetype time = icalproperty_get_exdate(property);
            const TDateTime local = IcsTime::toLocal(time, zoneOf(property));
            if (!std::isnan(local))
                (time.is_date ? excludedDays : excluded).append(local);
        }
        std::sort(found.begin(), found.end());
        found.erase(std::unique(found.begin(), found.end()), found.end());
        found.removeIf([&](TDateTime local) {
            return excluded.contains(local) || excludedDays.contains(DateTime::dateOf(local));
        });
        return found;
    }

    void keepStamp(TNotesData &note, const char *field, icalcomponent *item, icalproperty_kind kind)
    {
        icalproperty *property = icalcomponent_get_first_property(item, kind);
        if (!property)
            return;
        const QString stamp = stampOf(icalvalue_get_datetime(icalproperty_get_value(property)));
        if (!stamp.isEmpty())
            note.extra.insert(QLatin1String(field), stamp);
    }

    // A later item of the same UID (an override, or a repeat in the file) replaces the earlier.
    void put(const TNotesData &note)
    {
        const auto at = m_byUid.constFind(note.uid);
        if (at != m_byUid.cend()) {
            m_result.notes[*at] = note;
            return;
        }
        m_byUid.insert(note.uid, m_result.notes.size());
        m_result.notes.append(note);
    }

    icalcomponent *m_calendar;
    TDateTime m_horizon;
    Result &m_result;
    QHash<QString, qsizetype> m_byUid;
    QHash<QString, TDateTime> m_masterStart;
};

} // namespace

Result parse(const QByteArray &data, TDateTime now)
{
    Result result;
    icalerror_set_errors_are_fatal(0);
    // libical reads up to a NUL. A QByteArray of its own holds one; a raw view of a buffer
    // (never detached) may not, and is copied.
    const QByteArray text = data.isDetached() ? data : QByteArray(data.constData(), data.size());
    Component root(icalparser_parse_string(text.constData()));
    if (!root)
        return result;
    QList<icalcomponent *> calendars;
    if (icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT) {
        calendars.append(root.get());
    } else if (icalcomponent_isa(root.get()) == ICAL_XROOT_COMPONENT) {
        for (icalcomponent *calendar = icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT);
             calendar; calendar = icalcomponent_get_next_component(root.get(), ICAL_VCALENDAR_COMPONENT))
            calendars.append(calendar);
    }
    if (calendars.isEmpty())
        return result;
    result.isCalendar = true;
    for (icalcomponent *calendar : calendars) {
        Reader reader(calendar, now, result);
        reader.readMasters();
        reader.readOverrides();
    }
    return result;
}

qsizetype countNew(const NotesCollection &notes, const NotesCollection &incoming)
{
    QSet<QString> known;
    for (const TNotesData &note : notes)
        known.insert(note.uid);
    qsizetype added = 0;
    for (const TNotesData &note : incoming) {
        if (!known.contains(note.uid)) {
            ++added;
            known.insert(note.uid);
        }
    }
    return added;
}

Merged merge(NotesCollection &notes, const NotesCollection &incoming)
{
    Merged merged;
    QHash<QString, qsizetype> byUid;
    byUid.reserve(notes.size() + incoming.size());
    for (qsizetype i = 0; i < notes.size(); ++i)
        byUid.insert(notes[i].uid, i);
    for (const TNotesData &note : incoming) {
        const auto at = byUid.constFind(note.uid);
        if (at == byUid.cend()) {
            byUid.insert(note.uid, notes.size());
            notes.append(note);
            ++merged.added;
            continue;
        }
        TNotesData &target = notes[*at];
        const qint32 id = target.ID;
        NoteExtraFields extra = target.extra;
        for (auto field = note.extra.cbegin(); field != note.extra.cend(); ++field)
            extra.insert(field.key(), field.value());
        target = note;
        target.ID = id;
        target.extra = extra;
        ++merged.updated;
    }
    return merged;
}

QString notCalendarMessage()
{
    return QStringLiteral("The file is not an iCalendar (.ics) file. Nothing was imported.");
}

QString skippedMessage(const Result &result)
{
    if (result.skipped == 0)
        return {};
    QStringList reasons;
    for (auto reason = result.skipReasons.cbegin(); reason != result.skipReasons.cend(); ++reason)
        reasons.append(QStringLiteral("%1 with %2").arg(reason.value()).arg(reason.key()));
    return QStringLiteral("%1 item(s) of the calendar file were skipped: %2.")
        .arg(result.skipped)
        .arg(reasons.join(QLatin1String(", ")));
}

} // namespace IcsImport
