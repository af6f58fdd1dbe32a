#include "expenditures/BookKeeping.h"
#include "expenditures/DateSort.h"
#include "expenditures/ExpenditureRefresh.h"
#include "expenditures/NextDate.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <cstring>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

const LocaleFormats kFormats = LocaleFormats::fixedForTesting();

ExpenditureSettings suffixSettings()
{
    ExpenditureSettings settings;
    settings.Currency = QStringLiteral("PLN");
    settings.CurrencyPrefix = false;
    settings.CurrencySuffix = true;
    settings.PredictFor = 30;
    return settings;
}

TExpenditure single(const QString &name, double value, TDateTime date, bool occured = false)
{
    TExpenditure e;
    e.Name = name;
    e.Value = value;
    e.Date = date;
    e.Occured = occured;
    e.IsExpenditure = value <= 0;
    e.Type = value <= 0 ? 1 : 11;
    return e;
}

TExpenditure monthly(const QString &name, double value, TDateTime due, quint8 periodicity)
{
    TExpenditure e = single(name, value, due);
    e.Periodicity = periodicity;
    return e;
}

TDateTime day(int y, int m, int d)
{
    return DateTime::encode(y, m, d);
}

TDateTime noon(int y, int m, int d)
{
    return DateTime::encode(y, m, d, 12);
}

ExpenditurePageData refresh(ExpenditureBook &book, TDateTime now,
                            const ExpenditureSettings &settings = suffixSettings())
{
    return RefreshExpenditures(book, now, ShowPeriod::All, settings, kFormats);
}

QStringList captions(const ExpenditureRows &rows)
{
    QStringList result;
    for (const ExpenditureRow &row : rows)
        result.append(row.caption);
    return result;
}

// The due day of a rule in one month, counted out day by day.
QDate dueDayIn(int periodicity, int year, int month)
{
    const QDate first(year, month, 1);
    switch (periodicity) {
    case 2:
    case 3: {
        int working = 0;
        for (QDate d = first;; d = d.addDays(1)) {
            if (d.dayOfWeek() <= 5 && ++working == periodicity - 1)
                return d;
        }
    }
    case 4:
        return QDate(year, month, 15);
    case 5:
        return QDate(year, month, first.daysInMonth());
    default:
        return first;
    }
}

// As the page once sorted: passes over the neighbours, swapping only pairs strictly out of order.
void neighbourSwapSort(ExpenditureCollection &list, bool newestFirst)
{
    for (qsizetype pass = 0; pass < list.size(); ++pass) {
        for (qsizetype j = 0; j + 1 < list.size(); ++j) {
            const bool swap = newestFirst ? list[j + 1].Date > list[j].Date : list[j + 1].Date < list[j].Date;
            if (swap)
                std::swap(list[j], list[j + 1]);
        }
    }
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

class TestBookKeeping final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refresh_singleDueToday_takesEffectOnce();
    void refresh_futureSingle_waitsForItsDay();
    void refresh_pastSingle_takesEffectAtOnce();
    void refresh_monthlyDueToday_booksCopyAtEndOfMainList();
    void refresh_monthlyDueMonthsAgo_booksExactlyOneCopy();
    void refresh_everyDayOfAYear_booksEachMonthOnItsDueDay_data();
    void refresh_everyDayOfAYear_booksEachMonthOnItsDueDay();
    void refresh_undatedOrOccurredTransactions_neverTouchTheBalance();
    void refresh_lists_futureAndPeriodicInDateOrder();
    void refresh_emptyBook_givesEmptyListsAndBalanceText();
    void refresh_rowsCarryCategoryIcon();
    void refresh_chartsSeeTheBookedBook();
    void sorts_matchNeighbourSwapping_data();
    void sorts_matchNeighbourSwapping();
    void amountTexts_data();
    void amountTexts();
    void balanceText_followsCurrencySettings();
    void manageRows_keepSignOnNumberAndShowFlags();
    void undo_occurredExpense_returnsItsAmount();
    void undo_futureIncome_leavesBalance();
    void undo_template_keepsBookedCopies();
    void undo_noSelection_removesNothing();
    void balanceField_roundsHalfToEven_data();
    void balanceField_roundsHalfToEven();
    void wholeNumberField_data();
    void wholeNumberField();
    void makeTransaction_signsAndDates_data();
    void makeTransaction_signsAndDates();
};

