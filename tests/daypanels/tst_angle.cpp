#include "daypanels/Angle.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <memory>

namespace {

enum class Kind { Latitude, Longitude, Zenith };

std::unique_ptr<TAngle> makeAngle(Kind kind)
{
    switch (kind) {
    case Kind::Latitude:
        return std::make_unique<TLatitude>();
    case Kind::Longitude:
        return std::make_unique<TLongitude>();
    case Kind::Zenith:
        return std::make_unique<TZenith>();
    }
    return {};
}

// Counts notifications of one angle.
struct Listener
{
    explicit Listener(TAngle &angle)
    {
        angle.SetOnChange([this](TAngle &) { ++calls; });
    }
    int calls = 0;
};

void setQuietly(TAngle &angle, int degrees, int minutes, int seconds)
{
    angle.SetAngle(degrees, static_cast<quint16>(minutes), static_cast<quint16>(seconds));
}

} // namespace

Q_DECLARE_METATYPE(Kind)

class TestAngle final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void write_foldsAndCarries_data();
    void write_foldsAndCarries();
    void direction_setsSign();
    void decimalValue_combinesUnitsAndSign();
    void setDecimalValue_cutsTowardZero_data();
    void setDecimalValue_cutsTowardZero();
    void setDecimalValue_nonFiniteIsIgnored();
    void setAngle_carriesAndNotifiesOnce();
    void batch_notifiesOnceAtOutermostEnd();
    void batchWithoutChange_notifiesNothing();
    void unmatchedEndUpdate_doesNotSwallowLaterChanges();
    void assign_copiesThroughDecimalValue();
};

void TestAngle::write_foldsAndCarries_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("startDegrees");
    QTest::addColumn<int>("startMinutes");
    QTest::addColumn<int>("startSeconds");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("degrees");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("notifications");

    auto row = [](const char *name, Kind kind, int d, int m, int s, const char *field, int value, int ed, int em,
                  int es, int notes) {
        QTest::newRow(name) << kind << d << m << s << QString::fromLatin1(field) << value << ed << em << es << notes;
    };
    row("minutes 75 on 10 deg carries", Kind::Zenith, 10, 0, 0, "m", 75, 11, 15, 0, 1);
    row("minutes 59 stays", Kind::Zenith, 10, 0, 0, "m", 59, 10, 59, 0, 1);
    row("minutes 60 is one degree", Kind::Zenith, 10, 30, 0, "m", 60, 11, 0, 0, 1);
    row("same minutes is no change", Kind::Zenith, 10, 30, 0, "m", 30, 10, 30, 0, 0);
    row("seconds 3725 carry twice", Kind::Zenith, 0, 0, 0, "s", 3725, 1, 2, 5, 1);
    row("seconds 60 into 59 minutes", Kind::Zenith, 5, 59, 10, "s", 60, 6, 0, 0, 1);
    row("latitude 100 folds to 10", Kind::Latitude, 0, 0, 0, "d", 100, 10, 0, 0, 1);
    row("latitude 90 stays", Kind::Latitude, 0, 0, 0, "d", 90, 90, 0, 0, 1);
    row("latitude 181 folds to 1", Kind::Latitude, 0, 0, 0, "d", 181, 1, 0, 0, 1);
    row("latitude 180 folds to 90", Kind::Latitude, 0, 0, 0, "d", 180, 90, 0, 0, 1);
    row("longitude 200 folds to 20", Kind::Longitude, 0, 0, 0, "d", 200, 20, 0, 0, 1);
    row("longitude 180 stays", Kind::Longitude, 0, 0, 0, "d", 180, 180, 0, 0, 1);
    row("longitude 360 folds to 180", Kind::Longitude, 0, 0, 0, "d", 360, 180, 0, 0, 1);
    row("zenith 400 wraps to 40", Kind::Zenith, 0, 0, 0, "d", 400, 40, 0, 0, 1);
    row("zenith 360 wraps to 0", Kind::Zenith, 5, 0, 0, "d", 360, 0, 0, 0, 1);
    row("same degrees is no change", Kind::Zenith, 5, 0, 0, "d", 5, 5, 0, 0, 0);
    row("latitude carry up to 90 stays", Kind::Latitude, 89, 30, 0, "m", 90, 90, 30, 0, 1);
    row("latitude carry onto same degrees still notifies", Kind::Latitude, 1, 15, 0, "m", 5420, 1, 20, 0, 1);
    row("carry to same degrees and minutes is silent", Kind::Latitude, 1, 15, 0, "m", 5415, 1, 15, 0, 0);
}

