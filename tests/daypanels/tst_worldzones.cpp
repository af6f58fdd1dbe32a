#include "daypanels/WorldZones.h"

#include "core/Clock.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

class TestWorldZones final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { Clock::resetForTesting(); }
    void clock_followsItsZonesDaylightSaving_data();
    void clock_followsItsZonesDaylightSaving();
    void coordinates_data();
    void coordinates();
    void systemZones_tableCitiesWithPlacesAndOnlyRunnableZones();
    void fixedShiftText_data();
    void fixedShiftText();
};

void TestWorldZones::clock_followsItsZonesDaylightSaving_data()
{
    QTest::addColumn<QDateTime>("nowUtc");
    QTest::addColumn<QString>("zone");
    QTest::addColumn<double>("shift");
    QTest::addColumn<QString>("shown");
    const auto utc = [](int month, int day, int hour, int minute) {
        return QDateTime(QDate(2026, month, day), QTime(hour, minute), Qt::UTC);
    };
    QTest::newRow("New York before spring forward") << utc(3, 8, 6, 59) << "America/New_York" << 0.0 << "01:59";
    QTest::newRow("New York after spring forward") << utc(3, 8, 7, 0) << "America/New_York" << 0.0 << "03:00";
    QTest::newRow("New York, summer, not Warsaw's change") << utc(3, 29, 1, 30) << "America/New_York" << 0.0
                                                            << "21:30";
    QTest::newRow("Sydney, last hour of summer time") << utc(4, 4, 15, 30) << "Australia/Sydney" << 0.0 << "02:30";
    QTest::newRow("Sydney, the same hour again") << utc(4, 4, 16, 30) << "Australia/Sydney" << 0.0 << "02:30";
    QTest::newRow("Kolkata, half hours, no summer time") << utc(7, 1, 12, 0) << "Asia/Kolkata" << 0.0 << "17:30";
    // The old settings: the local time (Warsaw in the tests) shifted, whatever the zone would say.
    QTest::newRow("old shift, winter") << utc(1, 15, 11, 0) << "" << -5.5 << "06:30";
    QTest::newRow("old shift, summer") << utc(7, 15, 10, 0) << "" << -5.5 << "06:30";
    QTest::newRow("unknown zone keeps the shift") << utc(7, 15, 10, 0) << "Atlantis/Poseidonia" << 13.0 << "01:00";
}

void TestWorldZones::clock_followsItsZonesDaylightSaving()
{
    QFETCH(QDateTime, nowUtc);
    QFETCH(QString, zone);
    QFETCH(double, shift);
    QFETCH(QString, shown);
    Clock::setNowForTesting(nowUtc.toLocalTime());
    const ZoneClockView view = WorldZones::zoneClocksAt(Clock::now(), {QString(), zone, QString()}, {0, shift, 0})[1];
    QCOMPARE(view.digitalText, shown);
    QCOMPARE(view.minuteHandDegrees, view.time.minute() * 6.0);
}

void TestWorldZones::coordinates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("place"); // degrees, minutes, N/S, degrees, minutes, E/W
    QTest::newRow("Warsaw") << "+5215+02100" << true << "52 15 N 21 0 E";
    QTest::newRow("Sydney") << "-3352+15113" << true << "33 52 S 151 13 E";
    QTest::newRow("New York, seconds rounded") << "+404251-0740023" << true << "40 43 N 74 0 W";
    QTest::newRow("seconds carry into the degree") << "+005930-0005945" << true << "1 0 N 1 0 W";
    QTest::newRow("no sign") << "5215+02100" << false << "";
    QTest::newRow("short longitude") << "+5215+2100" << false << "";
    QTest::newRow("minutes past 59") << "+5260+02100" << false << "";
    QTest::newRow("latitude past the pole") << "+9100+00000" << false << "";
    QTest::newRow("empty") << "" << false << "";
}

void TestWorldZones::coordinates()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QString, place);
    const std::optional<SunPlace> parsed = WorldZones::parseCoordinates(text);
    QCOMPARE(parsed.has_value(), valid);
    if (parsed)
        QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5 %6")
                     .arg(parsed->latDeg)
                     .arg(parsed->latMin)
                     .arg(parsed->latNorth ? QStringLiteral("N") : QStringLiteral("S"))
                     .arg(parsed->lonDeg)
                     .arg(parsed->lonMin)
                     .arg(parsed->lonEast ? QStringLiteral("E") : QStringLiteral("W")),
                 place);
}

void TestWorldZones::systemZones_tableCitiesWithPlacesAndOnlyRunnableZones()
{
    QTemporaryDir dir;
    QFile table(dir.filePath(QStringLiteral("zone1970.tab")));
    QVERIFY(table.open(QIODevice::WriteOnly));
    table.write("# comment\tline\n"
                "TT\t+1039-06131\tAmerica/Port_of_Spain\n"
                "XX\t+0000+00000\tAtlantis/Poseidonia\n"
                "PL\t+5215+02100\tEurope/Warsaw\n"
                "broken line\n");
    table.close();
    const QList<WorldZones::Zone> zones = WorldZones::systemZones(table.fileName());
    QStringList cities;
    for (const WorldZones::Zone &zone : zones) {
        QVERIFY2(QTimeZone::isTimeZoneIdAvailable(zone.id), zone.id.constData());
        QVERIFY2(zone.id.contains('/') && !zone.id.startsWith("Etc/"), zone.id.constData());
        cities.append(zone.city);
    }
    QVERIFY(std::is_sorted(cities.begin(), cities.end(),
                           [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; }));
    const auto find = [&zones](const QByteArray &id) {
        return std::find_if(zones.begin(), zones.end(), [&id](const WorldZones::Zone &zone) { return zone.id == id; });
    };
    QVERIFY(find("Atlantis/Poseidonia") == zones.end());
    const auto portOfSpain = find("America/Port_of_Spain");
    QVERIFY(portOfSpain != zones.end());
    QCOMPARE(portOfSpain->city, QStringLiteral("Port of Spain"));
    QVERIFY(portOfSpain->place && !portOfSpain->place->lonEast && portOfSpain->place->lonDeg == 61);
    // A zone the table does not list is still offered, without a place.
    const auto tokyo = find("Asia/Tokyo");
    QVERIFY(tokyo != zones.end());
    QVERIFY(!tokyo->place);
}

void TestWorldZones::fixedShiftText_data()
{
    QTest::addColumn<double>("shift");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << 0.0 << "Local time";
    QTest::newRow("ahead by half hours") << 5.5 << "Local time +5.5 h";
    QTest::newRow("behind") << -3.0 << "Local time -3 h";
}

void TestWorldZones::fixedShiftText()
{
    QFETCH(double, shift);
    QFETCH(QString, text);
    QCOMPARE(WorldZones::fixedShiftText(shift), text);
}

QTEST_GUILESS_MAIN(TestWorldZones)
#include "tst_worldzones.moc"