void TestBookKeeping::refresh_singleDueToday_takesEffectOnce()
{
    ExpenditureBook book;
    book.AllMoney = 100;
    book.Expenditures = {single(QStringLiteral("Shoes"), -50, day(2025, 3, 17))};

    ExpenditurePageData page = refresh(book, noon(2025, 3, 17));
    QCOMPARE(book.AllMoney, 50.0);
    QVERIFY(book.Expenditures[0].Occured);
    QCOMPARE(page.booked, 1);
    QCOMPARE(captions(page.occurred), QStringList{QStringLiteral("Shoes")});
    QVERIFY(page.future.isEmpty());
    QCOMPARE(page.balanceText, std::optional<QString>(QStringLiteral("50 PLN")));

    const ExpenditureBook before = book;
    page = refresh(book, noon(2025, 3, 17) + 0.4);
    QCOMPARE(page.booked, 0);
    QCOMPARE(book, before);
}

void TestBookKeeping::refresh_futureSingle_waitsForItsDay()
{
    ExpenditureBook book;
    book.AllMoney = 10;
    book.Expenditures = {single(QStringLiteral("Bonus"), 200, day(2025, 3, 24))};

    ExpenditurePageData page = refresh(book, noon(2025, 3, 17));
    QCOMPARE(book.AllMoney, 10.0);
    QCOMPARE(captions(page.future), QStringList{QStringLiteral("Bonus")});
    QVERIFY(page.occurred.isEmpty());

    refresh(book, DateTime::encode(2025, 3, 23, 23, 59, 59));
    QCOMPARE(book.AllMoney, 10.0);
    page = refresh(book, DateTime::encode(2025, 3, 24, 0, 0, 1));
    QCOMPARE(book.AllMoney, 210.0);
    QVERIFY(page.future.isEmpty());
}

void TestBookKeeping::refresh_pastSingle_takesEffectAtOnce()
{
    ExpenditureBook book;
    book.Expenditures = {single(QStringLiteral("Old bill"), -30, day(2020, 1, 1))};
    refresh(book, noon(2025, 3, 17));
    QCOMPARE(book.AllMoney, -30.0);
    QVERIFY(book.Expenditures[0].Occured);
}

void TestBookKeeping::refresh_monthlyDueToday_booksCopyAtEndOfMainList()
{
    ExpenditureBook book;
    book.Expenditures = {single(QStringLiteral("Earlier"), -5, day(2025, 2, 10), true),
                         monthly(QStringLiteral("Rent"), -900, day(2025, 3, 1), 1),
                         single(QStringLiteral("Later"), -7, day(2025, 2, 20), true)};

    ExpenditurePageData page = refresh(book, noon(2025, 3, 1));
    QCOMPARE(book.AllMoney, -900.0);
    // Newest first, then the copy booked just now.
    QCOMPARE(captions(page.occurred),
             (QStringList{QStringLiteral("Later"), QStringLiteral("Earlier"), QStringLiteral("Rent")}));
    QCOMPARE(page.occurred.last().columns.last(), QStringLiteral("01.03.2025"));

    // The book is left oldest first: the copy on 1 March, the template moved to 1 April.
    QCOMPARE(book.Expenditures.size(), 4);
    QCOMPARE(book.Expenditures[2].Name, QStringLiteral("Rent"));
    QCOMPARE(book.Expenditures[2].Date, day(2025, 3, 1));
    QCOMPARE(book.Expenditures[2].Periodicity, quint8(0));
    QVERIFY(book.Expenditures[2].Occured);
    QCOMPARE(book.Expenditures[3].Date, day(2025, 4, 1));
    QCOMPARE(book.Expenditures[3].Periodicity, quint8(1));
    QVERIFY(!book.Expenditures[3].Occured);

    page = refresh(book, noon(2025, 3, 1));
    QCOMPARE(captions(page.occurred),
             (QStringList{QStringLiteral("Rent"), QStringLiteral("Later"), QStringLiteral("Earlier")}));
    QCOMPARE(book.AllMoney, -900.0);
}

