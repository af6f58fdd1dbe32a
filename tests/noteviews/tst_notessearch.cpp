#include "noteviews/NotesViews.h"

#include <QRandomGenerator>
#include <QTest>

#include <utility>

namespace {

// Letters with the fold a reader expects, written out by hand.
const std::pair<const char16_t *, const char *> kAlphabet[] = {
    {u"a", "a"}, {u"B", "b"}, {u"k", "k"}, {u"Ż", "z"}, {u"ó", "o"}, {u"ł", "l"}, {u"Ć", "c"},  {u"é", "e"},
    {u"ß", "ss"}, {u"Æ", "ae"}, {u"ü", "u"}, {u"S", "s"}, {u"E", "e"}, {u" ", " "}, {u"\r\n", "\n"}, {u"\n", "\n"}};

struct Generated
{
    QString text;
    QString folded; // the oracle's fold
};

Generated generate(QRandomGenerator &random, int length)
{
    Generated g;
    for (int i = 0; i < length; ++i) {
        const auto &[letter, fold] = kAlphabet[random.bounded(int(std::size(kAlphabet)))];
        g.text += QString::fromUtf16(letter);
        g.folded += QString::fromLatin1(fold);
    }
    return g;
}

struct Oracle
{
    QString text;
    QString location;
};

bool oracleMatches(const Oracle &note, const QStringList &words)
{
    for (const QString &word : words)
        if (!note.text.contains(word) && !note.location.contains(word))
            return false;
    return true;
}

NotesCollection generateNotes(QRandomGenerator &random, TDateTime now, QList<Oracle> *oracle)
{
    NotesCollection notes;
    for (int i = 0; i < 300; ++i) {
        const Generated text = generate(random, random.bounded(1, 30));
        const Generated location = generate(random, random.bounded(0, 6));
        TNotesData note;
        note.Importance = quint8(random.bounded(1, 4));
        note.Progress = random.bounded(4) == 0 ? 100 : quint8(random.bounded(100));
        note.PrivateMsg = random.bounded(3) == 0;
        note.Deadline = random.bounded(2) ? now + random.bounded(1, 5) : DateTime::kNoDeadline;
        note.Text = text.text;
        note.Location = location.text;
        notes.append(note);
        oracle->append({text.folded, location.folded});
    }
    return notes;
}

// Every view as text, to compare two refreshes whole.
QStringList describe(const NotesViews &views)
{
    QStringList lines;
    for (const NoteRow &row : views.rows)
        lines << QStringLiteral("row %1 %2 %3 %4 %5").arg(row.position).arg(row.icon).arg(row.note, row.percent, row.left);
    for (const UpcomingEvent &event : views.upcoming)
        lines << QStringLiteral("event %1 %2 %3 %4").arg(event.position).arg(event.icon).arg(event.note, event.left);
    for (const DayList &day : views.week) {
        lines << QStringLiteral("day %1 %2 %3").arg(day.date.toString()).arg(day.header.value_or(QStringLiteral("-"))).arg(day.headerIcon);
        for (const DayRow &row : day.rows)
            lines << QStringLiteral("  %1 %2 %3 %4").arg(row.position).arg(row.icon).arg(row.text, row.id);
    }
    if (views.counters)
        lines << QStringLiteral("counters %1 %2 %3 %4")
                     .arg(views.counters->highest)
                     .arg(views.counters->increased)
                     .arg(views.counters->normal)
                     .arg(views.counters->finished);
    lines << QStringLiteral("alarms %1").arg(views.alarms.size());
    return lines;
}

} // namespace

class TestNotesSearch final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refresh_listsWhatAPlainSearchFinds_data();
    void refresh_listsWhatAPlainSearchFinds();
    void narrowing_givesWhatTheWholeRefreshGives_data();
    void narrowing_givesWhatTheWholeRefreshGives();
    void fits_onlyTheSameNotesAndOptions();
};

void TestNotesSearch::refresh_listsWhatAPlainSearchFinds_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<bool>("hidePrivate");
    QTest::addColumn<bool>("showFinished");
    for (quint32 seed = 1; seed <= 3; ++seed)
        for (bool hidePrivate : {false, true})
            for (bool showFinished : {true, false})
                QTest::addRow("seed %u private %s finished %s", seed, hidePrivate ? "hidden" : "shown",
                              showFinished ? "shown" : "hidden")
                    << seed << hidePrivate << showFinished;
}

