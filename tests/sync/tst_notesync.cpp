#include "RadicaleServer.h"

#include "notes/NoteIdentity.h"
#include "sync/DavClient.h"
#include "sync/DavMultistatus.h"
#include "sync/NoteSync.h"

#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

namespace {

// One organiser: its notes and its sync state.
struct Side
{
    NotesCollection notes;
    SyncState state;
};

TNotesData note(const QString &text, const QString &uid = {})
{
    TNotesData made;
    made.Text = text;
    made.Importance = 3;
    made.Deadline = DateTime::kNoDeadline;
    made.uid = uid.isEmpty() ? NoteIdentity::newUid() : uid;
    return made;
}

SyncAccount account(const RadicaleServer &server, const QString &password = RadicaleServer::password())
{
    return {server.calendar(), RadicaleServer::user(), password, server.calendar(), {}};
}

// Runs one sync to its end and applies it; `meanwhile` edits the notes before the outcome is applied, as a
// user typing during the sync would.
SyncOutcome sync(Side &side, const SyncAccount &who, const std::function<void(NotesCollection &)> &meanwhile = {},
                 const std::function<void(NoteSync &, int)> &onProgress = {})
{
    NoteSync syncer;
    SyncOutcome outcome;
    QEventLoop loop;
    QObject::connect(&syncer, &NoteSync::finished, &loop, [&](const SyncOutcome &result) {
        outcome = result;
        loop.quit();
    });
    if (onProgress)
        QObject::connect(&syncer, &NoteSync::progress, &loop, [&](int done, int) { onProgress(syncer, done); });
    syncer.start(who, side.notes, side.state);
    loop.exec();
    if (meanwhile)
        meanwhile(side.notes);
    applySyncOutcome(side.notes, side.state, outcome);
    return outcome;
}

TNotesData *byUid(NotesCollection &notes, const QString &uid)
{
    for (TNotesData &found : notes) {
        if (found.uid == uid)
            return &found;
    }
    return nullptr;
}

// "text a Here; finish a; delete b": what a user does to notes by UID.
void edit(NotesCollection &notes, const QString &script)
{
    for (const QString &step : script.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList words = step.trimmed().split(QLatin1Char(' '));
        TNotesData *target = byUid(notes, words[1]);
        QVERIFY2(target, qPrintable(step));
        if (words[0] == QLatin1String("text"))
            target->Text = words[2];
        else if (words[0] == QLatin1String("finish"))
            target->Progress = 100;
        else if (words[0] == QLatin1String("delete"))
            notes.removeAt(target - notes.data());
    }
}

void onServer(const RadicaleServer &server, const QString &script)
{
    for (const QString &step : script.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        server.client(step.trimmed().split(QLatin1Char(' ')));
}

// First lines, sorted; "+" marks a finished note.
QString shown(const NotesCollection &notes)
{
    QStringList lines;
    for (const TNotesData &each : notes)
        lines.append(each.Text.section(QLatin1Char('\r'), 0, 0) +
                     (each.Progress >= 100 ? QLatin1String("+") : QString()));
    lines.sort();
    return lines.join(QLatin1Char(','));
}

// The server's tasks: summary, "+" when completed, "/x" per EXDATE and "/o" per override.
QString shown(const RadicaleServer &server)
{
    QStringList lines;
    for (const QString &line : server.client({QStringLiteral("dump")}).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList f = line.split(QLatin1Char('|'));
        lines.append(f[1] + (f[2] == QLatin1String("COMPLETED") ? QLatin1String("+") : QString()) +
                     QString(QStringLiteral("/x")).repeated(f[3].toInt()) +
                     QString(QStringLiteral("/o")).repeated(f[4].toInt()));
    }
    lines.sort();
    return lines.join(QLatin1Char(','));
}

} // namespace

class TestNoteSync : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bothSides_data()
    {
        QTest::addColumn<QString>("serverBefore");
        QTest::addColumn<QString>("here");
        QTest::addColumn<QString>("there");
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QString>("expectHere");
        QTest::addColumn<QString>("expectThere");
        const auto row = [](const char *name, const char *serverBefore, const char *here, const char *there,
                            const char *meanwhile, const QString &expectHere, const QString &expectThere) {
            QTest::newRow(name) << QString::fromUtf8(serverBefore) << QString::fromUtf8(here)
                                << QString::fromUtf8(there) << QString::fromUtf8(meanwhile) << expectHere
                                << expectThere;
        };
        const auto both = [](const char *notes) { return QString::fromUtf8(notes); };
        const QString conflict = QStringLiteral("B,C,%1There,Here").arg(QLatin1String(kConflictPrefix));
        // clang-format off
        row("edit here",                "", "text a A2", "",                  "", both("A2,B,C"), both("A2,B,C"));
        row("edit there",               "", "",          "edit a SUMMARY A3", "", both("A3,B,C"), both("A3,B,C"));
        row("new there",                "", "",          "add n New",         "", both("A,B,C,New"), both("A,B,C,New"));
        row("both, other fields",       "", "finish a",  "edit a PRIORITY 1", "", both("A+,B,C"), both("A+,B,C"));
        row("both, same field",         "", "text a Here", "edit a SUMMARY There", "", conflict, conflict);
        row("delete here",              "", "delete b",  "",                  "", both("A,C"), both("A,C"));
        row("delete there",             "", "",          "delete b",          "", both("A,C"), both("A,C"));
        row("delete here, edit there",  "", "delete b",  "edit b SUMMARY B2", "", both("A,B2,C"), both("A,B2,C"));
        row("edit here, delete there",  "", "text b B3", "delete b",          "", both("A,B3,C"), both("A,B3,C"));
        row("edited during the sync",   "", "",          "edit a SUMMARY A4", "text a A5", both("A5,B,C"), both("A5,B,C"));
        row("occurrences finished and deleted", "add r Rep daily",
            "finish r-R20300102T090000Z; delete r-R20300103T090000Z", "", "", both("A,B,C,Rep,Rep+"),
            both("A,B,C,Rep/x/o"));
        // clang-format on
    }

