#include "app/SingleInstance.h"

#include <QSignalSpy>
#include <QTimer>
#include <QTemporaryDir>
#include <QTest>

class TestSingleInstance final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void secondStart_sameFolder_asksTheFirstToShow();
    void otherFolder_runsIndependently();
};

void TestSingleInstance::secondStart_sameFolder_asksTheFirstToShow()
{
    QTemporaryDir dir;
    const QString appDir = dir.path() + QLatin1Char('/');
    SingleInstance first(appDir);
    QVERIFY(first.acquire());
    first.listen();
    QSignalSpy shown(&first, &SingleInstance::showRequested);

    SingleInstance second(appDir);
    QVERIFY(!second.acquire());
    // The request is answered by the first one's event loop; send it from a helper thread's view.
    QTimer::singleShot(0, &second, [&second] { QVERIFY(second.notifyRunning()); });
    QTRY_COMPARE(shown.count(), 1);
}

void TestSingleInstance::otherFolder_runsIndependently()
{
    QTemporaryDir one;
    QTemporaryDir two;
    SingleInstance first(one.path() + QLatin1Char('/'));
    SingleInstance second(two.path() + QLatin1Char('/'));
    QVERIFY(first.acquire());
    QVERIFY(second.acquire());
    SingleInstance none(two.path() + QLatin1Char('/'));
    QVERIFY(!none.notifyRunning()); // nobody listens for that folder
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
