#include "ical/IcsExport.h"
#include "ical/IcsImport.h"
#include "notes/NoteIdentity.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

const TDateTime kNow = DateTime::encode(2026, 3, 14, 9, 30);

// Notes of every shape a user makes: several lines, text beyond Latin-1, private, finished,
// without deadline, deadlines around the daylight-saving changes and on 29 February.
NotesCollection generatedNotes(int count, quint32 seed)
{
    QRandomGenerator random(seed);
    const QString texts[] = {QStringLiteral("Dentist"),
                             QStringLiteral("Call Ann\r\nabout the car\r\n\r\n  and the keys"),
                             QStringLiteral("Zażółć gęślą jaźń — 東京 🎉"),
                             QStringLiteral("a;b,c\\d \"quoted\""),
                             QStringLiteral("Blanks  inside\ta line"),
                             QString()};
    const QString locations[] = {QString(), QStringLiteral("Room 12, 2nd floor"),
                                 QStringLiteral("https://example.org/a?b=c;d"), QStringLiteral("Łódź")};
    const TDateTime deadlines[] = {DateTime::kNoDeadline, DateTime::encode(2026, 3, 29, 2, 30),
                                   DateTime::encode(2026, 10, 25, 2, 30), DateTime::encode(2028, 2, 29, 0, 0),
                                   DateTime::encode(2026, 12, 31, 23, 59)};
    NotesCollection notes;
    for (int i = 0; i < count; ++i) {
        TNotesData note;
        note.Importance = quint8(1 + random.bounded(3));
        note.Progress = quint8(i % 4 == 0 ? 100 : random.bounded(100));
        note.PrivateMsg = random.bounded(2) == 1;
        note.Deadline = i < 5 ? deadlines[i]
                              : DateTime::encode(2026, 1 + random.bounded(12), 1 + random.bounded(28),
                                                 random.bounded(24), random.bounded(60));
        note.Text = texts[i % 6] + (i >= 6 ? QString::number(i) : QString());
        note.Location = locations[i % 4];
        note.ID = i;
        notes.append(note);
    }
    NoteIdentity::assignMissing(notes);
    return notes;
}

} // namespace

class TestIcsRoundTrip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data()
    {
        QTest::addColumn<bool>("alerts");
        QTest::newRow("plain") << false;
        QTest::newRow("withAlarms") << true;
    }

    // Exported and imported into an empty collection, every field comes back.
    void roundTrip()
    {
        QFETCH(bool, alerts);
        const NotesCollection notes = generatedNotes(60, 7);
        const QByteArray file = IcsExport::exportNotes(notes, {kNow, alerts, 2});
        const IcsImport::Result read = IcsImport::parse(file, kNow);
        QVERIFY(read.isCalendar);
        QCOMPARE(read.skipReasons, (QMap<QString, int>()));
        QCOMPARE(read.skipped, 0);
        NotesCollection imported;
        QCOMPARE(IcsImport::merge(imported, read.notes).added, notes.size());
        renumberNotes(imported);
        for (qsizetype i = 0; i < notes.size(); ++i) {
            QCOMPARE(imported[i].uid, notes[i].uid);
            QCOMPARE(imported[i].Text, notes[i].Text);
            QCOMPARE(imported[i].Deadline, notes[i].Deadline);
            QCOMPARE(imported[i], notes[i]);
        }
        // Imported again, the same file updates every note and adds none.
        const IcsImport::Merged again = IcsImport::merge(imported, read.notes);
        QCOMPARE(again.added, 0);
        QCOMPARE(again.updated, notes.size());
    }

    // An independent reader sees the fields calendar programs use.
    void readByPythonIcalendar()
    {
        NotesCollection notes = generatedNotes(5, 1);
        const QByteArray file = IcsExport::exportNotes(notes, {kNow, true, 3});
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.ics"));
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file);
        out.close();
        const QString script = QStringLiteral(R"(
import sys, icalendar
cal = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read())
tz = [c for c in cal.walk('VTIMEZONE')]
print('TZ', tz[0]['TZID'] if tz else '-')
for t in cal.walk('VTODO'):
    due = t.get('DUE')
    alarm = [a for a in t.walk('VALARM')]
    print('|'.join([str(t['UID']), str(t['SUMMARY']), repr(str(t.get('DESCRIPTION', ''))),
                    due.dt.strftime('%Y-%m-%d %H:%M %Z') if due else '-',
                    str(t['PRIORITY']), str(t['PERCENT-COMPLETE']), str(t['STATUS']), 'C' if 'COMPLETED' in t else '-',
                    str(t.get('CLASS', '-')), str(t.get('LOCATION', '-')), str(t.get('URL', '-')),
                    str(alarm[0]['TRIGGER'].dt) if alarm else '-']))
)");
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, path});
        QVERIFY(python.waitForFinished(30000));
        QCOMPARE(python.readAllStandardError(), QByteArray());
        const QStringList lines =
            QString::fromUtf8(python.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines[0], QStringLiteral("TZ Europe/Warsaw"));
        const QString u = notes[0].uid, v = notes[1].uid, w = notes[2].uid, x = notes[3].uid;
        const auto fields = [&](int i) { return lines[i + 1].split(QLatin1Char('|')); };
        // No deadline: no DUE and no alarm; finished: COMPLETED with its time.
        QCOMPARE(fields(0), (QStringList{u, QStringLiteral("Dentist"), QStringLiteral("'Dentist'"), QStringLiteral("-"),
                                         QString::number(1 + 4 * (notes[0].Importance - 1)), QStringLiteral("100"),
                                         QStringLiteral("COMPLETED"), QStringLiteral("C"),
                                         notes[0].PrivateMsg ? QStringLiteral("PRIVATE") : QStringLiteral("-"),
                                         QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("-")}));
        // Several lines: the first is the summary, the whole text the description.
        QCOMPARE(fields(1).mid(0, 4),
                 (QStringList{v, QStringLiteral("Call Ann"),
                              QStringLiteral("'Call Ann\\nabout the car\\n\\n  and the keys'"),
                              QStringLiteral("2026-03-29 02:30 CET")})); // inside the gap: as written
        QCOMPARE(fields(1).at(9), QStringLiteral("Room 12, 2nd floor"));
        QCOMPARE(fields(1).at(11), QStringLiteral("-1 day, 21:00:00")); // three hours before
        QCOMPARE(fields(2).mid(0, 2), (QStringList{w, QStringLiteral("Zażółć gęślą jaźń — 東京 🎉")}));
        QVERIFY(fields(2).at(3).startsWith(QStringLiteral("2026-10-25 02:30 CE"))); // the hour that comes twice
        QCOMPARE(fields(2).at(10), QStringLiteral("https://example.org/a?b=c;d"));  // a link goes to URL
        QCOMPARE(fields(3).at(3), QStringLiteral("2028-02-29 00:00 CET"));
        QCOMPARE(fields(3).at(0), x);
    }
};

QTEST_GUILESS_MAIN(TestIcsRoundTrip)
#include "tst_icsroundtrip.moc"
