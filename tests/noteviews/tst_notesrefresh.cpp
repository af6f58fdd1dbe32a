#include "noteviews/NotesViews.h"

#include <QTest>

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(12, 0)); // a Wednesday

TNotesData note(const QString &text, quint8 importance, const QDateTime &deadline, quint8 progress = 0,
                bool isPrivate = false)
{
    TNotesData n;
    n.Text = text;
    n.Importance = importance;
    n.Deadline = deadline.isValid() ? DateTime::fromQDateTime(deadline) : DateTime::kNoDeadline;
    n.Progress = progress;
    n.PrivateMsg = isPrivate;
    return n;
}

// As loaded: one note for today, a private one for tomorrow, a finished one from yesterday, one without a date.
NotesCollection loadedNotes()
{
    return {note(QStringLiteral("Call Ann"), 3, QDateTime(kNow.date(), QTime(18, 0))),
            note(QStringLiteral("Pay rent"), 1, QDateTime(kNow.date().addDays(1), QTime(9, 0)), 0, true),
            note(QStringLiteral("Old task"), 2, QDateTime(kNow.date().addDays(-1), QTime(10, 0)), 100),
            note(QStringLiteral("Someday"), 2, QDateTime())};
}

NotesRefreshOptions options(NotesSortOrder order, NotesFilter filter, bool countNotes, QDate weekStart)
{
    NotesRefreshOptions o;
    o.now = DateTime::fromQDateTime(kNow);
    o.sortOrder = order;
    o.filter = filter;
    o.weekStart = weekStart;
    o.week = WeekScheduleOptions{false, WeekOrder::ByTime, DayNameForm::Long, {}};
    o.countNotes = countNotes;
    o.formats = LocaleFormats::fixedForTesting();
    return o;
}

// "a|b" as a list; "" as none.
QStringList texts(const char *joined)
{
    const QString all = QString::fromUtf8(joined);
    return all.isEmpty() ? QStringList() : all.split(QLatin1Char('|'));
}

QStringList dayTexts(const WeekSchedule &week, int days)
{
    QStringList texts;
    for (int k = 0; k < days; ++k) {
        QStringList rows;
        for (const DayRow &row : week[static_cast<size_t>(k)].rows)
            rows.append(row.text);
        texts.append(rows.join(QStringLiteral(", ")));
    }
    return texts;
}

} // namespace

class TestNotesRefresh final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyView_followsOrderAndSwitches_data();
    void everyView_followsOrderAndSwitches();
    void waitingAlert_keptUnderItsNewPosition();
};

void TestNotesRefresh::everyView_followsOrderAndSwitches_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<bool>("hidePrivate");
    QTest::addColumn<bool>("showFinished");
    QTest::addColumn<bool>("countNotes");
    QTest::addColumn<QDate>("weekStart");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QStringList>("upcoming");
    QTest::addColumn<QStringList>("firstThreeDays");
    QTest::addColumn<QString>("counters"); // highest/increased/normal/finished, empty: not shown
    QTest::addColumn<QStringList>("alarms");

    QTest::newRow("loaded order, everything shown")
        << int(NotesSortOrder::Disabled) << false << true << true << QDate()
        << texts("Call Ann|Pay rent|Old task|Someday") << texts("Call Ann|Pay rent")
        << texts("Call Ann|Pay rent|") << QStringLiteral("1/1/1/1") << texts("0|1");
    QTest::newRow("by priority: alerts named by the new positions")
        << int(NotesSortOrder::ByPriority) << false << true << true << QDate()
        << texts("Pay rent|Old task|Someday|Call Ann") << texts("Call Ann|Pay rent")
        << texts("Call Ann|Pay rent|") << QStringLiteral("1/1/1/1") << texts("0|3");
    QTest::newRow("switches hide private and finished in every view, not in alerts")
        << int(NotesSortOrder::ByPrivateNonPrivate) << true << false << false << QDate()
        << texts("Call Ann|Someday") << texts("Call Ann") << texts("Call Ann||")
        << QString() << texts("0|1");
    QTest::newRow("week paged back to Monday")
        << int(NotesSortOrder::Disabled) << false << true << true << QDate(2026, 12, 7)
        << texts("Call Ann|Pay rent|Old task|Someday") << texts("Call Ann|Pay rent")
        << texts("|Old task|Call Ann") << QStringLiteral("1/1/1/1") << texts("0|1");
}

void TestNotesRefresh::everyView_followsOrderAndSwitches()
{
    QFETCH(int, order);
    QFETCH(bool, hidePrivate);
    QFETCH(bool, showFinished);
    QFETCH(bool, countNotes);
    QFETCH(QDate, weekStart);

    NotesCollection notes = loadedNotes();
    const NotesViews views = RefreshNotes(notes, options(NotesSortOrder(order), {hidePrivate, showFinished}, countNotes, weekStart));

    QStringList list;
    for (const NoteRow &row : views.rows) {
        QCOMPARE(notes[row.position].Text, row.note);
        QCOMPARE(notes[row.position].ID, row.position);
        list.append(row.note);
    }
    QTEST(list, "list");
    QStringList upcoming;
    for (const UpcomingEvent &event : views.upcoming)
        upcoming.append(event.note);
    QTEST(upcoming, "upcoming");
    QTEST(dayTexts(views.week, 3), "firstThreeDays");
    const QString counters = views.counters ? QStringLiteral("%1/%2/%3/%4")
                                                  .arg(views.counters->highest)
                                                  .arg(views.counters->increased)
                                                  .arg(views.counters->normal)
                                                  .arg(views.counters->finished)
                                            : QString();
    QTEST(counters, "counters");
    QStringList alarms;
    for (const AlarmEntry &alarm : views.alarms) {
        QCOMPARE(notes[alarm.name.toInt()], alarm.note);
        alarms.append(alarm.name);
    }
    QTEST(alarms, "alarms");
}

void TestNotesRefresh::waitingAlert_keptUnderItsNewPosition()
{
    // "Call Ann" fell due at 17:00; at 17:00:05 no check has taken it yet when the list is sorted anew.
    NotesCollection notes = loadedNotes();
    NotesRefreshOptions o = options(NotesSortOrder::ByPriority, {}, true, QDate());
    o.waitingAlarms = alarmEntries(notes, 1, DateTime::fromQDateTime(kNow));
    o.now = DateTime::fromQDateTime(QDateTime(kNow.date(), QTime(17, 0, 5)));
    const NotesViews views = RefreshNotes(notes, o);
    QCOMPARE(views.alarms.size(), 2);
    QCOMPARE(views.alarms[1].name, QStringLiteral("3"));
    QCOMPARE(views.alarms[1].note.Text, QStringLiteral("Call Ann"));

    // Once a check has taken it, the same refresh does not bring it back.
    notes = loadedNotes();
    o.alarmsCheckedUpTo = o.now;
    o.waitingAlarms.removeFirst(); // taken: only "Pay rent" still waits
    QCOMPARE(RefreshNotes(notes, o).alarms.size(), 1);
}

QTEST_GUILESS_MAIN(TestNotesRefresh)
#include "tst_notesrefresh.moc"
