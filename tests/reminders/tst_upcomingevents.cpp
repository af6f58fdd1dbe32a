#include "notes/NoteIcons.h"
#include "reminders/Alarms.h"
#include "reminders/UpcomingEvents.h"

#include <QTest>

#include <limits>

namespace {

const TDateTime kNow = DateTime::encode(2026, 12, 9, 10, 0); // a Wednesday, 10:00
const double kMinute = 1.0 / 1440;

TNotesData note(const QString &text, TDateTime deadline, quint8 progress = 0, bool isPrivate = false,
                quint8 importance = 3)
{
    TNotesData n;
    n.Text = text;
    n.Deadline = deadline;
    n.Progress = progress;
    n.PrivateMsg = isPrivate;
    n.Importance = importance;
    return n;
}

QStringList texts(const QList<UpcomingEvent> &events)
{
    QStringList result;
    for (const UpcomingEvent &event : events)
        result << event.note;
    return result;
}

} // namespace

class TestUpcomingEvents final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void leftText_data();
    void leftText();
    void horizon_data();
    void horizon();
    void soonestFirst_tiesInCollectionOrder();
    void undatedAndOddDeadlines_neverListed();
    void switches_filterFinishedAndPrivate();
    void rows_carryTextIconAndPosition();
    void refreshCounter_rebuildsOnEveryNthTick();
    void wallpaperLine_cutsLongTexts_data();
    void wallpaperLine_cutsLongTexts();

    void alarms_dueAlertHoursBeforeDeadline_data();
    void alarms_dueAlertHoursBeforeDeadline();
    void alarms_ignoreProgressAndPrivateFlag();
    void dueAlarms_fireOnceLastFirst();
};

void TestUpcomingEvents::leftText_data()
{
    QTest::addColumn<double>("deadline");
    QTest::addColumn<QString>("expected");
    QTest::newRow("2 days 5 hours 30 minutes") << kNow + 2 + 330 * kMinute << QStringLiteral("2d 05h30m");
    QTest::newRow("40 minutes") << kNow + 40 * kMinute << QStringLiteral("0d 00h40m");
    QTest::newRow("exactly one day") << DateTime::encode(2026, 12, 10, 10, 0) << QStringLiteral("1d 00h00m");
    QTest::newRow("59 seconds") << DateTime::encode(2026, 12, 9, 10, 0, 59) << QStringLiteral("0d 00h00m");
    QTest::newRow("now") << kNow << QStringLiteral("0d 00h00m");
    QTest::newRow("23 hours 59 minutes") << DateTime::encode(2026, 12, 10, 9, 59) << QStringLiteral("0d 23h59m");
}

void TestUpcomingEvents::leftText()
{
    QFETCH(double, deadline);
    QFETCH(QString, expected);
    QCOMPARE(upcomingLeftText(deadline, kNow), expected);
}

void TestUpcomingEvents::horizon_data()
{
    QTest::addColumn<int>("horizon");
    QTest::addColumn<double>("deadline");
    QTest::addColumn<QString>("left"); // empty: not listed
    QTest::newRow("in 10 minutes") << 1 << kNow + 10 * kMinute << QStringLiteral("0d 00h10m");
    QTest::newRow("a minute ago") << 1 << kNow - kMinute << QString();
    QTest::newRow("tomorrow 09:00") << 1 << DateTime::encode(2026, 12, 10, 9, 0) << QStringLiteral("0d 23h00m");
    QTest::newRow("day after tomorrow 00:30")
        << 1 << DateTime::encode(2026, 12, 11, 0, 30) << QStringLiteral("1d 14h30m");
    QTest::newRow("day after tomorrow 23:00")
        << 1 << DateTime::encode(2026, 12, 11, 23, 0) << QStringLiteral("2d 13h00m");
    QTest::newRow("three days ahead 00:30") << 1 << DateTime::encode(2026, 12, 12, 0, 30) << QString();
    QTest::newRow("longer horizon") << 3 << DateTime::encode(2026, 12, 12, 0, 30) << QStringLiteral("2d 14h30m");
    QTest::newRow("earlier today is past") << 1000 << DateTime::encode(2026, 12, 9, 9, 0) << QString();
}

