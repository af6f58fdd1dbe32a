#include "core/LocaleFormats.h"
#include "reminders/ReminderAnswers.h"
#include "reminders/ReminderLedger.h"
#include "reminders/ReminderLedgerFile.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QDate kDay(2026, 12, 9);

TDateTime at(int hour, int minute, int dayOffset = 0)
{
    return DateTime::fromQDateTime(QDateTime(kDay.addDays(dayOffset), QTime(hour, minute)));
}

TNotesData note(const QString &text, TDateTime deadline, quint8 importance = 3)
{
    TNotesData n;
    n.Text = text;
    n.Deadline = deadline;
    n.Importance = importance;
    return n;
}

TDateTime dueOf(const TNotesData &n)
{
    return n.Deadline - 1 / 24.0;
}

// What the program does between two checks: refresh, then deliver what fell due.
QStringList deliverDue(ReminderLedger &ledger, const NotesCollection &notes, TDateTime now)
{
    QStringList delivered;
    for (const AlarmEntry &entry : pendingAlarmEntries(notes, 1, now, ledger)) {
        if (entry.time <= now && ledger.claim(reminderKey(entry.note), entry.due, now))
            delivered << entry.note.Text;
    }
    ledger.setLastChecked(now);
    return delivered;
}

} // namespace

