#include "core/Clock.h"
#include "reminders/AlarmWatcher.h"
#include "reminders/Alarms.h"

#include <QTest>

namespace {

const QDateTime kStart(QDate(2026, 12, 9), QTime(12, 0));

TNotesData note(const QString &text, const QDateTime &deadline, quint8 importance = 3)
{
    TNotesData n;
    n.Text = text;
    n.Deadline = DateTime::fromQDateTime(deadline);
    n.Importance = importance;
    return n;
}

QDateTime at(int hour, int minute, int second = 0)
{
    return QDateTime(kStart.date(), QTime(hour, minute, second));
}

} // namespace

class TestAlarmWatcher final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void rebuild_keepsOverdueAlertOfUnchangedNote();
    void rebuild_dropsOverdueAlertOfChangedOrDeletedNote();
    void rebuild_twoEqualNotesKeepTwoAlerts();
    void entries_carryTheNoteAsItStood();
    void priority_texts_data();
    void priority_texts();

    void firesOnce_atItsTime();
    void firesDueEntries_lastFirst();
    void dueWhileSuspended_firesOnceAfterWaking();
    void checksAtMostOncePerSecond();
    void newDate_checksAtOnce();
    void clockSetBack_doesNotStallChecks();
    void check_notReenteredWhileAlarmHandled();
    void refillDuringAlarm_firesRemainingFromTheirOwnNotes();
    void refillDuringAlarm_keepsAlertsThatFellDueMeanwhile();
    void firedAlert_notBroughtBackByRefill();
    void refillInTheMillisecondOfTheCheck_doesNotRepeat();
    void tick_runsOnlyWhileListHoldsEntries();
    void tick_sleepsUntilFirstEntryFallsDue();

private:
    // What every refresh of the notes does to the watcher.
    void refill(const NotesCollection &notes, int alertHours);

    AlarmWatcher *m_watcher = nullptr;
    QList<AlarmEntry> m_fired;
};

void TestAlarmWatcher::init()
{
    Clock::setNowForTesting(kStart);
    m_watcher = new AlarmWatcher;
    m_fired.clear();
    connect(m_watcher, &AlarmWatcher::alarm, this, [this](const AlarmEntry &entry) { m_fired.append(entry); });
}

void TestAlarmWatcher::refill(const NotesCollection &notes, int alertHours)
{
    const QDateTime now = Clock::now();
    m_watcher->setEntries(rebuildAlarmEntries(m_watcher->entries(), notes, alertHours, DateTime::fromQDateTime(now),
                                              m_watcher->checkedUpTo(now)));
}

void TestAlarmWatcher::cleanup()
{
    delete m_watcher;
    Clock::resetForTesting();
}

void TestAlarmWatcher::rebuild_keepsOverdueAlertOfUnchangedNote()
{
    const NotesCollection notes{note(QStringLiteral("a"), at(13, 0))};
    const QList<AlarmEntry> before = alarmEntries(notes, 1, DateTime::fromQDateTime(at(11, 0)));
    QCOMPARE(before.size(), 1);
    // Due at 12:00, not yet checked at 12:00:05; a new note moved it to position 1.
    const NotesCollection resorted{note(QStringLiteral("new"), at(18, 0)), notes[0]};
    const QList<AlarmEntry> after = rebuildAlarmEntries(before, resorted, 1, DateTime::fromQDateTime(at(12, 0, 5)));
    QCOMPARE(after.size(), 2);
    QCOMPARE(after[1].name, QStringLiteral("1"));
    QCOMPARE(after[1].time, before[0].time);
    // Without the waiting entry the same rebuild refuses the past due time.
    QCOMPARE(alarmEntries(resorted, 1, DateTime::fromQDateTime(at(12, 0, 5))).size(), 1);
}

void TestAlarmWatcher::rebuild_dropsOverdueAlertOfChangedOrDeletedNote()
{
    const NotesCollection notes{note(QStringLiteral("a"), at(13, 0))};
    const QList<AlarmEntry> before = alarmEntries(notes, 1, DateTime::fromQDateTime(at(11, 0)));
    const TDateTime later = DateTime::fromQDateTime(at(12, 0, 5));
    NotesCollection edited = notes;
    edited[0].Text = QStringLiteral("b");
    QVERIFY(rebuildAlarmEntries(before, edited, 1, later).isEmpty());
    QVERIFY(rebuildAlarmEntries(before, {}, 1, later).isEmpty());
    // A different lead time is a different alert.
    QVERIFY(rebuildAlarmEntries(before, notes, 2, later).isEmpty());
}