void TestBookKeeping::refresh_monthlyDueMonthsAgo_booksExactlyOneCopy()
{
    ExpenditureBook book;
    book.AllMoney = 1000;
    book.Expenditures = {monthly(QStringLiteral("Gym"), -40, day(2024, 12, 15), 4)};

    refresh(book, noon(2025, 3, 20));
    QCOMPARE(book.AllMoney, 960.0);
    QCOMPARE(book.Expenditures.size(), 2);
    QCOMPARE(book.Expenditures[0].Date, day(2024, 12, 15));
    QVERIFY(book.Expenditures[0].Occured);
    QCOMPARE(book.Expenditures[1].Date, day(2025, 4, 15));
}

void TestBookKeeping::refresh_everyDayOfAYear_booksEachMonthOnItsDueDay_data()
{
    QTest::addColumn<int>("periodicity");
    for (int code = 1; code <= 5; ++code)
        QTest::addRow("code %d", code) << code;
}

// The program runs through a year, refreshing at noon every day.
void TestBookKeeping::refresh_everyDayOfAYear_booksEachMonthOnItsDueDay()
{
    QFETCH(int, periodicity);
    const auto code = static_cast<quint8>(periodicity);
    NewTransaction input;
    input.name = QStringLiteral("Standing order");
    input.periodicity = code;
    input.amount = 100;
    input.type = 6;
    ExpenditureBook book;
    book.Expenditures = {BookKeeping::makeTransaction(input, noon(2024, 12, 17))};

    for (QDate d(2025, 1, 1); d.year() == 2025; d = d.addDays(1))
        refresh(book, DateTime::fromQDate(d) + 0.5);

    QCOMPARE(book.AllMoney, -1200.0);
    QCOMPARE(book.Expenditures.size(), 13);
    for (int month = 1; month <= 12; ++month) {
        const TExpenditure &copy = book.Expenditures[month - 1];
        QCOMPARE(DateTime::toQDate(copy.Date), dueDayIn(periodicity, 2025, month));
        QVERIFY(copy.Occured);
        QCOMPARE(copy.Periodicity, quint8(0));
        QCOMPARE(copy.Value, -100.0);
    }
    QCOMPARE(DateTime::toQDate(book.Expenditures.last().Date), dueDayIn(periodicity, 2026, 1));
    QCOMPARE(book.Expenditures.last().Periodicity, code);
}

void TestBookKeeping::refresh_undatedOrOccurredTransactions_neverTouchTheBalance()
{
    ExpenditureBook book;
    book.AllMoney = 5;
    TExpenditure occurredTemplate = monthly(QStringLiteral("edited"), -1, day(2020, 1, 1), 1);
    occurredTemplate.Occured = true;
    book.Expenditures = {single(QStringLiteral("nan"), -1, std::numeric_limits<double>::quiet_NaN()),
                         single(QStringLiteral("inf"), -1, std::numeric_limits<double>::infinity()), occurredTemplate};
    refresh(book, noon(2025, 3, 17));
    QCOMPARE(book.AllMoney, 5.0);
    QCOMPARE(book.Expenditures.size(), 3);
}

void TestBookKeeping::refresh_lists_futureAndPeriodicInDateOrder()
{
    ExpenditureBook book;
    book.Expenditures = {single(QStringLiteral("Trip"), -300, day(2025, 5, 1)),
                         monthly(QStringLiteral("Phone"), -30, day(2025, 4, 30), 5),
                         single(QStringLiteral("Gift"), 50, day(2025, 4, 2)),
                         single(QStringLiteral("Coffee"), -3, day(2025, 3, 1), true)};
    const ExpenditurePageData page = refresh(book, noon(2025, 3, 17));
    QCOMPARE(captions(page.future),
             (QStringList{QStringLiteral("Gift"), QStringLiteral("Phone"), QStringLiteral("Trip")}));
    QCOMPARE(captions(page.periodic), QStringList{QStringLiteral("Phone")});
    QCOMPARE(captions(page.occurred), QStringList{QStringLiteral("Coffee")});
}

