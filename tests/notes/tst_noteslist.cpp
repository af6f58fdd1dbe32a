#include "notes/NoteIcons.h"
#include "notes/NotesList.h"

#include <QRandomGenerator>
#include <QTest>

#include <limits>

namespace {

const TDateTime kNow = DateTime::encode(2026, 12, 9, 10, 0);
const double kHour = 1.0 / 24;
const double kSecond = 1.0 / 86400;

TNotesData note(const QString &text, quint8 importance = 3, quint8 progress = 0, bool isPrivate = false,
                TDateTime deadline = DateTime::kNoDeadline, const QString &location = {})
{
    TNotesData n;
    n.Text = text;
    n.Importance = importance;
    n.Progress = progress;
    n.PrivateMsg = isPrivate;
    n.Deadline = deadline;
    n.Location = location;
    return n;
}

} // namespace

class TestNotesList final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void daysLeft_data();
    void daysLeft();
    void rows_showTextPercentAndIcon_data();
    void rows_showTextPercentAndIcon();
    void rows_followTheSwitches();
    void emptyCollection_noRowsZeroCounters();
    void selectedItem_mapsRowsPastHiddenNotes_data();
    void selectedItem_mapsRowsPastHiddenNotes();
    void selectedItem_agreesWithRowsOnRandomNotes();
    void counters_countHiddenNotesAndFinishedOnce();
    void hyperlink_data();
    void hyperlink();
    void details_ofNoteWithDeadline();
    void details_ofNoteWithoutDeadline();
    void balloonHeader_data();
    void balloonHeader();
    void balloonIcon_onlyForKnownImportance();
};

void TestNotesList::daysLeft_data()
{
    QTest::addColumn<double>("deadline");
    QTest::addColumn<QString>("expected");
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("no deadline") << -1.0 << QStringLiteral("-");
    QTest::newRow("23 hours ahead") << kNow + 23 * kHour << QStringLiteral("0d");
    QTest::newRow("20 hours ahead") << kNow + 20 * kHour << QStringLiteral("0d");
    QTest::newRow("exactly now") << kNow << QStringLiteral("0d");
    QTest::newRow("1 second ago") << kNow - kSecond << QStringLiteral("expired");
    QTest::newRow("3 days and an hour") << kNow + 3 + kHour << QStringLiteral("3d");
    QTest::newRow("exactly 2 days") << DateTime::encode(2026, 12, 11, 10, 0) << QStringLiteral("2d");
    QTest::newRow("a second short of 2 days") << DateTime::encode(2026, 12, 11, 9, 59, 59) << QStringLiteral("1d");
    QTest::newRow("long past") << 0.0 << QStringLiteral("expired");
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << QStringLiteral("-");
    QTest::newRow("+inf") << inf << QStringLiteral("-");
    QTest::newRow("-inf") << -inf << QStringLiteral("expired");
}

void TestNotesList::daysLeft()
{
    QFETCH(double, deadline);
    QFETCH(QString, expected);
    QCOMPARE(daysLeftText(deadline, kNow), expected);
}

void TestNotesList::rows_showTextPercentAndIcon_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("importance");
    QTest::addColumn<int>("progress");
    QTest::addColumn<QString>("noteColumn");
    QTest::addColumn<QString>("percentColumn");
    QTest::addColumn<int>("icon");
    QTest::newRow("CR LF gives two spaces") << QStringLiteral("one\r\ntwo") << 3 << 40 << QStringLiteral("one  two")
                                            << QStringLiteral("40%") << NoteIcons::Normal;
    QTest::newRow("lone LF and CR") << QStringLiteral("a\nb\rc") << 1 << 0 << QStringLiteral("a b c")
                                    << QStringLiteral("0%") << NoteIcons::Highest;
    QTest::newRow("increased") << QStringLiteral("x") << 2 << 99 << QStringLiteral("x") << QStringLiteral("99%")
                               << NoteIcons::Increased;
    QTest::newRow("finished replaces importance")
        << QStringLiteral("x") << 1 << 100 << QStringLiteral("x") << QStringLiteral("100%") << NoteIcons::Finished;
    QTest::newRow("unknown importance, no icon")
        << QStringLiteral("x") << 7 << 10 << QStringLiteral("x") << QStringLiteral("10%") << NoteIcons::None;
    QTest::newRow("unknown importance, finished")
        << QStringLiteral("x") << 0 << 100 << QStringLiteral("x") << QStringLiteral("100%") << NoteIcons::Finished;
}