void TestAngle::write_foldsAndCarries()
{
    QFETCH(Kind, kind);
    QFETCH(int, startDegrees);
    QFETCH(int, startMinutes);
    QFETCH(int, startSeconds);
    QFETCH(QString, field);
    QFETCH(int, value);
    QFETCH(int, degrees);
    QFETCH(int, minutes);
    QFETCH(int, seconds);
    QFETCH(int, notifications);

    auto angle = makeAngle(kind);
    setQuietly(*angle, startDegrees, startMinutes, startSeconds);
    Listener listener(*angle);
    const auto word = static_cast<quint16>(value);
    if (field == QLatin1String("d"))
        angle->SetDegrees(word);
    else if (field == QLatin1String("m"))
        angle->SetMinutes(word);
    else
        angle->SetSeconds(word);

    QCOMPARE(angle->Degrees(), degrees);
    QCOMPARE(angle->Minutes(), minutes);
    QCOMPARE(angle->Seconds(), seconds);
    QCOMPARE(listener.calls, notifications);
}

void TestAngle::direction_setsSign()
{
    TLongitude longitude;
    setQuietly(longitude, 15, 30, 0);
    QCOMPARE(longitude.Dir(), TLongitudeDir::dWest);
    QCOMPARE(longitude.DecimalValue(), 15.5);
    Listener listener(longitude);
    longitude.SetDir(TLongitudeDir::dEast);
    QCOMPARE(longitude.DecimalValue(), -15.5);
    QCOMPARE(longitude.Dir(), TLongitudeDir::dEast);
    longitude.SetDir(TLongitudeDir::dEast);
    QCOMPARE(listener.calls, 1);

    TLatitude latitude;
    setQuietly(latitude, 52, 14, 0);
    QCOMPARE(latitude.Dir(), TLatitudeDir::dNorth);
    latitude.SetDir(TLatitudeDir::dSouth);
    QVERIFY(latitude.DecimalValue() < 0);
    QCOMPARE(latitude.Dir(), TLatitudeDir::dSouth);
    latitude.SetDir(TLatitudeDir::dNorth);
    QVERIFY(latitude.DecimalValue() > 0);
}

void TestAngle::decimalValue_combinesUnitsAndSign()
{
    TZenith zenith;
    setQuietly(zenith, 90, 50, 0);
    QCOMPARE(zenith.DecimalValue(), 90.0 + 50.0 / 60.0);
    setQuietly(zenith, -1, 30, 36);
    QCOMPARE(zenith.DecimalValue(), -(1.0 + 30.0 / 60.0 + 36.0 / 3600.0));
}

void TestAngle::setDecimalValue_cutsTowardZero_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("negative");
    QTest::addColumn<int>("degrees");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("seconds");

    QTest::newRow("-33.5") << -33.5 << true << 33 << 30 << 0;
    QTest::newRow("52.2575") << 52.2575 << false << 52 << 15 << 27;
    // 15.1 is a hair below in binary: the cut gives 5' 59", not 6'.
    QTest::newRow("15.1 cut") << 15.1 << false << 15 << 5 << 59;
    QTest::newRow("-0.25") << -0.25 << true << 0 << 15 << 0;
    QTest::newRow("zero") << 0.0 << false << 0 << 0 << 0;
    QTest::newRow("370 on a zenith wraps") << 370.5 << false << 10 << 30 << 0;
    QTest::newRow("huge value stays in range") << 1.0e12 << false << 136 << 0 << 0;
}