void TestBookKeeping::refresh_emptyBook_givesEmptyListsAndBalanceText()
{
    ExpenditureBook book;
    book.AllMoney = -40;
    ExpenditureSettings prefix = suffixSettings();
    prefix.CurrencyPrefix = true;
    prefix.CurrencySuffix = false;
    const ExpenditurePageData page = refresh(book, noon(2025, 3, 17), prefix);
    QVERIFY(page.occurred.isEmpty() && page.future.isEmpty() && page.periodic.isEmpty());
    QCOMPARE(page.balanceText, std::optional<QString>(QStringLiteral("-PLN40")));
}

void TestBookKeeping::refresh_rowsCarryCategoryIcon()
{
    ExpenditureBook book;
    book.Expenditures = {single(QStringLiteral("a"), -1, day(2025, 4, 1)),
                         single(QStringLiteral("b"), -1, day(2025, 4, 2))};
    book.Expenditures[0].Type = 12;
    book.Expenditures[1].Type = 13;
    const ExpenditurePageData page = refresh(book, noon(2025, 3, 17));
    QCOMPARE(page.future[0].iconIndex, 12);
    QCOMPARE(page.future[1].iconIndex, -1);
}

void TestBookKeeping::refresh_chartsSeeTheBookedBook()
{
    ExpenditureBook book;
    book.AllMoney = 1000;
    book.Expenditures = {monthly(QStringLiteral("Rent"), -900, day(2025, 3, 1), 1)};
    ExpenditureSettings settings = suffixSettings();
    settings.PredictFor = 90;
    const ExpenditurePageData page =
        RefreshExpenditures(book, noon(2025, 3, 1), ShowPeriod::CurrentMonth, settings, kFormats);

    // The copy booked today is history; the moved template is the prediction's first due day.
    QCOMPARE(page.history.line.size(), 1);
    QCOMPARE(page.history.line[0].y, -900.0);
    const ChartLine &line = page.prediction.defaultLine;
    QCOMPARE(line.size(), 89);
    QCOMPARE(line[29].y, 100.0);   // 31 March
    QCOMPARE(line[30].y, -800.0);  // 1 April
    QCOMPARE(line[60].y, -1700.0); // 1 May
    QCOMPARE(line[88].y, -1700.0); // 29 May
    QCOMPARE(page.prediction.thirtyDaysRate, 30.0);
    // Booked on the first day of the month: outside the open start of "Current month".
    QVERIFY(page.categories.bars.isEmpty());
    QCOMPARE(page.categories.title, std::optional<QString>(u"Avr: 0.00 PLN/day  Total: 0 PLN"_s));
}

void TestBookKeeping::sorts_matchNeighbourSwapping_data()
{
    QTest::addColumn<bool>("newestFirst");
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 40; ++seed) {
        QTest::addRow("newest first, seed %u", seed) << true << seed;
        QTest::addRow("oldest first, seed %u", seed) << false << seed;
    }
}

void TestBookKeeping::sorts_matchNeighbourSwapping()
{
    QFETCH(bool, newestFirst);
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    const double specials[] = {-1.0,
                               0.0,
                               -0.0,
                               std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity()};
    const int size = random.bounded(0, 60);
    ExpenditureCollection list;
    for (int i = 0; i < size; ++i) {
        TExpenditure e;
        e.Name = QString::number(i);
        // Few distinct days, so equal dates are common.
        e.Date = random.bounded(5) == 0 ? specials[random.bounded(6)] : 45000.0 + random.bounded(8);
        list.append(e);
    }
    ExpenditureCollection expected = list;
    neighbourSwapSort(expected, newestFirst);
    if (newestFirst)
        sortByDateDescending(list);
    else
        sortByDateAscending(list);
    QCOMPARE(list.size(), expected.size());
    for (qsizetype i = 0; i < list.size(); ++i) {
        QCOMPARE(list[i].Name, expected[i].Name);
        QVERIFY(sameBits(list[i].Date, expected[i].Date));
    }
}