    void bothSides()
    {
        QFETCH(QString, serverBefore);
        QFETCH(QString, here);
        QFETCH(QString, there);
        QFETCH(QString, meanwhile);
        RadicaleServer server(RadicaleServer::Password, false);
        QVERIFY(server.start());
        QVERIFY(server.createCalendar());
        onServer(server, serverBefore);
        Side side{{note(QStringLiteral("A"), QStringLiteral("a")), note(QStringLiteral("B"), QStringLiteral("b")),
                   note(QStringLiteral("C"), QStringLiteral("c"))},
                  {}};
        QVERIFY(sync(side, account(server)).inStep);

        edit(side.notes, here);
        onServer(server, there);
        const SyncOutcome outcome =
            sync(side, account(server), [&](NotesCollection &notes) { edit(notes, meanwhile); });
        QVERIFY2(outcome.ok, qPrintable(outcome.message));
        // Whatever was left for later goes now, and then both sides are in step.
        QVERIFY(sync(side, account(server)).ok);
        const SyncOutcome last = sync(side, account(server));
        QVERIFY(last.inStep);
        QCOMPARE(last.sent + last.received, 0);
        QTEST(shown(side.notes), "expectHere");
        QTEST(shown(server), "expectThere");
    }

    void failures_data()
    {
        QTest::addColumn<bool>("tls");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("calendar");
        QTest::addColumn<bool>("stopped");
        QTest::addColumn<QString>("message");
        QTest::newRow("wrong password") << false << "wrong"
                                        << "" << false << "refused the user name or password";
        QTest::newRow("untrusted certificate") << true << "secret"
                                               << "" << false << "is not trusted";
        QTest::newRow("server stopped") << false << "secret"
                                        << "" << true << "could not be reached";
        QTest::newRow("calendar vanished") << false << "secret"
                                           << "/alice/gone/" << false << "no longer on the server";
    }

    void failures()
    {
        QFETCH(bool, tls);
        QFETCH(QString, password);
        QFETCH(QString, calendar);
        QFETCH(bool, stopped);
        RadicaleServer server(RadicaleServer::Password, tls);
        QVERIFY(server.start());
        SyncAccount who = account(server, password);
        if (!calendar.isEmpty())
            who.calendar.setPath(calendar);
        if (stopped)
            server.stop();
        Side side{{note(QStringLiteral("kept"))}, {}};
        const SyncOutcome outcome = sync(side, who);
        QVERIFY(!outcome.ok);
        QFETCH(QString, message);
        QVERIFY2(outcome.message.contains(message), qPrintable(outcome.message));
        QCOMPARE(side.notes.size(), 1);
        QCOMPARE(side.state.failures, 1);
        QVERIFY(retryDelaySeconds(side.state) > 0);
        if (tls) {
            // The user accepts the certificate shown: from then on it is trusted.
            QCOMPARE(outcome.untrustedCertificateSha256, server.certificateSha256());
            who.trustedCertificateSha256 = outcome.untrustedCertificateSha256;
            QVERIFY(server.createCalendar(who.trustedCertificateSha256));
            QVERIFY(sync(side, who).inStep);
            QCOMPARE(shown(server), QStringLiteral("kept"));
        }
    }

    void interruptedThenConverges()
    {
        RadicaleServer server(RadicaleServer::NoAuth, false);
        QVERIFY(server.start());
        QVERIFY(server.createCalendar());
        Side side;
        for (int i = 0; i < 120; ++i)
            side.notes.append(note(QStringLiteral("Note %1").arg(i, 3, 10, QLatin1Char('0'))));
        const SyncOutcome broken = sync(side, account(server), {}, [&](NoteSync &, int done) {
            if (done == 30)
                server.stop();
        });
        QVERIFY(!broken.ok);
        QVERIFY(server.start());
        QVERIFY(sync(side, account(server)).ok);
        QVERIFY(sync(side, account(server)).inStep);
        QCOMPARE(side.notes.size(), 120);
        QCOMPARE(shown(server), shown(side.notes));
    }