void TestAngle::setDecimalValue_cutsTowardZero()
{
    QFETCH(double, value);
    QFETCH(bool, negative);
    QFETCH(int, degrees);
    QFETCH(int, minutes);
    QFETCH(int, seconds);

    TZenith angle;
    setQuietly(angle, 7, 7, 7);
    Listener listener(angle);
    angle.SetDecimalValue(value);
    QCOMPARE(angle.Negative(), negative);
    QCOMPARE(angle.Degrees(), degrees);
    QCOMPARE(angle.Minutes(), minutes);
    QCOMPARE(angle.Seconds(), seconds);
    QCOMPARE(listener.calls, 1);
    QCOMPARE(angle.UpdateCount(), 0);
}

void TestAngle::setDecimalValue_nonFiniteIsIgnored()
{
    TLatitude latitude;
    setQuietly(latitude, 10, 20, 30);
    Listener listener(latitude);
    latitude.SetDecimalValue(std::numeric_limits<double>::quiet_NaN());
    latitude.SetDecimalValue(-std::numeric_limits<double>::infinity());
    QCOMPARE(latitude.DecimalValue(), 10.0 + 20.0 / 60.0 + 30.0 / 3600.0);
    QCOMPARE(listener.calls, 0);
    QCOMPARE(latitude.UpdateCount(), 0);
}

void TestAngle::setAngle_carriesAndNotifiesOnce()
{
    TLatitude latitude;
    Listener listener(latitude);
    latitude.SetAngle(-12, 75, 3600);
    QVERIFY(latitude.Negative());
    QCOMPARE(latitude.Degrees(), 14);
    QCOMPARE(latitude.Minutes(), 15);
    QCOMPARE(latitude.Seconds(), 0);
    QCOMPARE(listener.calls, 1);

    const int before = listener.calls;
    latitude.SetAngle(-14, 15, 0);
    QCOMPARE(listener.calls, before);
}

void TestAngle::batch_notifiesOnceAtOutermostEnd()
{
    TLongitude longitude;
    Listener listener(longitude);
    longitude.BeginUpdate();
    longitude.BeginUpdate();
    longitude.SetDegrees(21);
    longitude.SetMinutes(1);
    longitude.EndUpdate();
    QCOMPARE(listener.calls, 0);
    QVERIFY(longitude.ChangePending());
    longitude.SetDir(TLongitudeDir::dEast);
    longitude.EndUpdate();
    QCOMPARE(listener.calls, 1);
    QVERIFY(!longitude.ChangePending());
    QCOMPARE(longitude.DecimalValue(), -(21.0 + 1.0 / 60.0));

    longitude.SetSeconds(5);
    QCOMPARE(listener.calls, 2);
}

void TestAngle::batchWithoutChange_notifiesNothing()
{
    TZenith zenith;
    setQuietly(zenith, 90, 50, 0);
    Listener listener(zenith);
    zenith.BeginUpdate();
    zenith.SetDegrees(90);
    zenith.SetMinutes(50);
    zenith.EndUpdate();
    QCOMPARE(listener.calls, 0);
}

void TestAngle::unmatchedEndUpdate_doesNotSwallowLaterChanges()
{
    TZenith zenith;
    Listener listener(zenith);
    zenith.EndUpdate();
    QCOMPARE(zenith.UpdateCount(), 0);
    zenith.SetDegrees(3);
    QCOMPARE(listener.calls, 1);
}

void TestAngle::assign_copiesThroughDecimalValue()
{
    TLatitude source;
    source.SetAngle(-33, 52, 0);
    TLatitude target;
    Listener listener(target);
    target.Assign(source);
    QVERIFY(target.Negative());
    QCOMPARE(target.Dir(), TLatitudeDir::dSouth);
    QCOMPARE(target.Degrees(), 33);
    QCOMPARE(target.Minutes(), 52);
    QCOMPARE(target.Seconds(), 0);
    QCOMPARE(listener.calls, 1);

    // 15.1 is not exact in binary: the copy loses the last second.
    source.SetAngle(15, 6, 0);
    target.Assign(source);
    QCOMPARE(target.Degrees(), 15);
    QCOMPARE(target.Minutes(), 5);
    QCOMPARE(target.Seconds(), 59);

    TZenith zenith;
    zenith.SetAngle(96, 0, 0);
    target.Assign(zenith); // a latitude folds what it is given
    QCOMPARE(target.Degrees(), 6);
    QVERIFY(!target.Negative());
}

QTEST_GUILESS_MAIN(TestAngle)
#include "tst_angle.moc"