void TestBookKeeping::amountTexts_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("manage");

    QTest::newRow("income") << 25.0 << QChar(u'.') << u"PLN25"_s << u"25 PLN"_s << u"PLN 25"_s;
    QTest::newRow("expense") << -25.0 << QChar(u'.') << u"-PLN25"_s << u"-25 PLN"_s << u"PLN -25"_s;
    QTest::newRow("fraction") << -2.5 << QChar(u'.') << u"-PLN2.5"_s << u"-2.5 PLN"_s << u"PLN -2.5"_s;
    QTest::newRow("comma") << 1234567.125 << QChar(u',') << u"PLN1234567,125"_s << u"1234567,125 PLN"_s
                           << u"PLN 1234567,125"_s;
    QTest::newRow("zero expense") << -0.0 << QChar(u'.') << u"PLN0"_s << u"0 PLN"_s << u"PLN 0"_s;
    QTest::newRow("fifteen digits") << 0.1 + 0.2 << QChar(u'.') << u"PLN0.3"_s << u"0.3 PLN"_s << u"PLN 0.3"_s;
}

void TestBookKeeping::amountTexts()
{
    QFETCH(double, value);
    QFETCH(QChar, separator);
    QFETCH(QString, prefix);
    QFETCH(QString, suffix);
    QFETCH(QString, manage);
    LocaleFormats formats = kFormats;
    formats.decimalSeparator = separator;
    const QString pln = QStringLiteral("PLN");
    QCOMPARE(ExpenditureText::prefixAmount(value, pln, formats), prefix);
    QCOMPARE(ExpenditureText::suffixAmount(value, pln, formats), suffix);

    ExpenditureSettings settings = suffixSettings();
    settings.CurrencyPrefix = true;
    ExpenditureCollection list{single(QStringLiteral("x"), value, day(2025, 3, 1))};
    QCOMPARE(ExpenditureRowText::pageRow(list, 0, settings, formats).columns,
             (QStringList{prefix, suffix, QStringLiteral("01.03.2025")}));
    QCOMPARE(ExpenditureRowText::manageRow(list, 0, settings, formats).columns.first(), manage);
}

void TestBookKeeping::balanceText_followsCurrencySettings()
{
    ExpenditureSettings settings = suffixSettings();
    QCOMPARE(ExpenditureText::balanceText(-40, settings, kFormats), std::optional<QString>(QStringLiteral("-40 PLN")));
    settings.CurrencyPrefix = true;
    QCOMPARE(ExpenditureText::balanceText(-40, settings, kFormats), std::optional<QString>(QStringLiteral("-40 PLN")));
    settings.CurrencySuffix = false;
    QCOMPARE(ExpenditureText::balanceText(-40, settings, kFormats), std::optional<QString>(QStringLiteral("-PLN40")));
    settings.CurrencyPrefix = false;
    QCOMPARE(ExpenditureText::balanceText(-40, settings, kFormats), std::nullopt);
}

void TestBookKeeping::manageRows_keepSignOnNumberAndShowFlags()
{
    ExpenditureSettings settings = suffixSettings();
    settings.CurrencyPrefix = true;
    settings.CurrencySuffix = false;
    ExpenditureCollection list{single(QStringLiteral("Lunch"), -25, day(2025, 3, 1), true),
                               monthly(QStringLiteral("Rent"), -900, day(2025, 4, 1), 1)};
    list[1].Type = 2;
    const ExpenditureRows rows = ExpenditureRowText::manageRows(list, settings, kFormats);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[0].caption, QStringLiteral("Lunch"));
    QCOMPARE(rows[0].columns, (QStringList{u"PLN -25"_s, u"01.03.2025"_s, u"No"_s, u"Yes"_s}));
    QCOMPARE(rows[1].columns, (QStringList{u"PLN -900"_s, u"01.04.2025"_s, u"Yes"_s, u"No"_s}));
    QCOMPARE(rows[1].iconIndex, 2);
    QCOMPARE(rows[1].position, 1);
}