void TestAlarmWatcher::rebuild_twoEqualNotesKeepTwoAlerts()
{
    const NotesCollection notes{note(QStringLiteral("a"), at(13, 0)), note(QStringLiteral("a"), at(13, 0))};
    const QList<AlarmEntry> before = alarmEntries(notes, 1, DateTime::fromQDateTime(at(11, 0)));
    const TDateTime later = DateTime::fromQDateTime(at(12, 0, 5));
    QCOMPARE(rebuildAlarmEntries(before, notes, 1, later).size(), 2);
    // One waiting entry vouches for one note only.
    QCOMPARE(rebuildAlarmEntries(before.mid(0, 1), notes, 1, later).size(), 1);
}

void TestAlarmWatcher::entries_carryTheNoteAsItStood()
{
    NotesCollection notes{note(QStringLiteral("x"), at(15, 0), 2)};
    notes[0].Location = QStringLiteral("here");
    const QList<AlarmEntry> alarms = alarmEntries(notes, 1, DateTime::fromQDateTime(kStart));
    QCOMPARE(alarms.size(), 1);
    QCOMPARE(alarms[0].note, notes[0]);
}

void TestAlarmWatcher::priority_texts_data()
{
    QTest::addColumn<int>("importance");
    QTest::addColumn<QString>("text");
    QTest::newRow("1") << 1 << QStringLiteral("Highest");
    QTest::newRow("2") << 2 << QStringLiteral("Increased");
    QTest::newRow("3") << 3 << QStringLiteral("Normal");
    QTest::newRow("0") << 0 << QString();
    QTest::newRow("4") << 4 << QString();
}

void TestAlarmWatcher::priority_texts()
{
    QFETCH(int, importance);
    QFETCH(QString, text);
    QCOMPARE(importanceName(static_cast<quint8>(importance)), text);
}

void TestAlarmWatcher::firesOnce_atItsTime()
{
    refill({note(QStringLiteral("a"), at(15, 0))}, 1);
    Clock::setNowForTesting(at(13, 59, 59));
    m_watcher->tick();
    QVERIFY(m_fired.isEmpty());
    Clock::setNowForTesting(at(14, 0, 0));
    m_watcher->tick();
    QCOMPARE(m_fired.size(), 1);
    QCOMPARE(m_fired[0].note.Text, QStringLiteral("a"));
    for (int i = 0; i < 5; ++i) {
        Clock::advanceForTesting(1000);
        m_watcher->tick();
    }
    QCOMPARE(m_fired.size(), 1);
}

void TestAlarmWatcher::dueWhileSuspended_firesOnceAfterWaking()
{
    refill({note(QStringLiteral("a"), at(15, 0))}, 1);
    Clock::setNowForTesting(at(13, 0));
    m_watcher->tick();
    QVERIFY(m_fired.isEmpty());
    // No ticks while the computer sleeps; the first tick after waking finds the alert overdue.
    Clock::setNowForTesting(at(17, 30));
    m_watcher->tick();
    QCOMPARE(m_fired.size(), 1);
    for (int i = 0; i < 5; ++i) {
        Clock::advanceForTesting(1000);
        m_watcher->tick();
    }
    QCOMPARE(m_fired.size(), 1);
}

void TestAlarmWatcher::firesDueEntries_lastFirst()
{
    refill({note(QStringLiteral("first"), at(14, 0)), note(QStringLiteral("second"), at(14, 30)),
                       note(QStringLiteral("later"), at(18, 0))},
                      1);
    Clock::setNowForTesting(at(13, 45));
    m_watcher->tick();
    QCOMPARE(m_fired.size(), 2);
    QCOMPARE(m_fired[0].note.Text, QStringLiteral("second"));
    QCOMPARE(m_fired[1].note.Text, QStringLiteral("first"));
    QCOMPARE(m_watcher->entries().size(), 1);
}

