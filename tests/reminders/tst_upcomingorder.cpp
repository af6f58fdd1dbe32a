#include "reminders/UpcomingEvents.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <limits>

namespace {

const TDateTime kNow = DateTime::encode(2026, 12, 9, 10, 0);

// The list as first described: N + 1 passes of neighbour swaps over a copy of every note,
// then the notes within the horizon in that order.
QList<qsizetype> literalPositions(const NotesCollection &notes, NotesFilter filter, int horizonDays)
{
    NotesCollection sorted = notes;
    for (qsizetype i = 0; i < sorted.size(); ++i)
        sorted[i].ID = static_cast<qint32>(i);
    const qsizetype n = sorted.size();
    for (qsizetype pass = 0; pass < n + 1; ++pass) {
        for (qsizetype i = 0; i <= n - 2; ++i) {
            const double a = sorted[i].Deadline;
            const double b = sorted[i + 1].Deadline;
            if ((b < a && b != -1) || (b > a && a == -1))
                sorted.swapItemsAt(i, i + 1);
        }
    }
    QList<qsizetype> positions;
    for (const TNotesData &note : std::as_const(sorted)) {
        if ((note.Progress == 100 && !filter.showFinished) || (note.PrivateMsg && filter.hidePrivate) ||
            std::isnan(note.Deadline))
            continue;
        if (std::trunc(std::fabs(kNow - DateTime::dateOf(note.Deadline))) > horizonDays || kNow > note.Deadline)
            continue;
        positions.append(note.ID);
    }
    return positions;
}

} // namespace

class TestUpcomingOrder final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void randomNotes_sameAsSortingEveryNote();
};

void TestUpcomingOrder::randomNotes_sameAsSortingEveryNote()
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double odd[] = {-1.0, -1.0, nan, nan, inf, -inf, 0.0, -0.0, kNow, kNow + 0.5, kNow + 0.5, kNow + 1.0};
    QRandomGenerator random(5u);
    int listed = 0;
    for (int round = 0; round < 600; ++round) {
        NotesCollection notes;
        for (int i = static_cast<int>(random.bounded(40)); i > 0; --i) {
            TNotesData note;
            note.Deadline = random.bounded(3) == 0 ? odd[random.bounded(12)]
                                                   : kNow + (static_cast<double>(random.bounded(5 * 96)) - 96) / 96;
            note.Progress = random.bounded(4) == 0 ? 100 : 0;
            note.PrivateMsg = random.bounded(3) == 0;
            note.Text = QString::number(i);
            notes.append(note);
        }
        const NotesFilter filter{random.bounded(2) == 0, random.bounded(2) == 0};
        const int horizon = static_cast<int>(random.bounded(4));
        QList<qsizetype> positions;
        for (const UpcomingEvent &event : upcomingEvents(notes, filter, horizon, kNow))
            positions.append(event.position);
        QCOMPARE(positions, literalPositions(notes, filter, horizon));
        listed += static_cast<int>(positions.size());
    }
    QVERIFY(listed > 1000); // the rounds exercise the order, not only empty lists
}

QTEST_GUILESS_MAIN(TestUpcomingOrder)
#include "tst_upcomingorder.moc"