void TestUpcomingEvents::horizon()
{
    QFETCH(int, horizon);
    QFETCH(double, deadline);
    QFETCH(QString, left);
    const QList<UpcomingEvent> events =
        upcomingEvents({note(QStringLiteral("x"), deadline)}, NotesFilter{}, horizon, kNow);
    if (left.isEmpty()) {
        QVERIFY(events.isEmpty());
    } else {
        QCOMPARE(events.size(), 1);
        QCOMPARE(events[0].left, left);
    }
}

void TestUpcomingEvents::soonestFirst_tiesInCollectionOrder()
{
    const TDateTime noon = DateTime::encode(2026, 12, 9, 12, 0);
    const NotesCollection notes{note(QStringLiteral("late"), noon + 0.25), note(QStringLiteral("tie A"), noon),
                                note(QStringLiteral("none"), -1), note(QStringLiteral("soon"), kNow + kMinute),
                                note(QStringLiteral("tie B"), noon)};
    const QList<UpcomingEvent> events = upcomingEvents(notes, NotesFilter{}, 1, kNow);
    QCOMPARE(texts(events), (QStringList{QStringLiteral("soon"), QStringLiteral("tie A"), QStringLiteral("tie B"),
                                         QStringLiteral("late")}));
    QCOMPARE(events[0].position, 3);
    QCOMPARE(events[2].position, 4);
}

void TestUpcomingEvents::undatedAndOddDeadlines_neverListed()
{
    const double inf = std::numeric_limits<double>::infinity();
    const NotesCollection notes{
        note(QStringLiteral("none"), -1), note(QStringLiteral("nan"), std::numeric_limits<double>::quiet_NaN()),
        note(QStringLiteral("+inf"), inf), note(QStringLiteral("-inf"), -inf), note(QStringLiteral("epoch"), 0)};
    QVERIFY(upcomingEvents(notes, NotesFilter{}, 1000, kNow).isEmpty());
}

void TestUpcomingEvents::switches_filterFinishedAndPrivate()
{
    const TDateTime soon = kNow + 0.1;
    const NotesCollection notes{note(QStringLiteral("finished"), soon, 100),
                                note(QStringLiteral("private"), soon, 0, true), note(QStringLiteral("plain"), soon)};
    QCOMPARE(texts(upcomingEvents(notes, NotesFilter{false, true}, 1, kNow)),
             (QStringList{QStringLiteral("finished"), QStringLiteral("private"), QStringLiteral("plain")}));
    QCOMPARE(texts(upcomingEvents(notes, NotesFilter{false, false}, 1, kNow)),
             (QStringList{QStringLiteral("private"), QStringLiteral("plain")}));
    QCOMPARE(texts(upcomingEvents(notes, NotesFilter{true, true}, 1, kNow)),
             (QStringList{QStringLiteral("finished"), QStringLiteral("plain")}));
}

void TestUpcomingEvents::rows_carryTextIconAndPosition()
{
    const NotesCollection notes{note(QStringLiteral("a\r\nb"), kNow + 0.5, 100, false, 1),
                                note(QStringLiteral("c"), kNow + 0.25, 0, false, 2)};
    const QList<UpcomingEvent> events = upcomingEvents(notes, NotesFilter{}, 1, kNow);
    QCOMPARE(events.size(), 2);
    QCOMPARE(events[0].note, QStringLiteral("c"));
    QCOMPARE(events[0].icon, NoteIcons::Increased);
    QCOMPARE(events[0].position, 1);
    QCOMPARE(events[1].note, QStringLiteral("a  b"));
    QCOMPARE(events[1].icon, NoteIcons::Finished);
    QCOMPARE(events[1].left, QStringLiteral("0d 12h00m"));
}

void TestUpcomingEvents::refreshCounter_rebuildsOnEveryNthTick()
{
    UpcomingRefreshCounter counter;
    QList<int> rebuilt;
    for (int tick = 1; tick <= 12; ++tick) {
        if (counter.tick(5))
            rebuilt << tick;
    }
    QCOMPARE(rebuilt, (QList<int>{5, 10}));
    QCOMPARE(counter.count(), 2);
}