void TestBookKeeping::undo_occurredExpense_returnsItsAmount()
{
    ExpenditureBook book;
    book.AllMoney = 100;
    book.Expenditures = {single(QStringLiteral("a"), -50, day(2025, 3, 1), true),
                         single(QStringLiteral("b"), -1, day(2025, 3, 2), true)};
    QVERIFY(BookKeeping::UndoTransaction(book, 0));
    QCOMPARE(book.AllMoney, 150.0);
    QCOMPARE(book.Expenditures.size(), 1);
    QCOMPARE(book.Expenditures[0].Name, QStringLiteral("b"));
}

void TestBookKeeping::undo_futureIncome_leavesBalance()
{
    ExpenditureBook book;
    book.AllMoney = 100;
    book.Expenditures = {single(QStringLiteral("later"), 200, day(2030, 1, 1))};
    QVERIFY(BookKeeping::UndoTransaction(book, 0));
    QCOMPARE(book.AllMoney, 100.0);
    QVERIFY(book.Expenditures.isEmpty());
}

void TestBookKeeping::undo_template_keepsBookedCopies()
{
    ExpenditureBook book;
    book.Expenditures = {monthly(QStringLiteral("Rent"), -900, day(2025, 1, 1), 1)};
    refresh(book, noon(2025, 1, 1));
    refresh(book, noon(2025, 2, 1));
    QCOMPARE(book.AllMoney, -1800.0);
    QCOMPARE(book.Expenditures.size(), 3);
    QVERIFY(BookKeeping::UndoTransaction(book, 2));
    QCOMPARE(book.AllMoney, -1800.0);
    QCOMPARE(book.Expenditures.size(), 2);
    QVERIFY(book.Expenditures[0].Occured && book.Expenditures[1].Occured);
    refresh(book, noon(2025, 3, 1));
    QCOMPARE(book.AllMoney, -1800.0);
}

void TestBookKeeping::undo_noSelection_removesNothing()
{
    ExpenditureBook book;
    book.AllMoney = 3;
    book.Expenditures = {single(QStringLiteral("a"), -50, day(2025, 3, 1), true)};
    const ExpenditureBook before = book;
    QVERIFY(!BookKeeping::UndoTransaction(book, -1));
    QVERIFY(!BookKeeping::UndoTransaction(book, 1));
    QCOMPARE(book, before);
    ExpenditureBook empty;
    QVERIFY(!BookKeeping::UndoTransaction(empty, 0));
}

void TestBookKeeping::balanceField_roundsHalfToEven_data()
{
    QTest::addColumn<double>("balance");
    QTest::addColumn<qint64>("field");
    QTest::newRow("12.5") << 12.5 << qint64(12);
    QTest::newRow("13.5") << 13.5 << qint64(14);
    QTest::newRow("-2.5") << -2.5 << qint64(-2);
    QTest::newRow("-2.6") << -2.6 << qint64(-3);
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << qint64(0);
    QTest::newRow("beyond 32 bits") << 1e12 << qint64(1000000000000);
    QTest::newRow("-inf") << -std::numeric_limits<double>::infinity() << std::numeric_limits<qint64>::min();
    QTest::newRow("huge") << 1e300 << std::numeric_limits<qint64>::max();
}

void TestBookKeeping::balanceField_roundsHalfToEven()
{
    QFETCH(double, balance);
    QFETCH(qint64, field);
    QCOMPARE(BookKeeping::balanceFieldValue(balance), field);
}

