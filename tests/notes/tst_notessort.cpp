#include "notes/NotesMoves.h"
#include "notes/NotesSort.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <limits>

namespace {

TNotesData note(const char *text, quint8 importance = 3, quint8 progress = 0, bool isPrivate = false,
                TDateTime deadline = DateTime::kNoDeadline)
{
    TNotesData n;
    n.Text = QLatin1String(text);
    n.Importance = importance;
    n.Progress = progress;
    n.PrivateMsg = isPrivate;
    n.Deadline = deadline;
    return n;
}

QStringList names(const char *commaSeparated)
{
    return QString::fromLatin1(commaSeparated).split(QLatin1Char(','));
}

QStringList texts(const NotesCollection &notes)
{
    QStringList result;
    for (const TNotesData &n : notes)
        result << n.Text;
    return result;
}

QList<qint32> ids(const NotesCollection &notes)
{
    QList<qint32> result;
    for (const TNotesData &n : notes)
        result << n.ID;
    return result;
}

// The neighbour-swapping passes exactly as the menu's sorts were first written.
template <class SwapTest> void literalSort(NotesCollection &notes, SwapTest swapWhen)
{
    const qsizetype n = notes.size();
    for (qsizetype pass = 0; pass < n + 1; ++pass) {
        for (qsizetype i = 0; i <= n - 2; ++i) {
            if (swapWhen(notes[i], notes[i + 1]))
                notes.swapItemsAt(i + 1, i); // SwapWithPrevious at i + 1
        }
    }
}

bool literalDaysLeftSwap(const TNotesData &a, const TNotesData &b)
{
    return (b.Deadline < a.Deadline && b.Deadline != -1) || (b.Deadline > a.Deadline && a.Deadline == -1);
}

NotesCollection randomNotes(QRandomGenerator &random, int count)
{
    static const double kDeadlines[] = {-1.0,
                                        -1.0,
                                        std::numeric_limits<double>::quiet_NaN(),
                                        std::numeric_limits<double>::infinity(),
                                        -std::numeric_limits<double>::infinity(),
                                        0.0,
                                        -0.0,
                                        -2.5,
                                        45000.25,
                                        45000.25,
                                        45001.0,
                                        46000.75};
    NotesCollection notes;
    for (int i = 0; i < count; ++i) {
        TNotesData n;
        n.ID = i;
        n.Importance = static_cast<quint8>(random.bounded(5));
        static const quint8 kProgress[] = {0, 0, 50, 99, 100, 100, 150};
        n.Progress = kProgress[random.bounded(7)];
        n.PrivateMsg = random.bounded(2) == 1;
        n.Deadline = random.bounded(3) == 0 ? 45000.0 + random.bounded(20) / 4.0 : kDeadlines[random.bounded(12)];
        notes.append(n);
    }
    return notes;
}

} // namespace

class TestNotesSort final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sorts_matchNeighbourSwappingPasses_data();
    void sorts_matchNeighbourSwappingPasses();
    void byPriority_keepsEqualImportancesInOrder();
    void byDaysLeft_expiredFirstUndatedLast();
    void byDaysLeft_nanStaysPut();
    void byPercentDone_leastDoneFirst();
    void byPrivate_privateFirstInOrder();
    void disabled_changesNothing();

    void moveUp_passesHiddenNotes();
    void moveUp_climbsToTopOverHiddenNotes();
    void moveDown_passesHiddenFinishedNotes();
    void moveAtEdges_changesNothing();
    void moveToTopAndBottom_data();
    void moveToTopAndBottom();
    void moves_outsideCollection_changeNothing();
    void markAsFinished_setsProgress100();
    void deleteFinished_removesAllFinishedKeepsOrder();
};

void TestNotesSort::sorts_matchNeighbourSwappingPasses_data()
{
    QTest::addColumn<int>("order");
    QTest::newRow("priority") << int(NotesSortOrder::ByPriority);
    QTest::newRow("days left") << int(NotesSortOrder::ByDaysLeft);
    QTest::newRow("percent done") << int(NotesSortOrder::ByPercentDone);
    QTest::newRow("private") << int(NotesSortOrder::ByPrivateNonPrivate);
}