void TestNotesSearch::refresh_listsWhatAPlainSearchFinds()
{
    QFETCH(quint32, seed);
    QFETCH(bool, hidePrivate);
    QFETCH(bool, showFinished);
    QRandomGenerator random(seed);
    const TDateTime now = DateTime::fromQDateTime(QDateTime(QDate(2026, 12, 9), QTime(12, 0)));

    QList<Oracle> oracle;
    const NotesCollection notes = generateNotes(random, now, &oracle);

    for (int round = 0; round < 40; ++round) {
        // Words cut from the notes themselves, so that many searches find something; now and then one
        // typed in capitals.
        QStringList typed;
        QStringList words;
        for (int w = random.bounded(1, 3); w > 0; --w) {
            const Generated word = generate(random, random.bounded(1, 4));
            const QString folded = word.folded.simplified();
            if (folded.contains(QLatin1Char(' ')) || folded.isEmpty())
                continue;
            typed.append(round % 5 == 0 ? word.text.toUpper() : word.text);
            words.append(folded);
        }
        const NotesFilter filter(hidePrivate, showFinished, SearchQuery(typed.join(QLatin1Char(' '))));

        NotesRefreshOptions options;
        options.now = now;
        options.filter = filter;
        options.formats = LocaleFormats::fixedForTesting();
        NotesCollection refreshed = notes;
        const NotesViews views = RefreshNotes(refreshed, options);

        QList<qsizetype> expected;
        NoteCounters counters;
        for (qsizetype i = 0; i < notes.size(); ++i) {
            const TNotesData &note = notes[i];
            if (!oracleMatches(oracle[i], words))
                continue;
            if (note.Progress == 100)
                ++counters.finished;
            else
                ++(note.Importance == 1 ? counters.highest : note.Importance == 2 ? counters.increased : counters.normal);
            if ((hidePrivate && note.PrivateMsg) || (!showFinished && note.Progress == 100))
                continue;
            expected.append(i);
        }
        QList<qsizetype> listed;
        for (const NoteRow &row : views.rows)
            listed.append(row.position);
        QCOMPARE(listed, expected);
        QCOMPARE(views.counters, counters);
        for (const UpcomingEvent &event : views.upcoming)
            QVERIFY(expected.contains(event.position));
        for (const DayList &day : views.week)
            for (const DayRow &row : day.rows)
                QVERIFY(expected.contains(row.position));
    }
}

void TestNotesSearch::narrowing_givesWhatTheWholeRefreshGives_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<bool>("hidePrivate");
    QTest::addColumn<bool>("showFinished");
    QTest::addColumn<bool>("count");
    QTest::newRow("all shown") << 4u << false << true << true;
    QTest::newRow("private hidden") << 5u << true << true << true;
    QTest::newRow("finished hidden, not counted") << 6u << false << false << false;
}

// Typed a letter at a time, with a word now and then erased, the filter-only path gives at each step what
// the whole refresh gives.
void TestNotesSearch::narrowing_givesWhatTheWholeRefreshGives()
{
    QFETCH(quint32, seed);
    QFETCH(bool, hidePrivate);
    QFETCH(bool, showFinished);
    QFETCH(bool, count);
    QRandomGenerator random(seed);
    const TDateTime now = DateTime::fromQDateTime(QDateTime(QDate(2026, 12, 9), QTime(12, 0)));
    QList<Oracle> oracle;
    NotesCollection notes = generateNotes(random, now, &oracle);

    NotesRefreshOptions options;
    options.now = now;
    options.sortOrder = NotesSortOrder::ByDaysLeft;
    options.filter = NotesFilter(hidePrivate, showFinished);
    options.countNotes = count;
    options.formats = LocaleFormats::fixedForTesting();
    SearchableViews kept;
    RefreshNotes(notes, options, &kept);

    QString typed;
    for (int step = 0; step < 60; ++step) {
        if (step % 12 == 11)
            typed.chop(typed.size() - typed.lastIndexOf(QLatin1Char(' ')) - 1);
        else
            typed += step % 5 == 4 ? QStringLiteral(" ") : generate(random, 1).text;
        options.filter.search = SearchQuery(typed);
        QVERIFY2(kept.fits(notes, options), qPrintable(typed));
        NotesCollection refreshed = notes;
        QCOMPARE(describe(kept.narrowed(options.filter.search)), describe(RefreshNotes(refreshed, options)));
    }
}

void TestNotesSearch::fits_onlyTheSameNotesAndOptions()
{
    const TDateTime now = DateTime::fromQDateTime(QDateTime(QDate(2026, 12, 9), QTime(12, 0, 10)));
    NotesCollection notes(3);
    NotesRefreshOptions options;
    options.now = now;
    SearchableViews kept;
    QVERIFY(!kept.fits(notes, options));
    RefreshNotes(notes, options, &kept);
    QVERIFY(kept.fits(notes, options));

    NotesRefreshOptions later = options;
    later.now = now + 40.0 / 86400;
    QVERIFY(kept.fits(notes, later));
    later.now = now + 55.0 / 86400;
    QVERIFY(!kept.fits(notes, later));
    NotesRefreshOptions hiding = options;
    hiding.filter.hidePrivate = true;
    QVERIFY(!kept.fits(notes, hiding));
    NotesRefreshOptions otherWeek = options;
    otherWeek.weekStart = QDate(2026, 12, 14);
    QVERIFY(!kept.fits(notes, otherWeek));

    const NotesCollection before = notes;
    notes[1].Progress = 100;
    QVERIFY(!kept.fits(notes, options));
    QVERIFY(kept.fits(before, options));
}

QTEST_GUILESS_MAIN(TestNotesSearch)
#include "tst_notessearch.moc"