void TestNotesList::rows_showTextPercentAndIcon()
{
    QFETCH(QString, text);
    QFETCH(int, importance);
    QFETCH(int, progress);
    QFETCH(QString, noteColumn);
    QFETCH(QString, percentColumn);
    QFETCH(int, icon);
    const NotesCollection notes{note(text, quint8(importance), quint8(progress), false, kNow + 3.5)};
    const QList<NoteRow> rows = notesListRows(notes, NotesFilter{}, kNow);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].note, noteColumn);
    QCOMPARE(rows[0].percent, percentColumn);
    QCOMPARE(rows[0].left, QStringLiteral("3d"));
    QCOMPARE(rows[0].icon, icon);
}

void TestNotesList::rows_followTheSwitches()
{
    const NotesCollection notes{note(QStringLiteral("A")), note(QStringLiteral("P"), 3, 0, true),
                                note(QStringLiteral("F"), 3, 100), note(QStringLiteral("B"))};
    const QList<NoteRow> rows = notesListRows(notes, NotesFilter{true, false}, kNow);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[0].note, QStringLiteral("A"));
    QCOMPARE(rows[1].note, QStringLiteral("B"));
    QCOMPARE(rows[1].position, 3);
    QCOMPARE(notesListRows(notes, NotesFilter{}, kNow).size(), 4);
}

void TestNotesList::emptyCollection_noRowsZeroCounters()
{
    QVERIFY(notesListRows({}, NotesFilter{}, kNow).isEmpty());
    QCOMPARE(countNotes({}), NoteCounters{});
    QCOMPARE(SelectedItem({}, NotesFilter{}, 0), 0);
}

void TestNotesList::selectedItem_mapsRowsPastHiddenNotes_data()
{
    QTest::addColumn<bool>("hidePrivate");
    QTest::addColumn<bool>("showFinished");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("position");
    // Collection: 0 A, 1 P(private), 2 F(finished), 3 B, 4 PF(private, finished), 5 C
    QTest::newRow("nothing selected") << true << false << -1 << -1;
    QTest::newRow("all shown: row is position") << false << true << 4 << 4;
    QTest::newRow("private hidden, row 1") << true << true << 1 << 2;
    QTest::newRow("private hidden, row 3") << true << true << 3 << 5;
    QTest::newRow("finished hidden, row 2") << false << false << 2 << 3;
    QTest::newRow("both hidden, third row") << true << false << 2 << 5;
    QTest::newRow("both hidden, first row") << true << false << 0 << 0;
    QTest::newRow("row past the end") << true << false << 3 << 6;
    QTest::newRow("all shown, row past the end") << false << true << 9 << 6;
}

void TestNotesList::selectedItem_mapsRowsPastHiddenNotes()
{
    QFETCH(bool, hidePrivate);
    QFETCH(bool, showFinished);
    QFETCH(int, row);
    QFETCH(int, position);
    const NotesCollection notes{
        note(QStringLiteral("A")), note(QStringLiteral("P"), 3, 0, true),    note(QStringLiteral("F"), 3, 100),
        note(QStringLiteral("B")), note(QStringLiteral("PF"), 3, 100, true), note(QStringLiteral("C"))};
    QCOMPARE(SelectedItem(notes, NotesFilter{hidePrivate, showFinished}, row), qsizetype(position));
}

void TestNotesList::selectedItem_agreesWithRowsOnRandomNotes()
{
    QRandomGenerator random(7u);
    static const quint8 kProgress[] = {0, 50, 100, 120, 255};
    for (int round = 0; round < 200; ++round) {
        NotesCollection notes;
        for (int i = random.bounded(25); i > 0; --i)
            notes.append(note(QStringLiteral("n"), 3, kProgress[random.bounded(5)], random.bounded(2) == 1));
        const NotesFilter filter{random.bounded(2) == 1, random.bounded(2) == 1};
        const QList<NoteRow> rows = notesListRows(notes, filter, kNow);
        for (qsizetype r = 0; r < rows.size(); ++r)
            QCOMPARE(SelectedItem(notes, filter, r), rows[r].position);
        QCOMPARE(SelectedItem(notes, filter, rows.size()), notes.size());
    }
}

