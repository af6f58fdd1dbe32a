#include "FolderContents.h"

#include "core/FileIo.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

const QString kPassPhrase = QStringLiteral("Gr\u00FC\u00DFe, \u017C\u00F3\u0142w");

bool isStrong(const QString &path)
{
    QByteArray stored;
    return FileIo::readFile(path, &stored) && stored.startsWith("MRV");
}

} // namespace

// A kill at any moment of converting a folder (or of writing it back in the old form) leaves
// a folder that opens with the same pass phrase and holds every note.
class TestConversion final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void killedDuringConversion_folderStillOpens()
    {
        const int kills = qEnvironmentVariableIntValue("MAREVO_CRASH_KILLS") > 0
                              ? qEnvironmentVariableIntValue("MAREVO_CRASH_KILLS")
                              : 40;
        const FolderContents contents = FolderContents::large(300);
        QRandomGenerator random(20261210);
        QTemporaryDir dir;
        QSet<QString> statesSeen;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("CONVERSION_PASS_PHRASE"), kPassPhrase);

        for (int kill = 0; kill < kills; ++kill) {
            QProcess loop;
            loop.setProcessEnvironment(environment);
            loop.start(QStringLiteral(MAREVO_CONVERSION_LOOP), {dir.path()});
            QVERIFY(loop.waitForStarted());
            QVERIFY2(loop.waitForReadyRead(30000), loop.readAllStandardError().constData());
            QTest::qSleep(static_cast<int>(random.bounded(0, 120)));
            ::kill(static_cast<pid_t>(loop.processId()), SIGKILL);
            QVERIFY(loop.waitForFinished());
            QVERIFY2(loop.exitStatus() == QProcess::CrashExit, loop.readAllStandardError().constData());

            DataFolder folder(dir.path() + QLatin1Char('/'));
            QCOMPARE(folder.unlock(kPassPhrase).verdict, Protection::Verdict::Correct);
            QString why;
            QVERIFY2(contents.isIn(folder, QDateTime::currentDateTime(), &why),
                     qPrintable(QStringLiteral("after kill %1: %2").arg(kill).arg(why)));
            QString state;
            for (DataFolder::File file : {DataFolder::File::Password, DataFolder::File::Notes,
                                          DataFolder::File::Notepad, DataFolder::File::Expenditures})
                state += isStrong(folder.path(file)) ? QLatin1Char('S') : QLatin1Char('o');
            statesSeen.insert(state);
        }
        // The kills fell at different moments: all old, all strong and files of both forms at once.
        if (kills >= 20)
            QVERIFY2(statesSeen.size() >= 3, qPrintable(QStringList(statesSeen.values()).join(u' ')));
    }
};

QTEST_GUILESS_MAIN(TestConversion)
#include "tst_conversion.moc"
