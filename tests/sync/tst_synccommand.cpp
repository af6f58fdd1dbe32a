#include "RadicaleServer.h"

#include "core/KeyValueXmlFile.h"
#include "notes/NoteIdentity.h"
#include "settings/Settings.h"
#include "storage/DataFolder.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

int runSync(const QString &dataDir, QByteArray *err = nullptr)
{
    QProcess process;
    process.start(QStringLiteral(MAREVO_EXECUTABLE), {QStringLiteral("--data-dir"), dataDir, QStringLiteral("--sync")});
    if (!process.waitForFinished(120000))
        return -1;
    if (err)
        *err = process.readAllStandardError();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace

class TestSyncCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The organiser killed at any moment of a sync: the next one converges, without duplicates or losses.
    void killedThenConverges_data()
    {
        QTest::addColumn<int>("killAfterItems"); // stored on the server; -1: not killed
        QTest::newRow("in step at once") << -1;
        QTest::newRow("killed while sending") << 25;
    }

    void killedThenConverges()
    {
        QFETCH(int, killAfterItems);
        RadicaleServer server(RadicaleServer::NoAuth, false);
        QVERIFY(server.start());
        QVERIFY(server.createCalendar());
        QTemporaryDir dir;
        DataFolder folder(dir.path() + QLatin1Char('/'));
        NotesCollection notes;
        for (int i = 0; i < 200; ++i) {
            TNotesData note;
            note.Text = QStringLiteral("Note %1").arg(i);
            note.Deadline = DateTime::kNoDeadline;
            notes.append(note);
        }
        NoteIdentity::assignMissing(notes);
        QVERIFY(folder.saveNotes(notes));
        Settings settings;
        settings.SyncServer = server.calendar().resolved(QUrl(QStringLiteral("/"))).toString();
        settings.SyncCalendar = server.calendar().toString();
        TKeyValueXmlFile store;
        QVERIFY(folder.saveSettings(store, settings));

        if (killAfterItems >= 0) {
            QProcess process;
            process.start(QStringLiteral(MAREVO_EXECUTABLE),
                          {QStringLiteral("--data-dir"), dir.path(), QStringLiteral("--sync")});
            QTRY_VERIFY_WITH_TIMEOUT(server.storedItems() >= killAfterItems, 60000);
            process.kill(); // SIGKILL
            process.waitForFinished();
        }
        QByteArray err;
        QCOMPARE(runSync(dir.path(), &err), 0);
        QCOMPARE(runSync(dir.path(), &err), 0);
        QCOMPARE(server.storedItems(), 200);
        NotesCollection loaded;
        QCOMPARE(folder.loadNotes(&loaded, QDateTime::currentDateTime()).outcome, DataFolder::Outcome::Loaded);
        QCOMPARE(loaded.size(), 200);
    }

    void failsWithReason_data()
    {
        QTest::addColumn<bool>("setUp");
        QTest::addColumn<QString>("reason");
        QTest::newRow("not set up") << false << "Sync is not set up";
        QTest::newRow("server down") << true << "could not be reached";
    }

    void failsWithReason()
    {
        QFETCH(bool, setUp);
        QTemporaryDir dir;
        DataFolder folder(dir.path() + QLatin1Char('/'));
        Settings settings;
        if (setUp) {
            settings.SyncServer = QStringLiteral("http://127.0.0.1:9/");
            settings.SyncCalendar = QStringLiteral("http://127.0.0.1:9/alice/tasks/");
        }
        TKeyValueXmlFile store;
        QVERIFY(folder.saveSettings(store, settings));
        QByteArray err;
        QCOMPARE(runSync(dir.path(), &err), 1);
        QFETCH(QString, reason);
        QVERIFY2(err.contains(reason.toUtf8()), err.constData());
    }
};

QTEST_GUILESS_MAIN(TestSyncCommand)
#include "tst_synccommand.moc"
