#include "BenchData.h"

#include "expenditures/DateSort.h"
#include "expenditures/NextDate.h"

#include <QRandomGenerator>
#include <QStringList>

#include <algorithm>

namespace BenchData {

namespace {

// Latin-1, Polish, Greek, Cyrillic, Japanese and a character outside the BMP: texts
// people really type, and every path of the file encoding.
const QStringList &words()
{
    static const QStringList kWords = {
        QStringLiteral("call"),      QStringLiteral("dentist"),  QStringLiteral("meeting"),
        QStringLiteral("report"),    QStringLiteral("invoice"),  QStringLiteral("café"),
        QStringLiteral("Müller"),    QStringLiteral("zażółć"),   QStringLiteral("gęślą"),
        QStringLiteral("jaźń"),      QStringLiteral("Ωμέγα"),    QStringLiteral("Привет"),
        QStringLiteral("日本語"),    QStringLiteral("🎉"),       QStringLiteral("<tag>"),
        QStringLiteral("R&D"),       QStringLiteral("\"quoted\""), QStringLiteral("it's"),
        QStringLiteral("garden"),    QStringLiteral("tickets"),  QStringLiteral("birthday"),
        QStringLiteral("https://example.org/a?b=1"),
    };
    return kWords;
}

QString phrase(QRandomGenerator &random, int minWords, int maxWords)
{
    const QStringList &pool = words();
    const int count = minWords + static_cast<int>(random.bounded(maxWords - minWords + 1));
    QString text;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            text += QLatin1Char(' ');
        text += pool[static_cast<qsizetype>(random.bounded(static_cast<quint32>(pool.size())))];
    }
    return text;
}

QString noteText(QRandomGenerator &random)
{
    // One note in four runs over several lines, joined as the editor joins them.
    const int lines = random.bounded(4) == 0 ? 2 + static_cast<int>(random.bounded(4)) : 1;
    QString text;
    for (int line = 0; line < lines; ++line) {
        if (line > 0)
            text += QStringLiteral("\r\n");
        text += phrase(random, 2, 12);
    }
    return text;
}

double minuteOfDay(QRandomGenerator &random)
{
    // A quarter of the notes fall at midnight, the others on a whole minute.
    if (random.bounded(4) == 0)
        return 0;
    return static_cast<double>(random.bounded(24 * 60)) / (24 * 60);
}

TDateTime deadline(QRandomGenerator &random, TDateTime now)
{
    static const TDateTime kShared[] = {46100.5, 46101.25, 46120.0, 46200.75, 45900.5};
    const TDateTime today = DateTime::dateOf(now);
    const int kind = static_cast<int>(random.bounded(100));
    if (kind < 20)
        return DateTime::kNoDeadline;
    if (kind < 45) // passed, up to five years back
        return today - static_cast<double>(random.bounded(5 * 365)) + minuteOfDay(random);
    if (kind < 55) // later today and the next three days: the upcoming events
        return now + static_cast<double>(random.bounded(3 * 24 * 60)) / (24 * 60);
    if (kind < 70) // this week: the week schedule
        return today + static_cast<double>(random.bounded(7)) + minuteOfDay(random);
    if (kind < 95) // up to two years ahead
        return today + static_cast<double>(random.bounded(2 * 365)) + minuteOfDay(random);
    return kShared[random.bounded(5)]; // equal keys
}

} // namespace

TDateTime now()
{
    return DateTime::encode(2026, 3, 17, 9, 30);
}

NotesCollection notes(int count, quint32 seed)
{
    QRandomGenerator random(seed);
    const TDateTime at = now();
    NotesCollection result;
    result.reserve(count);
    for (int i = 0; i < count; ++i) {
        TNotesData note;
        note.Importance = static_cast<quint8>(1 + random.bounded(3));
        note.Progress = random.bounded(100) < 15 ? 100 : static_cast<quint8>(random.bounded(10) * 10);
        note.PrivateMsg = random.bounded(100) < 20;
        note.Deadline = deadline(random, at);
        note.Text = noteText(random);
        if (random.bounded(2) == 0)
            note.Location = phrase(random, 1, 3);
        note.ID = i;
        result.append(note);
    }
    return result;
}

int templateCount(int count)
{
    return std::max(3, count / 200);
}

ExpenditureBook book(int count, quint32 seed)
{
    QRandomGenerator random(seed);
    const TDateTime today = DateTime::dateOf(now());
    const TDateTime start = today - 5 * 365;
    ExpenditureBook result;
    result.AllMoney = 12000;
    ExpenditureCollection &list = result.Expenditures;
    list.reserve(count);

    const auto single = [&random](TDateTime date, bool occurred) {
        TExpenditure e;
        e.IsExpenditure = random.bounded(10) != 0;
        e.Type = static_cast<quint8>(e.IsExpenditure ? random.bounded(11) : 11 + random.bounded(2));
        const double amount = 1 + static_cast<double>(random.bounded(e.IsExpenditure ? 500 : 6000));
        e.Value = e.IsExpenditure ? -amount : amount;
        e.Name = phrase(random, 1, 4);
        e.Date = date;
        e.Occured = occurred;
        return e;
    };

    // Monthly templates: each with one occurred copy for every month of the five years.
    const int templates = templateCount(count);
    ExpenditureCollection pending; // added since the last refresh: they stay at the end
    for (int t = 0; t < templates && list.size() < count; ++t) {
        TExpenditure monthly = single(start, false);
        monthly.Periodicity = static_cast<quint8>(1 + t % 5);
        TDateTime due = CalcNextDate(monthly.Periodicity, start);
        while (due <= today && list.size() + templates < count) {
            TExpenditure copy = monthly;
            copy.Periodicity = 0;
            copy.Occured = true;
            copy.Date = due;
            list.append(copy);
            due = CalcNextDate(monthly.Periodicity, due);
        }
        // The first template fell due today and has not been booked yet.
        monthly.Date = t == 0 ? today : due;
        (t == 0 ? pending : list).append(monthly);
    }

    // Single transactions: mostly behind us, some ahead, a few due and not yet booked.
    while (list.size() + pending.size() < count) {
        const int kind = static_cast<int>(random.bounded(100));
        if (kind < 94)
            list.append(single(start + static_cast<double>(random.bounded(5 * 365 + 1)), true));
        else if (kind < 99)
            list.append(single(today + 1 + static_cast<double>(random.bounded(365)), false));
        else
            pending.append(single(today - static_cast<double>(random.bounded(10)), false));
    }

    // The file keeps the order the last refresh left: oldest first.
    sortByDateAscending(list);
    list.append(pending);
    return result;
}

} // namespace BenchData
