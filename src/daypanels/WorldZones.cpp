#include "WorldZones.h"

#include <QFile>
#include <QLocale>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

namespace WorldZones {

namespace {

// Degrees and minutes of one signed ISO 6709 part: `degreeDigits` is 2 for latitude, 3 for longitude.
std::optional<std::pair<int, int>> parseAngle(QStringView digits, int degreeDigits)
{
    const bool withSeconds = digits.size() == degreeDigits + 4;
    if (digits.size() != degreeDigits + 2 && !withSeconds)
        return std::nullopt;
    bool ok = true;
    int degrees = digits.left(degreeDigits).toInt(&ok);
    if (!ok)
        return std::nullopt;
    int minutes = digits.mid(degreeDigits, 2).toInt(&ok);
    if (!ok || minutes > 59)
        return std::nullopt;
    if (withSeconds) {
        const int seconds = digits.mid(degreeDigits + 2, 2).toInt(&ok);
        if (!ok || seconds > 59)
            return std::nullopt;
        if (seconds >= 30 && ++minutes == 60) {
            minutes = 0;
            ++degrees;
        }
    }
    return std::pair{degrees, minutes};
}

} // namespace

QString cityOf(const QByteArray &id)
{
    QString city = QString::fromLatin1(id.mid(id.lastIndexOf('/') + 1));
    city.replace(QLatin1Char('_'), QLatin1Char(' '));
    return city;
}

std::optional<SunPlace> parseCoordinates(QStringView text)
{
    if (text.isEmpty() || (text[0] != QLatin1Char('+') && text[0] != QLatin1Char('-')))
        return std::nullopt;
    qsizetype split = 1;
    while (split < text.size() && text[split] != QLatin1Char('+') && text[split] != QLatin1Char('-'))
        ++split;
    if (split >= text.size())
        return std::nullopt;
    const auto latitude = parseAngle(text.mid(1, split - 1), 2);
    const auto longitude = parseAngle(text.mid(split + 1), 3);
    if (!latitude || !longitude || latitude->first > 90 || longitude->first > 180)
        return std::nullopt;
    SunPlace place;
    place.latDeg = latitude->first;
    place.latMin = latitude->second;
    place.latNorth = text[0] == QLatin1Char('+');
    place.lonDeg = longitude->first;
    place.lonMin = longitude->second;
    place.lonEast = text[split] == QLatin1Char('+');
    return place;
}

QList<Zone> parseZoneTable(const QByteArray &text)
{
    QList<Zone> zones;
    for (const QByteArray &line : text.split('\n')) {
        if (line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() < 3 || fields[2].trimmed().isEmpty())
            continue;
        Zone zone;
        zone.id = fields[2].trimmed();
        zone.city = cityOf(zone.id);
        zone.place = parseCoordinates(QString::fromLatin1(fields[1]));
        zones.append(zone);
    }
    return zones;
}

QList<Zone> systemZones(const QString &zoneTablePath)
{
    QList<Zone> zones;
    QFile table(zoneTablePath);
    // The table is a few tens of kilobytes; anything far larger is not it.
    if (table.open(QIODevice::ReadOnly) && table.size() < (1 << 20))
        zones = parseZoneTable(table.readAll());
    QList<QByteArray> known;
    for (const Zone &zone : zones)
        known.append(zone.id);
    std::sort(known.begin(), known.end());
    for (const QByteArray &id : QTimeZone::availableTimeZoneIds()) {
        // Region names only: "UTC", "EST5EDT" and the like have no city.
        if (!id.contains('/') || id.startsWith("Etc/") || std::binary_search(known.begin(), known.end(), id))
            continue;
        zones.append({id, cityOf(id), std::nullopt});
    }
    // zone1970.tab may name a zone the time-zone library lacks: such a clock could not run.
    zones.erase(std::remove_if(zones.begin(), zones.end(),
                               [](const Zone &zone) { return !QTimeZone::isTimeZoneIdAvailable(zone.id); }),
                zones.end());
    std::stable_sort(zones.begin(), zones.end(), [](const Zone &a, const Zone &b) {
        return QString::compare(a.city, b.city, Qt::CaseInsensitive) < 0;
    });
    return zones;
}

ZoneClockView zoneClockAt(const QDateTime &now, const QString &zoneId, double shiftHours)
{
    const QTimeZone zone(zoneId.toLatin1());
    if (zoneId.isEmpty() || !zone.isValid())
        return zoneClock(DateTime::fromQDateTime(now), shiftHours);
    // Through UTC, so the zone's own daylight-saving rules decide and the local ones do not matter.
    return clockFace(now.toTimeZone(zone).time());
}

std::array<ZoneClockView, 3> zoneClocksAt(const QDateTime &now, const std::array<QString, 3> &zoneIds,
                                          const std::array<double, 3> &shiftsHours)
{
    return {zoneClockAt(now, zoneIds[0], shiftsHours[0]), zoneClockAt(now, zoneIds[1], shiftsHours[1]),
            zoneClockAt(now, zoneIds[2], shiftsHours[2])};
}

QString fixedShiftText(double shiftHours)
{
    if (!std::isfinite(shiftHours) || shiftHours == 0)
        return QStringLiteral("Local time");
    return QStringLiteral("Local time %1%2 h")
        .arg(shiftHours > 0 ? QStringLiteral("+") : QString(), QLocale::c().toString(shiftHours, 'g', 6));
}

} // namespace WorldZones