void TestNotesList::counters_countHiddenNotesAndFinishedOnce()
{
    const NotesCollection notes{note(QStringLiteral("private highest"), 1, 0, true),
                                note(QStringLiteral("finished highest"), 1, 100),
                                note(QStringLiteral("increased"), 2, 99),
                                note(QStringLiteral("normal"), 3, 0),
                                note(QStringLiteral("normal 2"), 3, 150),
                                note(QStringLiteral("odd importance"), 0, 0),
                                note(QStringLiteral("finished odd"), 9, 100)};
    const NoteCounters counters = countNotes(notes);
    QCOMPARE(counters.highest, 1);
    QCOMPARE(counters.increased, 1);
    QCOMPARE(counters.normal, 2);
    QCOMPARE(counters.finished, 2);
}

void TestNotesList::hyperlink_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("link");
    QTest::newRow("https up to a space") << QStringLiteral("see https://example.org/a/b now")
                                         << QStringLiteral("https://example.org/a/b");
    QTest::newRow("starts at the first http word")
        << QStringLiteral("the http protocol: https://example.org") << QStringLiteral("http");
    QTest::newRow("runs to the end") << QStringLiteral("http://x.y/z") << QStringLiteral("http://x.y/z");
    QTest::newRow("CR ends it, LF does not") << QStringLiteral("http://a\nb\tc\rd") << QStringLiteral("http://a\nb\tc");
    QTest::newRow("upper case does not count") << QStringLiteral("HTTP://example.org") << QString();
    QTest::newRow("no scheme") << QStringLiteral("just http and www.example.org") << QString();
}

void TestNotesList::hyperlink()
{
    QFETCH(QString, text);
    QFETCH(QString, link);
    QCOMPARE(findHyperlink(text), link);
    const NoteDetails details = noteDetails(note(text), LocaleFormats::fixedForTesting());
    QCOMPARE(details.linkAvailable, !link.isEmpty());
    QCOMPARE(details.hyperlink, link.isEmpty() ? QStringLiteral("no hyperlink available") : link);
}

void TestNotesList::details_ofNoteWithDeadline()
{
    const TNotesData n = note(QStringLiteral("line 1\r\nline 2"), 1, 40, false, DateTime::encode(2026, 12, 24, 18, 5),
                              QStringLiteral("Home"));
    const NoteDetails details = noteDetails(n, LocaleFormats::fixedForTesting());
    QCOMPARE(details.date, QStringLiteral("24.12.2026  18:05:00"));
    QCOMPARE(details.progress, 40);
    QCOMPARE(details.location, QStringLiteral("Home"));
    QCOMPARE(details.text, QStringLiteral("line 1\r\nline 2"));
}

void TestNotesList::details_ofNoteWithoutDeadline()
{
    const NoteDetails details = noteDetails(note(QStringLiteral("x")), LocaleFormats::fixedForTesting());
    QCOMPARE(details.date, QStringLiteral("n/a"));
    QCOMPARE(details.location, QStringLiteral("n/a"));
}

void TestNotesList::balloonHeader_data()
{
    QTest::addColumn<double>("deadline");
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("header");
    const double deadline = DateTime::encode(2026, 3, 1, 7, 30, 15);
    QTest::newRow("date and location") << deadline << QStringLiteral("Office")
                                       << QStringLiteral("Date: 01.03.2026 [07:30:15] Location: Office");
    QTest::newRow("date only") << deadline << QString() << QStringLiteral("Date: 01.03.2026 [07:30:15]");
    QTest::newRow("location only") << -1.0 << QStringLiteral("Office") << QStringLiteral("Location: Office");
    QTest::newRow("neither") << -1.0 << QString() << QStringLiteral("Info");
}

void TestNotesList::balloonHeader()
{
    QFETCH(double, deadline);
    QFETCH(QString, location);
    QFETCH(QString, header);
    const TNotesData n = note(QStringLiteral("x"), 3, 0, false, deadline, location);
    QCOMPARE(::balloonHeader(n, LocaleFormats::fixedForTesting()), header);
}

void TestNotesList::balloonIcon_onlyForKnownImportance()
{
    QCOMPARE(balloonIcon(note(QStringLiteral("x"), 1)), NoteIcons::Highest);
    QCOMPARE(balloonIcon(note(QStringLiteral("x"), 2, 100)), NoteIcons::Increased);
    QCOMPARE(balloonIcon(note(QStringLiteral("x"), 3)), NoteIcons::Normal);
    QCOMPARE(balloonIcon(note(QStringLiteral("x"), 4)), -1);
}

QTEST_GUILESS_MAIN(TestNotesList)
#include "tst_noteslist.moc"
