#pragma once

#include "DayPanels.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// The system's time zones for the world clocks, and the places the zone database knows
// coordinates for, which can serve as the sun panel's place.
namespace WorldZones {

struct Zone
{
    QByteArray id; // IANA name, "Europe/Warsaw"
    QString city;  // "Warsaw", "Port of Spain"
    std::optional<SunPlace> place;
};

// The city part of an IANA name: its last part with underscores as spaces.
QString cityOf(const QByteArray &id);

// The zones of a zone1970.tab text with their coordinates, in file order; malformed lines are skipped.
QList<Zone> parseZoneTable(const QByteArray &text);
// ISO 6709 "+DDMM+DDDMM" or "+DDMMSS+DDDMMSS"; seconds round to the nearest minute.
std::optional<SunPlace> parseCoordinates(QStringView text);

// Every zone the system knows, sorted by city; those of `zoneTablePath` carry their coordinates.
QList<Zone> systemZones(const QString &zoneTablePath = QStringLiteral("/usr/share/zoneinfo/zone1970.tab"));

// A clock shows the time in its zone when it has a valid one; otherwise, as the old settings
// had it, the local time shifted by a number of hours.
ZoneClockView zoneClockAt(const QDateTime &now, const QString &zoneId, double shiftHours);
// Left, middle and right clocks, in that order.
std::array<ZoneClockView, 3> zoneClocksAt(const QDateTime &now, const std::array<QString, 3> &zoneIds,
                                          const std::array<double, 3> &shiftsHours);

// How a clock without a zone is listed: "Local time +5.5 h", "Local time" for no shift.
QString fixedShiftText(double shiftHours);

} // namespace WorldZones
