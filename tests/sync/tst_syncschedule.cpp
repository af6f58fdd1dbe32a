#include "sync/SyncSchedule.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Scripts of events at seconds from a start; each row checks when the next sync is due after them.
class TestSyncSchedule : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nextDue_data();
    void nextDue();
};

void TestSyncSchedule::nextDue_data()
{
    // Events "second:what"; what is start, change, request, begin, ok, fail, interval=N.
    // due: seconds after the start, -1 none.
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<qint64>("due");
    QTest::newRow("at start") << QStringList{u"0:start"_s} << qint64(0);
    QTest::newRow("after a success, the interval")
        << QStringList{u"0:start"_s, u"0:begin"_s, u"2:ok"_s} << qint64(2 + 15 * 60);
    QTest::newRow("interval off") << QStringList{u"0:interval=0"_s, u"0:start"_s, u"0:begin"_s, u"2:ok"_s}
                                  << qint64(-1);
    QTest::newRow("a change waits a few seconds")
        << QStringList{u"0:start"_s, u"0:begin"_s, u"1:ok"_s, u"100:change"_s} << qint64(105);
    QTest::newRow("a burst of changes: one sync after the first")
        << QStringList{u"0:start"_s, u"0:begin"_s, u"1:ok"_s, u"100:change"_s, u"102:change"_s, u"104:change"_s}
        << qint64(105);
    QTest::newRow("a change while syncing: again after it")
        << QStringList{u"0:start"_s, u"0:begin"_s, u"1:change"_s, u"3:ok"_s} << qint64(8);
    QTest::newRow("nothing due while running") << QStringList{u"0:start"_s, u"0:begin"_s, u"1:request"_s} << qint64(-1);
    QTest::newRow("a request while syncing: at once after it")
        << QStringList{u"0:start"_s, u"0:begin"_s, u"1:request"_s, u"3:ok"_s} << qint64(3);
    QTest::newRow("first failure: half a minute")
        << QStringList{u"0:start"_s, u"0:begin"_s, u"10:fail"_s} << qint64(40);
    QTest::newRow("failures back off") << QStringList{u"0:start"_s, u"0:begin"_s,  u"0:fail"_s, u"30:begin"_s,
                                                      u"30:fail"_s, u"90:begin"_s, u"90:fail"_s}
                                       << qint64(90 + 120);
    QTest::newRow("back-off stops at an hour")
        << QStringList{u"0:begin"_s, u"0:fail"_s, u"0:begin"_s, u"0:fail"_s, u"0:begin"_s, u"0:fail"_s,
                       u"0:begin"_s, u"0:fail"_s, u"0:begin"_s, u"0:fail"_s, u"0:begin"_s, u"0:fail"_s,
                       u"0:begin"_s, u"0:fail"_s, u"0:begin"_s, u"0:fail"_s}
        << qint64(3600);
    QTest::newRow("changes wait for the retry") << QStringList{u"0:begin"_s, u"0:fail"_s, u"1:change"_s} << qint64(30);
    QTest::newRow("a request does not wait") << QStringList{u"0:begin"_s, u"0:fail"_s, u"1:request"_s} << qint64(1);
    QTest::newRow("success ends the back-off")
        << QStringList{u"0:begin"_s, u"0:fail"_s, u"30:begin"_s, u"31:ok"_s, u"40:change"_s} << qint64(45);
    QTest::newRow("a new interval counts from now")
        << QStringList{u"0:begin"_s, u"0:ok"_s, u"60:interval=5"_s} << qint64(60 + 300);
}

void TestSyncSchedule::nextDue()
{
    QFETCH(QStringList, events);
    QFETCH(qint64, due);
    const QDateTime start(QDate(2026, 3, 1), QTime(9, 0), Qt::UTC);
    SyncSchedule schedule;
    for (const QString &event : events) {
        const qsizetype colon = event.indexOf(u':');
        const QDateTime at = start.addSecs(event.left(colon).toLongLong());
        const QString what = event.mid(colon + 1);
        if (what == u"start")
            schedule.programStarted(at);
        else if (what == u"change")
            schedule.notesChanged(at);
        else if (what == u"request")
            schedule.requested(at);
        else if (what == u"begin")
            schedule.syncBegan();
        else if (what == u"ok" || what == u"fail")
            schedule.syncEnded(what == u"ok", at);
        else if (what.startsWith(u"interval="))
            schedule.setInterval(what.mid(9).toInt(), at);
        else
            QFAIL(qPrintable(what));
    }
    const std::optional<QDateTime> next = schedule.nextDue();
    QCOMPARE(next ? start.secsTo(*next) : qint64(-1), due);
}

QTEST_GUILESS_MAIN(TestSyncSchedule)
#include "tst_syncschedule.moc"
