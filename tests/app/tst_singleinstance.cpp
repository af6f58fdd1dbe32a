#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
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
    void commandLine_actsOnTheRunningOrganiser_data();
    void commandLine_actsOnTheRunningOrganiser();
    void commandLine_withNoOrganiserRunning_fails();
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

void TestSingleInstance::commandLine_actsOnTheRunningOrganiser_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("shows");
    QTest::addColumn<int>("addsNote");
    QTest::addColumn<int>("popsUpToday");
    QTest::newRow("--show") << QStringLiteral("--show") << 1 << 0 << 0;
    QTest::newRow("--add-note") << QStringLiteral("--add-note") << 0 << 1 << 0;
    QTest::newRow("--today-popup") << QStringLiteral("--today-popup") << 0 << 0 << 1;
}

void TestSingleInstance::commandLine_actsOnTheRunningOrganiser()
{
    QFETCH(QString, option);
    QFETCH(int, shows);
    QFETCH(int, addsNote);
    QFETCH(int, popsUpToday);
    QTemporaryDir dir;
    SingleInstance running(dir.path() + QLatin1Char('/'));
    QVERIFY(running.acquire());
    running.listen();
    QSignalSpy shown(&running, &SingleInstance::showRequested);
    QSignalSpy added(&running, &SingleInstance::addNoteRequested);
    QSignalSpy popped(&running, &SingleInstance::todayPopupRequested);

    QProcess command;
    command.start(QStringLiteral(MAREVO_EXECUTABLE), {QStringLiteral("--data-dir"), dir.path(), option});
    QTRY_COMPARE(command.state(), QProcess::NotRunning);
    QCOMPARE(command.exitCode(), 0);
    QTRY_COMPARE(shown.count() + added.count() + popped.count(), 1);
    QCOMPARE(shown.count(), shows);
    QCOMPARE(added.count(), addsNote);
    QCOMPARE(popped.count(), popsUpToday);
}

void TestSingleInstance::commandLine_withNoOrganiserRunning_fails()
{
    QTemporaryDir dir;
    QProcess command;
    command.start(QStringLiteral(MAREVO_EXECUTABLE), {QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--add-note")});
    QVERIFY(command.waitForFinished(20000));
    QCOMPARE(command.exitCode(), 1);
    QVERIFY(command.readAllStandardError().startsWith("Marevo Notes is not running for the data folder"));
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