void TestNotesSort::sorts_matchNeighbourSwappingPasses()
{
    QFETCH(int, order);
    const auto sortOrder = static_cast<NotesSortOrder>(order);
    QRandomGenerator random(20261209u + static_cast<quint32>(order));
    for (int round = 0; round < 400; ++round) {
        const NotesCollection original = randomNotes(random, random.bounded(40));
        NotesCollection literal = original;
        switch (sortOrder) {
        case NotesSortOrder::ByPriority:
            literalSort(literal, [](auto &a, auto &b) { return b.Importance < a.Importance; });
            break;
        case NotesSortOrder::ByDaysLeft:
            literalSort(literal, literalDaysLeftSwap);
            break;
        case NotesSortOrder::ByPercentDone:
            literalSort(literal, [](auto &a, auto &b) { return b.Progress < a.Progress; });
            break;
        case NotesSortOrder::ByPrivateNonPrivate:
            literalSort(literal, [](auto &a, auto &b) { return b.PrivateMsg && !a.PrivateMsg; });
            break;
        case NotesSortOrder::Disabled:
            break;
        }
        NotesCollection fast = original;
        applySortOrder(fast, sortOrder);
        QCOMPARE(ids(fast), ids(literal));
    }
}

void TestNotesSort::byPriority_keepsEqualImportancesInOrder()
{
    NotesCollection notes{note("n3", 3), note("h1", 1), note("i2", 2), note("h2", 1)};
    SortByPriority(notes);
    QCOMPARE(texts(notes),
             (QStringList{QStringLiteral("h1"), QStringLiteral("h2"), QStringLiteral("i2"), QStringLiteral("n3")}));
}

void TestNotesSort::byDaysLeft_expiredFirstUndatedLast()
{
    const TDateTime today = DateTime::encode(2026, 12, 9, 12, 0);
    NotesCollection notes{note("none1"), note("tomorrow", 3, 0, false, today + 1), note("none2"),
                          note("yesterday", 3, 0, false, today - 1), note("none3")};
    SortByDaysLeft(notes);
    QCOMPARE(texts(notes), (QStringList{QStringLiteral("yesterday"), QStringLiteral("tomorrow"),
                                        QStringLiteral("none1"), QStringLiteral("none2"), QStringLiteral("none3")}));
}

void TestNotesSort::byDaysLeft_nanStaysPut()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    NotesCollection notes{note("b", 3, 0, false, 5), note("a", 3, 0, false, 2), note("nan", 3, 0, false, nan),
                          note("d", 3, 0, false, 9), note("c", 3, 0, false, 1)};
    SortByDaysLeft(notes);
    QCOMPARE(texts(notes), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("nan"),
                                        QStringLiteral("c"), QStringLiteral("d")}));
}

void TestNotesSort::byPercentDone_leastDoneFirst()
{
    NotesCollection notes{note("done", 3, 100), note("half", 3, 50), note("none", 3, 0)};
    SortByPercentDone_desc(notes);
    QCOMPARE(texts(notes), (QStringList{QStringLiteral("none"), QStringLiteral("half"), QStringLiteral("done")}));
}

void TestNotesSort::byPrivate_privateFirstInOrder()
{
    NotesCollection notes{note("A"), note("B", 3, 0, true), note("C"), note("D", 3, 0, true)};
    SortByPrivateNonprivate(notes);
    QCOMPARE(texts(notes),
             (QStringList{QStringLiteral("B"), QStringLiteral("D"), QStringLiteral("A"), QStringLiteral("C")}));
}

void TestNotesSort::disabled_changesNothing()
{
    NotesCollection notes{note("n", 3), note("h", 1)};
    applySortOrder(notes, NotesSortOrder::Disabled);
    QCOMPARE(texts(notes), (QStringList{QStringLiteral("n"), QStringLiteral("h")}));
}

void TestNotesSort::moveUp_passesHiddenNotes()
{
    NotesCollection notes{note("A"), note("B", 3, 0, true), note("C")};
    const qsizetype moved = MoveNoteUp(notes, 2, NotesFilter{true, true});
    QCOMPARE(texts(notes), (QStringList{QStringLiteral("C"), QStringLiteral("A"), QStringLiteral("B")}));
    QCOMPARE(moved, 0);
}