void TestUpcomingEvents::alarms_dueAlertHoursBeforeDeadline_data()
{
    QTest::addColumn<int>("alertHours");
    QTest::addColumn<double>("created");
    QTest::addColumn<double>("due"); // -1: no alarm
    const TDateTime deadline = DateTime::encode(2026, 12, 9, 15, 0);
    QTest::newRow("an hour before") << 1 << DateTime::encode(2026, 12, 9, 12, 0)
                                    << DateTime::encode(2026, 12, 9, 14, 0);
    QTest::newRow("created inside the hour") << 1 << DateTime::encode(2026, 12, 9, 14, 30) << -1.0;
    QTest::newRow("at the deadline itself") << 0 << DateTime::encode(2026, 12, 9, 14, 30) << deadline;
    QTest::newRow("deadline passed") << 0 << DateTime::encode(2026, 12, 9, 15, 1) << -1.0;
    QTest::newRow("a day before") << 24 << DateTime::encode(2026, 12, 8, 9, 0) << DateTime::encode(2026, 12, 8, 15, 0);
}

void TestUpcomingEvents::alarms_dueAlertHoursBeforeDeadline()
{
    QFETCH(int, alertHours);
    QFETCH(double, created);
    QFETCH(double, due);
    const NotesCollection notes{note(QStringLiteral("none"), -1),
                                note(QStringLiteral("x"), DateTime::encode(2026, 12, 9, 15, 0))};
    const QList<AlarmEntry> alarms = alarmEntries(notes, alertHours, created);
    if (due == -1.0) {
        QVERIFY(alarms.isEmpty());
        return;
    }
    QCOMPARE(alarms.size(), 1);
    QCOMPARE(alarms[0].name, QStringLiteral("1"));
    QVERIFY(qAbs(alarms[0].time - due) < 1e-6);
}

void TestUpcomingEvents::alarms_ignoreProgressAndPrivateFlag()
{
    const NotesCollection notes{note(QStringLiteral("finished"), kNow + 1, 100),
                                note(QStringLiteral("odd"), std::numeric_limits<double>::quiet_NaN()),
                                note(QStringLiteral("private"), kNow + 2, 0, true)};
    const QList<AlarmEntry> alarms = alarmEntries(notes, 1, kNow);
    QCOMPARE(alarms.size(), 2);
    QCOMPARE(alarms[0].name, QStringLiteral("0"));
    QCOMPARE(alarms[1].name, QStringLiteral("2"));
}

void TestUpcomingEvents::dueAlarms_fireOnceLastFirst()
{
    QList<AlarmEntry> alarms{{QStringLiteral("0"), kNow + kMinute, {}},
                             {QStringLiteral("1"), kNow + 10 * kMinute, {}},
                             {QStringLiteral("2"), kNow + 2 * kMinute, {}}};
    QVERIFY(takeDueAlarms(alarms, kNow).isEmpty());
    const QList<AlarmEntry> fired = takeDueAlarms(alarms, kNow + 2 * kMinute);
    QCOMPARE(fired.size(), 2);
    QCOMPARE(fired[0].name, QStringLiteral("2"));
    QCOMPARE(fired[1].name, QStringLiteral("0"));
    QCOMPARE(alarms.size(), 1);
    QVERIFY(takeDueAlarms(alarms, kNow + 2 * kMinute).isEmpty());
}

void TestUpcomingEvents::wallpaperLine_cutsLongTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const QString sixty = QString(59, QLatin1Char('a')) + QLatin1Char('z');
    QTest::newRow("short") << QStringLiteral("Call") << QStringLiteral("1d 02h03m  Call");
    QTest::newRow("exactly 60") << sixty << QStringLiteral("1d 02h03m  ") + sixty;
    QTest::newRow("61 cut to 60") << sixty + QLatin1Char('!')
                                  << QStringLiteral("1d 02h03m  ") + sixty + QStringLiteral("...");
    QTest::newRow("empty") << QString() << QStringLiteral("1d 02h03m  ");
}

void TestUpcomingEvents::wallpaperLine_cutsLongTexts()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    UpcomingEvent event;
    event.left = QStringLiteral("1d 02h03m");
    event.note = text;
    QCOMPARE(wallpaperLine(event), expected);
}

QTEST_GUILESS_MAIN(TestUpcomingEvents)
#include "tst_upcomingevents.moc"
