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

} // namespace

class TestNotesSearch final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refresh_listsWhatAPlainSearchFinds_data();
    void refresh_listsWhatAPlainSearchFinds();
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

    NotesCollection notes;
    QList<Oracle> oracle;
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
        oracle.append({text.folded, location.folded});
    }

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

QTEST_GUILESS_MAIN(TestNotesSearch)
#include "tst_notessearch.moc"