class TestReminderLedger final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void snoozedUntil_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QDateTime>("until");
        const QDateTime evening(kDay, QTime(23, 55));
        QTest::newRow("10 min across midnight")
            << evening << int(ReminderAnswer::Snooze10Min) << QDateTime(kDay.addDays(1), QTime(0, 5));
        QTest::newRow("1 hour") << evening << int(ReminderAnswer::SnoozeHour) << QDateTime(kDay.addDays(1), QTime(0, 55));
        // Warsaw moves to summer time in the night to 29 March: the hour stays 9:00.
        QTest::newRow("tomorrow over the change of time")
            << QDateTime(QDate(2026, 3, 28), QTime(9, 0)) << int(ReminderAnswer::Tomorrow)
            << QDateTime(QDate(2026, 3, 29), QTime(9, 0));
        QTest::newRow("done") << evening << int(ReminderAnswer::Done) << QDateTime();
        QTest::newRow("show") << evening << int(ReminderAnswer::Show) << QDateTime();
    }
    void snoozedUntil()
    {
        QFETCH(QDateTime, now);
        QFETCH(int, answer);
        QFETCH(QDateTime, until);
        QCOMPARE(::snoozedUntil(now, ReminderAnswer(answer)).value_or(QDateTime()), until);
    }

    void actions_roundTripAndOrder()
    {
        const QStringList actions = notificationActions();
        QCOMPARE(actions, (QStringList{u"default"_s, QString(), u"snooze-10"_s, u"Snooze 10 min"_s, u"snooze-60"_s,
                                       u"Snooze 1 hour"_s, u"tomorrow"_s, u"Tomorrow"_s, u"done"_s, u"Done"_s}));
        for (qsizetype i = 0; i < actions.size(); i += 2)
            QCOMPARE(answerKey(answerFromKey(actions[i]).value()), actions[i]);
        QVERIFY(!answerFromKey(u"snooze"_s));
    }

    void message_data()
    {
        QTest::addColumn<TNotesData>("note");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QStringList>("bodyEnds");
        QTest::addColumn<int>("urgency");
        TNotesData dentist = note(u"Dentist\r\nbring the card"_s, at(15, 0), 1);
        dentist.Location = u"ul. D\u0142uga 3"_s;
        QTest::newRow("first line, critical") << dentist << u"Dentist"_s
                                             << QStringList{u"ul. D\u0142uga 3"_s, u"Highest"_s} << 2;
        QTest::newRow("no location") << note(u"Call"_s, at(15, 0), 3) << u"Call"_s << QStringList{u"Normal"_s} << 1;
        QTest::newRow("empty text") << note(u"\nsecond"_s, at(15, 0), 2) << u"Reminder"_s
                                    << QStringList{u"Increased"_s} << 1;
    }
    void message()
    {
        QFETCH(TNotesData, note);
        QFETCH(QString, summary);
        QFETCH(QStringList, bodyEnds);
        QFETCH(int, urgency);
        const ReminderMessage m = reminderMessage(note, LocaleFormats::fixedForTesting());
        QCOMPARE(m.summary, summary);
        const QStringList lines = m.body.split(u'\n');
        QCOMPARE(lines.size(), bodyEnds.size() + 1); // the deadline first
        QCOMPARE(lines.mid(1), bodyEnds);
        QCOMPARE(m.urgency, urgency);
    }

    // Any number of refreshes and checks, at any moments, deliver each alert once.
    void refreshStorm_deliversEachAlertOnce()
    {
        ReminderLedger ledger;
        ledger.setLastChecked(at(12, 0));
        const NotesCollection notes{note(u"a"_s, at(14, 0)), note(u"b"_s, at(14, 0)), note(u"c"_s, at(16, 30))};
        QStringList delivered;
        for (TDateTime now = at(12, 0); now < at(17, 0); now += 0.37 / 24 / 60) {
            delivered << deliverDue(ledger, notes, now);
            delivered << deliverDue(ledger, notes, now); // a second refresh in the same moment
        }
        delivered.sort();
        QCOMPARE(delivered, (QStringList{u"a"_s, u"b"_s, u"c"_s}));
    }

    void savedAfterAlertTime_remindsAtOnceOnce_data()
    {
        QTest::addColumn<TDateTime>("deadline");
        QTest::addColumn<bool>("reminds");
        QTest::newRow("deadline ahead") << at(14, 30) << true;
        QTest::newRow("deadline passed") << at(13, 50) << false;
    }
    void savedAfterAlertTime_remindsAtOnceOnce()
    {
        QFETCH(TDateTime, deadline);
        QFETCH(bool, reminds);
        ReminderLedger ledger;
        ledger.setLastChecked(at(14, 0));
        const NotesCollection notes{note(u"late"_s, deadline)};
        QCOMPARE(deliverDue(ledger, notes, at(14, 0) + 1e-6).size(), reminds ? 1 : 0);
        QVERIFY(deliverDue(ledger, notes, at(14, 1)).isEmpty());
    }

    void snooze_comesBackOnceAndNewDeadlineRemindsAgain()
    {
        ReminderLedger ledger;
        ledger.setLastChecked(at(12, 0));
        NotesCollection notes{note(u"a"_s, at(14, 0))};
        QCOMPARE(deliverDue(ledger, notes, at(13, 1)).size(), 1);
        ledger.snooze(reminderKey(notes[0]), dueOf(notes[0]), at(13, 11));
        QVERIFY(deliverDue(ledger, notes, at(13, 10)).isEmpty());
        QCOMPARE(pendingAlarmEntries(notes, 1, at(13, 10), ledger).value(0).time, at(13, 11));
        QCOMPARE(deliverDue(ledger, notes, at(13, 11)).size(), 1);
        QVERIFY(deliverDue(ledger, notes, at(13, 30)).isEmpty());
        notes[0].Deadline = at(18, 0); // moved: a new alert
        QCOMPARE(deliverDue(ledger, notes, at(17, 0)).size(), 1);
    }

    void catchUp_data()
    {
        QTest::addColumn<bool>("deliverMissed");
        QTest::addColumn<bool>("snoozeRanOut");
        QTest::addColumn<QStringList>("missed");
        QTest::newRow("three days off") << true << false << QStringList{u"mon"_s, u"tue"_s};
        QTest::newRow("and a snooze ran out") << true << true << QStringList{u"old"_s, u"mon"_s, u"tue"_s};
        QTest::newRow("missed reminders off") << false << true << QStringList{};
    }
    // Stopped on day 0 at 18:00, started on day 3 at 9:00.
    void catchUp()
    {
        QFETCH(bool, deliverMissed);
        QFETCH(bool, snoozeRanOut);
        QFETCH(QStringList, missed);
        const NotesCollection notes{note(u"old"_s, at(17, 0)), note(u"mon"_s, at(10, 0, 1)),
                                    note(u"tue"_s, at(10, 0, 2)), note(u"later"_s, at(12, 0, 3))};
        ReminderLedger ledger;
        ledger.setLastChecked(at(17, 0)); // "old" fell due before and was never shown
        if (snoozeRanOut)
            ledger.snooze(reminderKey(notes[0]), dueOf(notes[0]), at(9, 0, 1));
        ledger.setLastChecked(at(18, 0));
        QStringList shown;
        for (const AlarmEntry &entry : catchUpMissed(notes, 1, at(9, 0, 3), ledger, deliverMissed))
            shown << entry.note.Text;
        QCOMPARE(shown, missed);
        // Once: nothing of the past is left to fire, the future alert still is.
        const QList<AlarmEntry> left = pendingAlarmEntries(notes, 1, at(9, 0, 3), ledger);
        QCOMPARE(left.size(), 1);
        QCOMPARE(left[0].note.Text, u"later"_s);
        QVERIFY(catchUpMissed(notes, 1, at(9, 0, 3), ledger, deliverMissed).isEmpty());
    }

    void newFolder_hasNoMissedAndNoBacklog()
    {
        ReminderLedger ledger;
        const NotesCollection notes{note(u"past"_s, at(10, 0)), note(u"soon"_s, at(12, 30))};
        QVERIFY(catchUpMissed(notes, 1, at(12, 0), ledger, true).isEmpty());
        QVERIFY(pendingAlarmEntries(notes, 1, at(12, 0), ledger).isEmpty());
    }

    void keepOnly_forgetsDeletedAndLongPastNotes()
    {
        ReminderLedger ledger;
        ledger.setLastChecked(at(14, 30));
        const NotesCollection notes{note(u"gone"_s, at(15, 0)), note(u"ahead"_s, at(15, 0)),
                                    note(u"past"_s, at(14, 0)), note(u"snoozed"_s, at(14, 0))};
        for (const TNotesData &n : notes)
            ledger.settle(reminderKey(n), dueOf(n));
        ledger.snooze(reminderKey(notes[3]), dueOf(notes[3]), at(16, 0));
        QVERIFY(ledger.keepOnly(notes.mid(1), ledger.lastChecked()));
        QStringList kept = ledger.states().keys();
        kept.sort();
        QStringList expected{reminderKey(notes[1]), reminderKey(notes[3])};
        expected.sort();
        QCOMPARE(kept, expected);
        QVERIFY(!ledger.keepOnly(notes.mid(1), ledger.lastChecked()));
        // What was forgotten does not come back.
        QVERIFY(pendingAlarmEntries(notes.mid(1, 2), 1, at(14, 31), ledger).isEmpty());
    }

    // Times come back to the last bit, or a restart would take a delivered alert for a new one; the
    // states follow their notes by identity, not by position.
    void states_travelWithTheNotes()
    {
        NotesCollection notes{note(u"a"_s, at(14, 0) + 1e-9), note(u"b"_s, at(9, 7, 40)), note(u"c"_s, at(10, 0))};
        for (int i = 0; i < notes.size(); ++i)
            notes[i].uid = u"uid-%1"_s.arg(i);
        ReminderLedger ledger;
        ledger.settle(reminderKey(notes[0]), dueOf(notes[0]));
        ledger.snooze(reminderKey(notes[1]), dueOf(notes[1]), at(0, 5, 41) + 1.0 / 3);
        ledger.writeTo(notes);
        std::swap(notes[0], notes[2]);
        ReminderLedger back;
        back.readFrom(notes);
        QVERIFY(back.states() == ledger.states());
        QVERIFY(!back.pendingTime(u"uid-0"_s, dueOf(notes[2])));
        QCOMPARE(back.pendingTime(u"uid-1"_s, dueOf(notes[1])).value(), at(0, 5, 41) + 1.0 / 3);
        QCOMPARE(back.pendingTime(u"uid-2"_s, dueOf(notes[0])).value(), dueOf(notes[0]));
        // A state that went is taken off its note.
        ledger.keepOnly({}, qQNaN());
        ledger.writeTo(notes);
        QVERIFY(notes[1].extra.isEmpty());
    }

    void lastCheckFile_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<TDateTime>("lastChecked");
        ReminderLedger written;
        written.setLastChecked(at(13, 59) + 1.0 / 3);
        QTest::newRow("written") << ReminderLedgerFile::ledgerData(written) << true << at(13, 59) + 1.0 / 3;
        QTest::newRow("not XML") << QByteArray("\x01\x02garbage") << false << at(1, 0);
        QTest::newRow("not a time")
            << QByteArray("<?xml version=\"1.0\"?><Configuration><LastChecked>nan</LastChecked></Configuration>")
            << true << qQNaN();
    }
    void lastCheckFile()
    {
        QFETCH(QByteArray, document);
        QFETCH(bool, readable);
        QFETCH(TDateTime, lastChecked);
        ReminderLedger ledger;
        ledger.setLastChecked(at(1, 0));
        QCOMPARE(bool(ReminderLedgerFile::parseLedger(document, &ledger)), readable);
        QVERIFY(qIsNaN(lastChecked) ? qIsNaN(ledger.lastChecked()) : ledger.lastChecked() == lastChecked);
    }
};

QTEST_GUILESS_MAIN(TestReminderLedger)
#include "tst_reminderledger.moc"
