#include "core/FileIo.h"
#include "notes/NotesFile.h"

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
    void killedDuringSave_leavesAWholeFile();
};

void TestCrashSafety::killedDuringSave_leavesAWholeFile()
{
    const int kills = qEnvironmentVariableIntValue("MAREVO_CRASH_KILLS") > 0
                          ? qEnvironmentVariableIntValue("MAREVO_CRASH_KILLS")
                          : 40;
    QTemporaryDir dir;
    QRandomGenerator random(20261209);
    int bothStatesSeen = 0;
    for (int kill = 0; kill < kills; ++kill) {
        QProcess loop;
        loop.start(QStringLiteral(MAREVO_SAVE_LOOP), {dir.path()});
        QVERIFY(loop.waitForStarted());
        QVERIFY(loop.waitForReadyRead(10000));
        QTest::qSleep(static_cast<int>(random.bounded(1, 40)));
        ::kill(static_cast<pid_t>(loop.processId()), SIGKILL);
        QVERIFY(loop.waitForFinished());

        QByteArray data;
        QVERIFY(FileIo::readFile(dir.filePath(QStringLiteral("data.txt")), &data));
        TKeyValueXmlFile store;
        NotesCollection notes;
        const IoResult parsed = NotesFile::parseNotes(data, store, &notes);
        QVERIFY2(parsed, qPrintable(parsed.error));
        QCOMPARE(notes.size(), 400);
        const int progress = notes[0].Progress;
        QVERIFY(progress == 0 || progress == 50);
        for (const TNotesData &note : notes)
            QCOMPARE(int(note.Progress), progress);
        bothStatesSeen |= progress == 0 ? 1 : 2;

        QByteArray notepad;
        QVERIFY(FileIo::readFile(dir.filePath(QStringLiteral("notepad.txt")), &notepad));
        QVERIFY(notepad == "state 0\r\n" || notepad == "state 1\r\n");
    }
    // Temporary files of killed saves may remain; they never replace the data.
    QVERIFY(QDir(dir.path()).entryList({QStringLiteral("data.txt")}, QDir::Files).size() == 1);
    if (kills >= 20)
        QCOMPARE(bothStatesSeen, 3);
}

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
