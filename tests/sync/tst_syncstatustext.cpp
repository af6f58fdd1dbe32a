#include "sync/SyncStatusText.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestSyncStatusText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void text_data();
    void text();
};

void TestSyncStatusText::text_data()
{
    QTest::addColumn<QDateTime>("lastSuccess"); // local time
    QTest::addColumn<QString>("lastError");
    QTest::addColumn<int>("done"); // -1: not running
    QTest::addColumn<int>("total");
    QTest::addColumn<QString>("text");
    const QDateTime morning(QDate(2026, 3, 2), QTime(8, 5));
    const QDateTime yesterday(QDate(2026, 3, 1), QTime(23, 59));
    QTest::newRow("never set up") << QDateTime() << QString() << -1 << 0 << QString();
    QTest::newRow("synced today") << morning << QString() << -1 << 0 << u"Synced at 08:05"_s;
    QTest::newRow("synced yesterday") << yesterday << QString() << -1 << 0 << u"Synced at 23:59 01-03-2026"_s;
    QTest::newRow("failed after a success")
        << morning << u"The server dav.example.org could not be reached."_s << -1 << 0
        << u"Sync failed: The server dav.example.org could not be reached. Last synced at 08:05."_s;
    QTest::newRow("failed from the first")
        << QDateTime() << u"Wrong password."_s << -1 << 0 << u"Sync failed: Wrong password. Never synced."_s;
    QTest::newRow("a short sync") << morning << QString() << 3 << 10 << u"Syncing..."_s;
    QTest::newRow("a sync of many") << morning << u"old failure"_s << 120 << 1000 << u"Syncing: 120 of 1000"_s;
    QTest::newRow("counted before any came") << QDateTime() << QString() << 0 << 50 << u"Syncing: 0 of 50"_s;
}

void TestSyncStatusText::text()
{
    QFETCH(QDateTime, lastSuccess);
    QFETCH(QString, lastError);
    QFETCH(int, done);
    QFETCH(int, total);
    QFETCH(QString, text);
    SyncState state;
    state.lastSuccess = lastSuccess.toUTC();
    state.lastError = lastError;
    const SyncStatusText::Progress progress{done >= 0, std::max(done, 0), total};
    QCOMPARE(SyncStatusText::text(state, progress, QDateTime(QDate(2026, 3, 2), QTime(12, 0))), text);
}

QTEST_GUILESS_MAIN(TestSyncStatusText)
#include "tst_syncstatustext.moc"