void TestNotesSort::moveUp_climbsToTopOverHiddenNotes()
{
    NotesCollection notes{note("P1", 3, 0, true), note("F", 3, 100), note("A"), note("B")};
    MoveNoteUp(notes, 2, NotesFilter{true, false});
    QCOMPARE(texts(notes),
             (QStringList{QStringLiteral("A"), QStringLiteral("P1"), QStringLiteral("F"), QStringLiteral("B")}));
}

void TestNotesSort::moveDown_passesHiddenFinishedNotes()
{
    NotesCollection notes{note("A"), note("F1", 3, 100), note("F2", 3, 100), note("B"), note("C")};
    MoveNoteDown(notes, 0, NotesFilter{false, false});
    QCOMPARE(texts(notes), (QStringList{QStringLiteral("F1"), QStringLiteral("F2"), QStringLiteral("B"),
                                        QStringLiteral("A"), QStringLiteral("C")}));
    // With finished notes shown, the same move passes one note only.
    NotesCollection shown{note("A"), note("F1", 3, 100), note("B")};
    MoveNoteDown(shown, 0, NotesFilter{false, true});
    QCOMPARE(texts(shown), (QStringList{QStringLiteral("F1"), QStringLiteral("A"), QStringLiteral("B")}));
}

void TestNotesSort::moveAtEdges_changesNothing()
{
    const NotesCollection original{note("A"), note("B"), note("C")};
    NotesCollection notes = original;
    MoveNoteUp(notes, 0, NotesFilter{});
    MoveNoteDown(notes, 2, NotesFilter{});
    moveNoteToTop(notes, 0);
    moveNoteToBottom(notes, 2);
    QCOMPARE(notes, original);
}

void TestNotesSort::moveToTopAndBottom_data()
{
    QTest::addColumn<bool>("toTop");
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("top from middle") << true << 2 << names("C,A,B,D");
    QTest::newRow("top from last") << true << 3 << names("D,A,B,C");
    QTest::newRow("bottom from first") << false << 0 << names("B,C,D,A");
    QTest::newRow("bottom from middle") << false << 1 << names("A,C,D,B");
}

void TestNotesSort::moveToTopAndBottom()
{
    QFETCH(bool, toTop);
    QFETCH(int, position);
    QFETCH(QStringList, expected);
    NotesCollection notes{note("A"), note("B", 3, 0, true), note("C"), note("D")};
    if (toTop)
        moveNoteToTop(notes, position);
    else
        moveNoteToBottom(notes, position);
    QCOMPARE(texts(notes), expected);
}

void TestNotesSort::moves_outsideCollection_changeNothing()
{
    const NotesCollection original{note("A"), note("B")};
    NotesCollection notes = original;
    for (const qsizetype position : {qsizetype(-1), qsizetype(2), qsizetype(99)}) {
        MoveNoteUp(notes, position, NotesFilter{});
        MoveNoteDown(notes, position, NotesFilter{});
        moveNoteToTop(notes, position);
        moveNoteToBottom(notes, position);
        markAsFinished(notes, position);
    }
    QCOMPARE(notes, original);
}

void TestNotesSort::markAsFinished_setsProgress100()
{
    NotesCollection notes{note("A", 3, 40), note("B", 3, 10)};
    markAsFinished(notes, 1);
    QCOMPARE(notes[1].Progress, quint8(100));
    QCOMPARE(notes[0].Progress, quint8(40));
}

void TestNotesSort::deleteFinished_removesAllFinishedKeepsOrder()
{
    NotesCollection notes{note("F0", 3, 100), note("F1", 1, 100, true), note("A", 3, 99), note("F3", 2, 100),
                          note("B", 3, 150)};
    QCOMPARE(deleteFinishedNotes(notes), 3);
    QCOMPARE(texts(notes), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
}

QTEST_GUILESS_MAIN(TestNotesSort)
#include "tst_notessort.moc"