    void twoFoldersConverge()
    {
        RadicaleServer server(RadicaleServer::NoAuth, false);
        QVERIFY(server.start());
        QVERIFY(server.createCalendar());
        Side first;
        Side second;
        for (int i = 0; i < 40; ++i)
            first.notes.append(note(QStringLiteral("Task %1").arg(i, 2, 10, QLatin1Char('0'))));
        QVERIFY(sync(first, account(server)).inStep);
        QVERIFY(sync(second, account(server)).inStep);
        QCOMPARE(shown(second.notes), shown(first.notes));
        first.notes[3].Text = QStringLiteral("Changed on the first");
        second.notes.removeAt(7);
        second.notes[10].Progress = 100;
        second.notes.append(note(QStringLiteral("Added on the second")));
        for (Side *side : {&first, &second, &first, &second})
            QVERIFY(sync(*side, account(server)).ok);
        QCOMPARE(shown(second.notes), shown(first.notes));
        QCOMPARE(first.notes.size(), 40);
        QCOMPARE(shown(server), shown(first.notes));
    }

    void stateFileRoundTrip()
    {
        SyncState state{QStringLiteral("https://example.org/cal/"), QStringLiteral("token <&>"), {}, {}, {}, 2};
        state.items.append({QStringLiteral("/cal/a%20b.ics"),
                            "\"e1\"",
                            QStringLiteral("a b"),
                            "BEGIN:VCALENDAR\n",
                            {QStringLiteral("a b"), QStringLiteral("a b-R1")},
                            "0123abcd"});
        SyncState read;
        QVERIFY(SyncStateFile::parse(SyncStateFile::data(state), &read));
        QCOMPARE(SyncStateFile::data(read), SyncStateFile::data(state));
        QCOMPARE(read.items[0].noteUids, state.items[0].noteUids);
    }

    void multistatus_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("responses"); // -1: refused
        const QByteArray ok = "<d:multistatus xmlns:d='DAV:'><d:response><d:href>/c/a.ics</d:href><d:propstat>"
                              "<d:prop><d:getetag>\"1\"</d:getetag></d:prop><d:status>HTTP/1.1 200 OK</d:status>"
                              "</d:propstat></d:response><d:sync-token>t</d:sync-token></d:multistatus>";
        QTest::newRow("well-formed") << ok << 1;
        QTest::newRow("truncated") << ok.left(90) << -1;
        QTest::newRow("not xml") << QByteArray("<html>Welcome</html>") << -1;
        QTest::newRow("entity expansion") << QByteArray("<!DOCTYPE m [<!ENTITY a 'aaaa'>]><d:multistatus "
                                                        "xmlns:d='DAV:'>&a;</d:multistatus>")
                                          << -1;
        QTest::newRow("deep nesting") << "<d:multistatus xmlns:d='DAV:'>" + QByteArray("<x>").repeated(5000) << -1;
    }

    void multistatus()
    {
        QFETCH(QByteArray, body);
        const DavMultistatus parsed = parseMultistatus(body);
        QTEST(parsed.ok ? int(parsed.responses.size()) : -1, "responses");
    }

    void hostileServer_data()
    {
        QTest::addColumn<QByteArray>("answer"); // empty: never answers
        QTest::addColumn<int>("failure");
        QTest::newRow("redirect elsewhere")
            << QByteArray("HTTP/1.1 301 Moved\r\nLocation: http://127.0.0.2:9/x\r\nContent-Length: 0\r\n\r\n")
            << int(DavReply::Failure::Redirect);
        QTest::newRow("endless body") << "HTTP/1.1 207 Multi\r\nContent-Length: 99999999\r\n\r\n" +
                                             QByteArray(70000, 'x')
                                      << int(DavReply::Failure::TooLarge);
        QTest::newRow("silent") << QByteArray() << int(DavReply::Failure::Timeout);
    }

    void hostileServer()
    {
        QFETCH(QByteArray, answer);
        QTcpServer listener;
        QVERIFY(listener.listen(QHostAddress::LocalHost));
        QByteArray request;
        connect(&listener, &QTcpServer::newConnection, this, [&] {
            QTcpSocket *socket = listener.nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [&, socket] {
                request += socket->readAll();
                if (request.contains("\r\n\r\n") && !answer.isEmpty())
                    socket->write(answer);
            });
        });
        const QUrl url(QStringLiteral("http://127.0.0.1:%1/cal/").arg(listener.serverPort()));
        DavClient client;
        client.setAccount({url, QStringLiteral("u"), QStringLiteral("p"), url, {}});
        client.setTimeouts(3000, 500);
        client.setMaxBodySize(64 * 1024);
        DavReply got;
        QEventLoop loop;
        client.propfind(url, 1, "<x/>", [&](const DavReply &reply) {
            got = reply;
            loop.quit();
        });
        loop.exec();
        QTEST(int(got.failure), "failure");
        QVERIFY(got.body.isEmpty());
        QVERIFY(request.contains("Authorization: Basic"));
    }
};

QTEST_GUILESS_MAIN(TestNoteSync)
#include "tst_notesync.moc"