void TestBookKeeping::wholeNumberField_data()
{
    // Refused texts have no value.
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<qint64>>("value");
    const std::optional<qint64> refused;
    QTest::newRow("empty") << QString() << std::optional<qint64>(0);
    QTest::newRow("plain") << u"120"_s << std::optional<qint64>(120);
    QTest::newRow("minus") << u"-30"_s << std::optional<qint64>(-30);
    QTest::newRow("plus") << u"+7"_s << std::optional<qint64>(7);
    QTest::newRow("sign only") << u"-"_s << std::optional<qint64>(0);
    QTest::newRow("beyond 32 bits") << u"3000000000"_s << std::optional<qint64>(3000000000);
    QTest::newRow("fifteen digits") << u"-999999999999999"_s << std::optional<qint64>(-999999999999999);
    QTest::newRow("leading zeros") << u"0000000000000000001"_s << std::optional<qint64>(1);
    QTest::newRow("sixteen digits") << u"1000000000000000"_s << refused;
    QTest::newRow("beyond 64 bits") << u"-99999999999999999999"_s << refused;
    QTest::newRow("letters") << u"12a"_s << refused;
    QTest::newRow("sign inside") << u"1-2"_s << refused;
    QTest::newRow("blank") << u" 5"_s << refused;
}

void TestBookKeeping::wholeNumberField()
{
    QFETCH(QString, text);
    QFETCH(std::optional<qint64>, value);
    QCOMPARE(BookKeeping::parseWholeNumber(text), value);
    if (!value)
        return;
    ExpenditureBook book;
    book.AllMoney = 77.7;
    BookKeeping::SetBalance(book, *value);
    QCOMPARE(book.AllMoney, static_cast<double>(*value));
}

void TestBookKeeping::makeTransaction_signsAndDates_data()
{
    QTest::addColumn<bool>("isExpenditure");
    QTest::addColumn<int>("periodicity");
    QTest::addColumn<qint64>("amount");
    QTest::addColumn<double>("value");
    QTest::addColumn<QDate>("date");

    QTest::newRow("expense typed negative") << true << 0 << qint64(-30) << -30.0 << QDate(2025, 3, 20);
    QTest::newRow("income typed negative") << false << 0 << qint64(-30) << 30.0 << QDate(2025, 3, 20);
    QTest::newRow("expense typed positive") << true << 0 << qint64(30) << -30.0 << QDate(2025, 3, 20);
    QTest::newRow("fifteen digits") << false << 0 << qint64(-999999999999999) << 999999999999999.0
                                    << QDate(2025, 3, 20);
    // The file keeps the sign of a zero; nothing typed must not read back as -0.
    QTest::newRow("expense of nothing") << true << 0 << qint64(0) << 0.0 << QDate(2025, 3, 20);
    QTest::newRow("half of the month") << true << 4 << qint64(10) << -10.0 << QDate(2025, 4, 15);
    QTest::newRow("last day") << true << 5 << qint64(10) << -10.0 << QDate(2025, 4, 30);
}

void TestBookKeeping::makeTransaction_signsAndDates()
{
    QFETCH(bool, isExpenditure);
    QFETCH(int, periodicity);
    QFETCH(qint64, amount);
    QFETCH(double, value);
    QFETCH(QDate, date);
    NewTransaction input;
    input.isExpenditure = isExpenditure;
    input.periodicity = static_cast<quint8>(periodicity);
    input.amount = amount;
    input.calendarDay = day(2025, 3, 20);
    input.name = QStringLiteral("n");
    input.type = isExpenditure ? 3 : 11;
    const TExpenditure e = BookKeeping::makeTransaction(input, DateTime::encode(2025, 3, 17, 9, 30));
    QCOMPARE(e.Value, value);
    QCOMPARE(std::signbit(e.Value), std::signbit(value));
    QCOMPARE(DateTime::toQDate(e.Date), date);
    QCOMPARE(e.Date, std::floor(e.Date));
    QVERIFY(!e.Occured);
    QCOMPARE(e.IsExpenditure, isExpenditure);
    QCOMPARE(e.Type, input.type);
    QCOMPARE(e.Name, QStringLiteral("n"));
}

QTEST_GUILESS_MAIN(TestBookKeeping)
#include "tst_bookkeeping.moc"