void TestAlarmWatcher::checksAtMostOncePerSecond()
{
    refill({note(QStringLiteral("a"), QDateTime(kStart.date(), QTime(13, 0, 0, 600)))}, 1);
    m_watcher->tick(); // 12:00:00.000, checks, nothing due
    Clock::advanceForTesting(600);
    m_watcher->tick(); // due now, but only 600 ms since the last check
    QVERIFY(m_fired.isEmpty());
    Clock::advanceForTesting(400);
    m_watcher->tick();
    QCOMPARE(m_fired.size(), 1);
}

void TestAlarmWatcher::newDate_checksAtOnce()
{
    Clock::setNowForTesting(QDateTime(kStart.date(), QTime(23, 59, 59, 800)));
    refill({note(QStringLiteral("a"), QDateTime(kStart.date().addDays(1), QTime(1, 0)))}, 1);
    m_watcher->tick();
    Clock::advanceForTesting(200); // midnight, 200 ms after the last check
    m_watcher->tick();
    QCOMPARE(m_fired.size(), 1);
}

void TestAlarmWatcher::clockSetBack_doesNotStallChecks()
{
    Clock::setNowForTesting(at(12, 30));
    m_watcher->tick();
    Clock::setNowForTesting(at(12, 0));
    refill({note(QStringLiteral("a"), at(13, 20))}, 1);
    // Ten minutes "before" the last check, yet due: checks go on from the new time.
    Clock::setNowForTesting(at(12, 20));
    m_watcher->tick();
    QCOMPARE(m_fired.size(), 1);
}

void TestAlarmWatcher::check_notReenteredWhileAlarmHandled()
{
    refill({note(QStringLiteral("a"), at(13, 0)), note(QStringLiteral("b"), at(13, 10)),
                       note(QStringLiteral("c"), at(13, 30))},
                      1);
    int depth = 0;
    int deepest = 0;
    // The handler stands for an open reminder: time passes and the tick keeps coming.
    connect(m_watcher, &AlarmWatcher::alarm, this, [&] {
        ++depth;
        deepest = qMax(deepest, depth);
        QVERIFY(m_watcher->isChecking());
        Clock::advanceForTesting(20 * 60 * 1000);
        m_watcher->tick();
        --depth;
    });
    Clock::setNowForTesting(at(12, 15));
    m_watcher->tick();
    QCOMPARE(deepest, 1);
    QCOMPARE(m_fired.size(), 2); // "b" and "a"; "c" fell due while they were handled
    QCOMPARE(m_watcher->entries().size(), 1);
    QVERIFY(!m_watcher->isChecking());
    Clock::advanceForTesting(1000);
    m_watcher->tick();
    QCOMPARE(m_fired.size(), 3);
    QCOMPARE(m_fired[2].note.Text, QStringLiteral("c"));
}

void TestAlarmWatcher::refillDuringAlarm_firesRemainingFromTheirOwnNotes()
{
    NotesCollection notes{note(QStringLiteral("a"), at(13, 0)), note(QStringLiteral("b"), at(13, 5))};
    refill(notes, 1);
    bool refilled = false;
    connect(m_watcher, &AlarmWatcher::alarm, this, [&] {
        if (refilled)
            return;
        refilled = true;
        // While "b" is shown, a new note lands in front and the list is rebuilt.
        notes.prepend(note(QStringLiteral("new"), at(20, 0)));
        refill(notes, 1);
    });
    Clock::setNowForTesting(at(12, 10));
    m_watcher->tick();
    QCOMPARE(m_fired.size(), 2);
    QCOMPARE(m_fired[0].note.Text, QStringLiteral("b"));
    QCOMPARE(m_fired[1].note.Text, QStringLiteral("a"));
    // Neither comes back; only the new note waits.
    QCOMPARE(m_watcher->entries().size(), 1);
    QCOMPARE(m_watcher->entries()[0].note.Text, QStringLiteral("new"));
    Clock::advanceForTesting(1000);
    m_watcher->tick();
    QCOMPARE(m_fired.size(), 2);
}

