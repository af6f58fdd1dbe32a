#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

class TestSingleInstance final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void secondStart_sameFolder_asksTheFirstToShow_data();
    void secondStart_sameFolder_asksTheFirstToShow();
    void otherFolder_runsIndependently();
    void lockFile_isPrivateWhateverTheUmask();
};

void TestSingleInstance::secondStart_sameFolder_asksTheFirstToShow_data()
{
    QTest::addColumn<QString>("secondPath");
    QTest::newRow("same path") << QStringLiteral("data/");
    QTest::newRow("through a symbolic link") << QStringLiteral("link/");
    QTest::newRow("through a linked parent") << QStringLiteral("parent-link/data/");
}

void TestSingleInstance::secondStart_sameFolder_asksTheFirstToShow()
{
    QFETCH(QString, secondPath);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("data")));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("data")), dir.filePath(QStringLiteral("link"))));
    QVERIFY(QFile::link(dir.path(), dir.filePath(QStringLiteral("parent-link"))));
    SingleInstance first(dir.filePath(QStringLiteral("data/")));
    QVERIFY(first.acquire());
    first.listen();
    QSignalSpy shown(&first, &SingleInstance::showRequested);

    SingleInstance second(dir.filePath(secondPath));
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

void TestSingleInstance::lockFile_isPrivateWhateverTheUmask()
{
    QTemporaryDir dir;
    const mode_t previous = ::umask(0);
    SingleInstance instance(dir.path() + QLatin1Char('/'));
    const bool acquired = instance.acquire();
    ::umask(previous);
    QVERIFY(acquired);
    // Owner, group and others as stored.
    QCOMPARE(int(QFile::permissions(dir.filePath(QStringLiteral(".marevo-notes.lock"))) & 0x7077), 0x6000);
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
