#include "SaveLoopStates.h"

#include "core/FileIo.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class TestCrashSafety final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void statesReadBack_data();
    void statesReadBack();
    void killedDuringSave_leavesWholeFiles_data();
    void killedDuringSave_leavesWholeFiles();
};

// The checks below are only as good as the state readers: each must tell the states apart.
void TestCrashSafety::statesReadBack_data()
{
    QTest::addColumn<int>("file");
    for (int i = 0; i < SaveLoop::files().size(); ++i)
        QTest::newRow(qPrintable(SaveLoop::files()[i].name)) << i;
}

void TestCrashSafety::statesReadBack()
{
    QFETCH(int, file);
    const SaveLoop::File f = SaveLoop::files()[file];
    QCOMPARE(f.stateOf(f.write(0)), 0);
    QCOMPARE(f.stateOf(f.write(1)), 1);
    QCOMPARE(f.stateOf(f.write(1).left(f.write(1).size() / 2)), -1);
}

void TestCrashSafety::killedDuringSave_leavesWholeFiles_data()
{
    QTest::addColumn<bool>("enciphered");
    QTest::newRow("plain") << false;
    QTest::newRow("enciphered") << true;
}

void TestCrashSafety::killedDuringSave_leavesWholeFiles()
{
    QFETCH(bool, enciphered);
    const int kills = qEnvironmentVariableIntValue("MAREVO_CRASH_KILLS") > 0
                          ? qEnvironmentVariableIntValue("MAREVO_CRASH_KILLS")
                          : 40;
    const PassPhraseCodec codec(SaveLoop::passPhrase());
    QTemporaryDir dir;
    QRandomGenerator random(20261209 + (enciphered ? 1 : 0));
    int statesSeen = 0;
    QStringList arguments{dir.path()};
    if (enciphered)
        arguments << QStringLiteral("--enciphered");

    for (int kill = 0; kill < kills; ++kill) {
        QProcess loop;
        loop.start(QStringLiteral(MAREVO_SAVE_LOOP), arguments);
        QVERIFY(loop.waitForStarted());
        QVERIFY2(loop.waitForReadyRead(30000), loop.readAllStandardError().constData());
        QTest::qSleep(static_cast<int>(random.bounded(0, 80)));
        ::kill(static_cast<pid_t>(loop.processId()), SIGKILL);
        QVERIFY(loop.waitForFinished());
        // Ended by the kill, not by a failed load or save of its own.
        QVERIFY2(loop.exitStatus() == QProcess::CrashExit, loop.readAllStandardError().constData());

        for (const SaveLoop::File &file : SaveLoop::files()) {
            QByteArray stored;
            QVERIFY(FileIo::readFile(dir.filePath(file.name), &stored));
            QByteArray plain = stored;
            if (enciphered && file.enciphered) {
                QVERIFY2(!stored.startsWith("<?xml") && !stored.contains("state "), qPrintable(file.name));
                QVERIFY2(codec.decode(stored, &plain), qPrintable(file.name));
            }
            const int state = file.stateOf(plain);
            QVERIFY2(state == 0 || state == 1, qPrintable(QStringLiteral("%1 after kill %2").arg(file.name).arg(kill)));
            statesSeen |= 1 << state;
        }
        // Temporary files of killed saves may remain beside the data; with protection on,
        // they hold enciphered bytes only, as the plain form never touches the disk.
        const QStringList names = QDir(dir.path()).entryList(QDir::Files);
        for (const QString &name : names) {
            if (!enciphered || name.startsWith(QLatin1String("settings.xml")))
                continue;
            QByteArray stored;
            QVERIFY(FileIo::readFile(dir.filePath(name), &stored));
            QVERIFY2(!stored.contains("state ") && !stored.contains("<?xml"), qPrintable(name));
        }
    }
    if (kills >= 20)
        QCOMPARE(statesSeen, 3);
}

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
