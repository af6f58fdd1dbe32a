#include "schedule/WeekSchedule.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <limits>

namespace {

const QDate kStart(2026, 12, 7);

// The day lists as first described: the whole collection copied and ordered by neighbour-swapping
// passes, then every note checked against each of the seven dates. Positions per day.
QList<QList<qsizetype>> literalDays(NotesCollection notes, WeekOrder order, NotesFilter filter)
{
    renumberNotes(notes);
    const qsizetype n = notes.size();
    const auto passes = [&notes, n](auto swapWhen) {
        for (qsizetype pass = 0; pass < n; ++pass) {
            for (qsizetype i = 0; i <= n - 2; ++i) {
                if (swapWhen(notes[i], notes[i + 1]))
                    notes.swapItemsAt(i, i + 1);
            }
        }
    };
    const auto byTime = [](const TNotesData &a, const TNotesData &b) {
        return (b.Deadline < a.Deadline && b.Deadline != -1) || (b.Deadline > a.Deadline && a.Deadline == -1);
    };
    if (order != WeekOrder::Unsorted)
        passes(byTime);
    if (order == WeekOrder::ByPriority)
        passes([](const TNotesData &a, const TNotesData &b) { return b.Importance < a.Importance; });
    QList<QList<qsizetype>> days(7);
    const TDateTime first = DateTime::fromQDate(kStart);
    for (const TNotesData &note : std::as_const(notes)) {
        if ((note.Progress == 100 && !filter.showFinished) || (note.PrivateMsg && filter.hidePrivate))
            continue;
        for (int k = 0; k < 7; ++k) {
            if (DateTime::dateOf(note.Deadline) == first + k)
                days[k].append(note.ID);
        }
    }
    return days;
}

} // namespace

Q_DECLARE_METATYPE(WeekOrder)

class TestWeekRows final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void randomNotes_sameAsOrderingEveryNote_data();
    void randomNotes_sameAsOrderingEveryNote();
};

void TestWeekRows::randomNotes_sameAsOrderingEveryNote_data()
{
    QTest::addColumn<WeekOrder>("order");
    QTest::newRow("by time") << WeekOrder::ByTime;
    QTest::newRow("by priority") << WeekOrder::ByPriority;
    QTest::newRow("unsorted") << WeekOrder::Unsorted;
}

void TestWeekRows::randomNotes_sameAsOrderingEveryNote()
{
    QFETCH(WeekOrder, order);
    const double first = DateTime::fromQDate(kStart);
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double odd[] = {-1.0, -1.0, nan, nan, inf, -inf, 0.0, -0.0, first + 0.5, first + 0.5, first + 6.75, first - 0.25};
    QRandomGenerator random(17u);
    int rows = 0;
    for (int round = 0; round < 500; ++round) {
        NotesCollection notes;
        for (int i = static_cast<int>(random.bounded(40)); i > 0; --i) {
            TNotesData note;
            note.Deadline = random.bounded(3) == 0 ? odd[random.bounded(12)]
                                                   : first - 1 + static_cast<double>(random.bounded(9 * 8)) / 8;
            note.Importance = static_cast<quint8>(random.bounded(5));
            note.Progress = random.bounded(4) == 0 ? 100 : 0;
            note.PrivateMsg = random.bounded(3) == 0;
            note.Text = QString::number(i);
            notes.append(note);
        }
        renumberNotes(notes);
        WeekScheduleOptions options;
        options.order = order;
        options.filter = {random.bounded(2) == 0, random.bounded(2) == 0};
        const WeekSchedule week = weekSchedule(notes, kStart, kStart, options, LocaleFormats::fixedForTesting());
        const QList<QList<qsizetype>> expected = literalDays(notes, order, options.filter);
        for (int k = 0; k < 7; ++k) {
            QList<qsizetype> positions;
            for (const DayRow &row : week[static_cast<size_t>(k)].rows) {
                QCOMPARE(row.id, QString::number(row.position));
                positions.append(row.position);
            }
            QCOMPARE(positions, expected[k]);
            rows += static_cast<int>(positions.size());
        }
    }
    QVERIFY(rows > 1000);
}

QTEST_GUILESS_MAIN(TestWeekRows)
#include "tst_weekrows.moc"
