#include "ical/IcsImport.h"

#include <QFile>
#include <QTest>

namespace {

const TDateTime kNow = DateTime::encode(2026, 3, 14, 9, 30);

QByteArray fixture(const QString &name)
{
    QFile file(QStringLiteral(MAREVO_TEST_DATA "/ical/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A note on one line: uid, local deadline, importance, progress, private, location, text.
QString line(const TNotesData &note)
{
    const QString deadline =
        note.Deadline == DateTime::kNoDeadline
            ? QStringLiteral("none")
            : DateTime::toQDate(note.Deadline).toString(Qt::ISODate) + QLatin1Char(' ') +
                  QTime::fromMSecsSinceStartOfDay(
                      int(qRound64((note.Deadline - DateTime::dateOf(note.Deadline)) * DateTime::kMsPerDay)))
                      .toString(QStringLiteral("hh:mm"));
    return QStringList{note.uid,
                       deadline,
                       QString::number(note.Importance),
                       QString::number(note.Progress),
                       note.PrivateMsg ? QStringLiteral("private") : QStringLiteral("-"),
                       note.Location,
                       QString(note.Text).replace(QLatin1String("\r\n"), QLatin1String("/"))}
        .join(QLatin1Char('|'));
}

} // namespace

class TestIcsImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Files in the shapes other programs write; times are read in TZ=Europe/Warsaw.
    void files_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("skipped");
        QTest::addColumn<QStringList>("first"); // the first notes, in file order
        QTest::addColumn<QString>("last");
        QTest::newRow("rfc5545.ics")
            << QStringLiteral("rfc5545.ics") << 6 << QString()
            << QStringList{QStringLiteral("uid4@example.com|1998-04-15 00:00|3|0|-||Submit Income Taxes"),
                           QStringLiteral("20070313T123432Z-456553@example.com|2007-05-01 00:00|3|0|private||Submit "
                                          "Quebec Income Tax Return for 2006"),
                           QStringLiteral("20070514T103211Z-123404@example.com|2007-07-09 15:00|1|100|-||Submit "
                                          "Revised Internet-Draft"),
                           QStringLiteral("19970901T130000Z-123403@example.com|2026-11-02 15:00|3|0|-|Conference Room "
                                          "- F123, Bldg. 002|Weekly meeting"),
                           QStringLiteral("19970901T130000Z-123403@example.com-R20261109T140000Z|2026-11-09 "
                                          "15:00|3|0|-|Conference Room - F123, Bldg. 002|Weekly meeting"),
                           QStringLiteral("19970901T130000Z-123403@example.com-R20261116T140000Z|2026-11-16 "
                                          "15:00|3|0|-|Conference Room - F123, Bldg. 002|Weekly meeting")}
            << QStringLiteral("19970901T130000Z-123403@example.com-R20261116T140000Z|2026-11-16 15:00|3|0|-|Conference "
                              "Room - F123, Bldg. 002|Weekly meeting");
        QTest::newRow("thunderbird.ics")
            << QStringLiteral("thunderbird.ics") << 2 << QString()
            << QStringList{QStringLiteral("5f0a3c1e-8f3b-4d0e-9b1a-2c4d6e8f0a1b|2026-03-27 17:00|1|40|private|Town "
                                          "hall|Renew passport/Bring two photos, the old passport and the form./Ask "
                                          "about the fee for express."),
                           QStringLiteral("7b1e2d3c-0000-4000-8000-000000000001|none|3|100|-||Water the plants")}
            << QStringLiteral("7b1e2d3c-0000-4000-8000-000000000001|none|3|100|-||Water the plants");
        QTest::newRow("tasksorg.ics")
            << QStringLiteral("tasksorg.ics") << 4 << QString()
            << QStringList{QStringLiteral("1234567890|2028-02-29 00:00|2|0|-||Leap day party"),
                           QStringLiteral("1234567890-R20320228T230000Z|2032-02-29 00:00|2|0|-||Leap day party"),
                           QStringLiteral("1234567890-R20360228T230000Z|2036-02-29 00:00|2|0|-||Leap day party"),
                           QStringLiteral("1234567891|2028-02-28 17:00|3|0|-||Buy balloons")}
            << QStringLiteral("1234567891|2028-02-28 17:00|3|0|-||Buy balloons");
        QTest::newRow("google.ics")
            << QStringLiteral("google.ics") << 6 << QString()
            << QStringList{QStringLiteral("abc123@google.com|2026-03-02 16:00|3|0|-||Stand-up across the ocean"),
                           QStringLiteral(
                               "abc123@google.com-R20260309T140000Z|2026-03-09 15:00|3|0|-||Stand-up across the ocean"),
                           QStringLiteral(
                               "abc123@google.com-R20260323T140000Z|2026-03-23 17:00|3|0|-||Stand-up moved to noon"),
                           QStringLiteral(
                               "abc123@google.com-R20260330T140000Z|2026-03-30 16:00|3|0|-||Stand-up across the ocean"),
                           QStringLiteral("allday@google.com|2026-03-29 00:00|3|0|-||Clocks go forward"),
                           QStringLiteral("utc@google.com|2026-10-25 02:30|3|0|private||In the hour that comes twice")}
            << QStringLiteral("utc@google.com|2026-10-25 02:30|3|0|private||In the hour that comes twice");
        QTest::newRow("floating.ics")
            << QStringLiteral("floating.ics") << 374 << QString()
            << QStringList{QStringLiteral("floating-1|2026-03-29 02:30|3|0|-||Floating in the gap"),
                           QStringLiteral("daily-1|2026-03-10 08:00|3|0|-||Every day without end"),
                           QStringLiteral("daily-1-R20260311T070000Z|2026-03-11 08:00|3|0|-||Every day without end"),
                           QStringLiteral("daily-1-R20260312T070000Z|2026-03-12 08:00|3|0|-||Every day without end"),
                           QStringLiteral("daily-1-R20260313T070000Z|2026-03-13 08:00|3|0|-||Every day without end"),
                           QStringLiteral("daily-1-R20260314T070000Z|2026-03-14 08:00|3|0|-||Every day without end")}
            << QStringLiteral("rdate-1-R20260405T090000Z|2026-04-05 11:00|3|0|-||Three given days");
        QTest::newRow("broken.ics") << QStringLiteral("broken.ics") << 1
                                    << QStringLiteral(
                                           "3 item(s) of the calendar file were skipped: 1 with an unreadable DUE, 1 "
                                           "with an unreadable EXDATE, 1 with an unreadable RRULE.")
                                    << QStringList{QStringLiteral("good|2026-04-01 12:00|3|0|-||Sound item")}
                                    << QStringLiteral("good|2026-04-01 12:00|3|0|-||Sound item");
    }

    void files()
    {
        QFETCH(QString, file);
        QFETCH(int, count);
        QFETCH(QString, skipped);
        QFETCH(QStringList, first);
        QFETCH(QString, last);
        const IcsImport::Result result = IcsImport::parse(fixture(file), kNow);
        QVERIFY(result.isCalendar);
        QStringList lines;
        for (const TNotesData &note : result.notes)
            lines.append(line(note));
        if (qEnvironmentVariableIsSet("ICS_DUMP"))
            qInfo().noquote() << lines.join(QLatin1Char('\n')) << IcsImport::skippedMessage(result);
        QCOMPARE(IcsImport::skippedMessage(result), skipped);
        QCOMPARE(result.notes.size(), count);
        QCOMPARE(lines.mid(0, first.size()), first);
        QCOMPARE(lines.last(), last);
    }

    void notCalendar_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("letter") << fixture(QStringLiteral("letter.txt"));
        QTest::newRow("vcard") << fixture(QStringLiteral("contact.vcf"));
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11);
    }

    void notCalendar()
    {
        QFETCH(QByteArray, data);
        const IcsImport::Result result = IcsImport::parse(data, kNow);
        QVERIFY(!result.isCalendar);
        QVERIFY(result.notes.isEmpty());
    }

    // A UID present updates that note in place, keeping its extra state; others are added.
    void mergeUpdatesByUid()
    {
        NotesCollection notes(2);
        notes[0].uid = QStringLiteral("kept");
        notes[1].uid = QStringLiteral("uid4@example.com");
        notes[1].Text = QStringLiteral("old text");
        notes[1].extra.insert(QStringLiteral("SnoozedUntil"), QStringLiteral("1"));
        const IcsImport::Result result = IcsImport::parse(fixture(QStringLiteral("rfc5545.ics")), kNow);
        QCOMPARE(IcsImport::countNew(notes, result.notes), result.notes.size() - 1);
        const IcsImport::Merged merged = IcsImport::merge(notes, result.notes);
        QCOMPARE(merged.updated, 1);
        QCOMPARE(merged.added, result.notes.size() - 1);
        QCOMPARE(notes[1].Text, QStringLiteral("Submit Income Taxes"));
        QCOMPARE(notes[1].extra.value(QStringLiteral("SnoozedUntil")), QStringLiteral("1"));
        QCOMPARE(notes[0].uid, QStringLiteral("kept"));
    }
};

QTEST_GUILESS_MAIN(TestIcsImport)
#include "tst_icsimport.moc"