void TestAlarmWatcher::refillDuringAlarm_keepsAlertsThatFellDueMeanwhile()
{
    NotesCollection notes{note(QStringLiteral("a"), at(13, 0)), note(QStringLiteral("b"), at(13, 30))};
    refill(notes, 1);
    bool refilled = false;
    connect(m_watcher, &AlarmWatcher::alarm, this, [&] {
        if (refilled)
            return;
        refilled = true;
        // "a" stays open past "b"'s alert time; the midnight-style refresh rebuilds meanwhile.
        Clock::setNowForTesting(at(12, 45));
        refill(notes, 1);
    });
    Clock::setNowForTesting(at(12, 0, 1));
    m_watcher->tick();
    QCOMPARE(m_fired.size(), 1);
    Clock::advanceForTesting(1000);
    m_watcher->tick();
    QCOMPARE(m_fired.size(), 2);
    QCOMPARE(m_fired[1].note.Text, QStringLiteral("b"));
}

void TestAlarmWatcher::firedAlert_notBroughtBackByRefill()
{
    const NotesCollection notes{note(QStringLiteral("a"), at(13, 0))};
    refill(notes, 1);
    Clock::setNowForTesting(at(12, 0, 1));
    m_watcher->tick();
    QCOMPARE(m_fired.size(), 1);
    refill(notes, 1);
    QVERIFY(m_watcher->entries().isEmpty());
    // Moving the deadline on gives a new alert.
    NotesCollection moved = notes;
    moved[0].Deadline = DateTime::fromQDateTime(at(16, 0));
    refill(moved, 1);
    QCOMPARE(m_watcher->entries().size(), 1);
}

void TestAlarmWatcher::refillInTheMillisecondOfTheCheck_doesNotRepeat()
{
    const NotesCollection notes{note(QStringLiteral("a"), at(13, 0))};
    refill(notes, 1);
    Clock::setNowForTesting(at(12, 0)); // due exactly now
    m_watcher->tick();
    QCOMPARE(m_fired.size(), 1);
    refill(notes, 1);
    QVERIFY(m_watcher->entries().isEmpty());
    // Without the check's time the rule "not earlier than now" alone would take it back.
    QCOMPARE(alarmEntries(notes, 1, DateTime::fromQDateTime(at(12, 0))).size(), 1);
}

void TestAlarmWatcher::tick_runsOnlyWhileListHoldsEntries()
{
    QVERIFY(!m_watcher->isWatching());
    refill({note(QStringLiteral("a"), at(13, 0))}, 1);
    QVERIFY(m_watcher->isWatching());
    Clock::setNowForTesting(at(12, 0, 1));
    m_watcher->tick();
    QVERIFY(!m_watcher->isWatching());
    // The real timer drives it too; it sleeps the two seconds until the entry falls due, so the
    // wait allows for a slow (sanitized) build.
    refill({note(QStringLiteral("b"), at(13, 0, 3))}, 1);
    Clock::setNowForTesting(at(12, 0, 3));
    QTRY_COMPARE_WITH_TIMEOUT(m_fired.size(), 2, 10000);
}

void TestAlarmWatcher::tick_sleepsUntilFirstEntryFallsDue()
{
    // Alerts hours away: one wake-up in ten seconds, so a clock jump or a suspend delays an alert
    // no longer than that. A refill between ticks does not postpone it.
    refill({note(QStringLiteral("a"), at(15, 0)), note(QStringLiteral("b"), at(18, 0))}, 1);
    QCOMPARE(m_watcher->tickInterval(), 10 * 1000);
    // One due in eight seconds: woken then, not before.
    refill({note(QStringLiteral("a"), at(15, 0)), note(QStringLiteral("c"), at(13, 0, 8))}, 1);
    QVERIFY(m_watcher->tickInterval() <= 8 * 1000);
    QVERIFY(m_watcher->tickInterval() > 7 * 1000);
    // Due now: the plain half-second tick, and it fires.
    Clock::setNowForTesting(at(12, 0, 8));
    refill({note(QStringLiteral("c"), at(13, 0, 8))}, 1);
    QCOMPARE(m_watcher->tickInterval(), 500);
    m_watcher->tick();
    QCOMPARE(m_fired.size(), 1);
    QCOMPARE(m_watcher->tickInterval(), 0);
}

QTEST_GUILESS_MAIN(TestAlarmWatcher)
#include "tst_alarmwatcher.moc"
