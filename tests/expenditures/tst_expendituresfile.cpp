#include "BookStoreReader.h"

#include "core/DataFile.h"
#include "expenditures/ExpendituresFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray fixture(const QString &name)
{
    QFile file(QStringLiteral(MAREVO_TEST_DATA "/expenditures/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test file");
    return file.readAll();
}

TExpenditure transaction(const QString &name, double value, TDateTime date, quint8 type, quint8 periodicity,
                         bool occured, bool isExpenditure)
{
    TExpenditure e;
    e.Name = name;
    e.Value = value;
    e.Date = date;
    e.Type = type;
    e.Periodicity = periodicity;
    e.Occured = occured;
    e.IsExpenditure = isExpenditure;
    return e;
}

// The book's file through the data-file rules, as the data folder reads it.
DataFile::LoadResult loadBook(const QString &path, ExpenditureBook *book, const QDateTime &now)
{
    return DataFile::load(
        path, nullptr, [&](const QByteArray &plain) { return ExpendituresFile::parseExpenditures(plain, book); }, now);
}

ExpenditureBook sampleBook()
{
    ExpenditureBook book;
    book.AllMoney = 1234.56;
    book.Expenditures = {
        transaction(QStringLiteral("Bread & <butter>"), -3.5, DateTime::encode(2025, 3, 1), 1, 0, true, true),
        transaction(QStringLiteral("Salary"), 5000, DateTime::encode(2025, 4, 1), 11, 2, false, false),
        transaction(QStringLiteral("Caf\u00e9\r\ntwo lines"), 0, 0, 12, 0, false, true),
        transaction(QString(), -1e9, -1, 0, 5, false, true),
        // Codes only an edited file can hold are kept as they are.
        transaction(QStringLiteral("odd"), 7.25, DateTime::encode(1999, 12, 31), 200, 7, true, false),
    };
    return book;
}

} // namespace

class TestExpendituresFile final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void save_emptyBook_writesOnlyBalanceAndCount();
    void save_writesSevenKeysPerTransactionInOrder();
    void saveThenLoad_roundTrip();
    void save_isWhatTheStoreWritesForTheSameEntries();
    void load_missingKeys_takeTheirDefaults();
    void load_findsWhatTheStoreFinds_data();
    void load_findsWhatTheStoreFinds();
    void load_missingOccured_neverTouchesTheBalanceAgain();
    void load_keepsLowEightBitsOfCodes();
    void load_otherRootAndKeyCase_readNormally();
    void load_unreadable_leavesBookUntouched_data();
    void load_unreadable_leavesBookUntouched();
    void loadFile_missing_leavesBookAsItIs();
    void saveFileThenLoadFile_roundTrip();
    void loadFile_unreadable_keepsFileAside();
};

void TestExpendituresFile::save_emptyBook_writesOnlyBalanceAndCount()
{
    const QByteArray data = ExpendituresFile::expendituresData(ExpenditureBook{});
    QCOMPARE(data, QByteArray("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n"
                              "<Configuration>\r\n"
                              "  <AllMoney>00000000000000000000</AllMoney>\r\n"
                              "  <NumberOfExpenditures>0</NumberOfExpenditures>\r\n"
                              "</Configuration>\r\n"));

    ExpenditureBook loaded;
    loaded.AllMoney = 99;
    loaded.Expenditures.append(TExpenditure{});
    QVERIFY(ExpendituresFile::parseExpenditures(data, &loaded));
    QCOMPARE(loaded, ExpenditureBook{});
}

void TestExpendituresFile::save_writesSevenKeysPerTransactionInOrder()
{
    ExpenditureBook book;
    book.AllMoney = 1;
    book.Expenditures = {transaction(QStringLiteral("Rent"), -25, 0, 2, 1, false, true)};
    const QByteArray data = ExpendituresFile::expendituresData(book);
    QCOMPARE(data, QByteArray("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n"
                              "<Configuration>\r\n"
                              "  <AllMoney>0000000000000080FF3F</AllMoney>\r\n"
                              "  <NumberOfExpenditures>1</NumberOfExpenditures>\r\n"
                              "  <Name0>Rent</Name0>\r\n"
                              "  <Value0>00000000000000C803C0</Value0>\r\n"
                              "  <Periodicity0>1</Periodicity0>\r\n"
                              "  <Type0>2</Type0>\r\n"
                              "  <Date0>00000000000000000000</Date0>\r\n"
                              "  <Occured0>FALSE</Occured0>\r\n"
                              "  <IsExpenditure0>TRUE</IsExpenditure0>\r\n"
                              "</Configuration>\r\n"));
}

void TestExpendituresFile::saveThenLoad_roundTrip()
{
    const ExpenditureBook book = sampleBook();
    const QByteArray data = ExpendituresFile::expendituresData(book);

    ExpenditureBook loaded;
    QVERIFY(ExpendituresFile::parseExpenditures(data, &loaded));
    QCOMPARE(loaded, book);
    QCOMPARE(ExpendituresFile::expendituresData(loaded), data);
}

void TestExpendituresFile::save_isWhatTheStoreWritesForTheSameEntries()
{
    // The file is written without the key-value store; reading it into one and saving that must
    // give the same bytes, names with markup, line breaks, nothing and odd codes included.
    const QByteArray data = ExpendituresFile::expendituresData(sampleBook());
    TKeyValueXmlFile store;
    QVERIFY(store.LoadFromData(data));
    QCOMPARE(store.entryCount(), 2 + 5 * 7);
    QCOMPARE(store.SaveToData(), data);
}

void TestExpendituresFile::load_findsWhatTheStoreFinds_data()
{
    // The file has a reader of its own; on every sample, sound or damaged, it must find what a
    // lookup per value in the key-value store finds.
    QTest::addColumn<QByteArray>("file");
    const QDir samples(QStringLiteral(MAREVO_TEST_DATA "/expenditures"));
    for (const QString &name : samples.entryList(QDir::Files))
        QTest::newRow(qPrintable(name)) << fixture(name);
    QTest::newRow("saved") << ExpendituresFile::expendituresData(sampleBook());
}

void TestExpendituresFile::load_findsWhatTheStoreFinds()
{
    QFETCH(QByteArray, file);
    ExpenditureBook book = sampleBook();
    QString rootName;
    const IoResult parsed = ExpendituresFile::parseExpenditures(file, &book, &rootName);
    ExpenditureBook expected = sampleBook();
    QString expectedRootName;
    const IoResult oracle = readBookThroughStore(file, &expected, &expectedRootName);
    QCOMPARE(parsed.ok, oracle.ok);
    QCOMPARE(parsed.error, oracle.error);
    QCOMPARE(book, expected);
    QCOMPARE(rootName, expectedRootName);
}

void TestExpendituresFile::load_missingKeys_takeTheirDefaults()
{
    ExpenditureBook book;
    QVERIFY(ExpendituresFile::parseExpenditures(fixture(QStringLiteral("missing_keys.txt")), &book));
    QCOMPARE(book.AllMoney, 1.0);
    QCOMPARE(book.Expenditures.size(), 3);

    const TExpenditure &first = book.Expenditures[0];
    QCOMPARE(first.Name, QStringLiteral("Rent"));
    QCOMPARE(first.Value, -1.0);
    QCOMPARE(first.Occured, false);
    QCOMPARE(first.IsExpenditure, false);
    QCOMPARE(first.Date, 0.0);

    for (int i = 1; i < 3; ++i) {
        const TExpenditure &e = book.Expenditures[i];
        QVERIFY(e.Name.isEmpty());
        QCOMPARE(e.Value, 0.0);
        QCOMPARE(DateTime::toQDate(e.Date), QDate(1899, 12, 30));
        QCOMPARE(e.Type, quint8(0));
        QCOMPARE(e.Periodicity, quint8(0));
        QCOMPARE(e.Occured, true);
        QCOMPARE(e.IsExpenditure, true);
    }
}

void TestExpendituresFile::load_missingOccured_neverTouchesTheBalanceAgain()
{
    QByteArray data = "<?xml version=\"1.0\"?><Configuration><AllMoney>0000000000000080FF3F</AllMoney>"
                      "<NumberOfExpenditures>1</NumberOfExpenditures><Value0>00000000000000C803C0</Value0>"
                      "</Configuration>";
    ExpenditureBook book;
    QVERIFY(ExpendituresFile::parseExpenditures(data, &book));
    QCOMPARE(book.Expenditures.size(), 1);
    QCOMPARE(book.Expenditures[0].Value, -25.0);
    QVERIFY(book.Expenditures[0].Occured);
}

void TestExpendituresFile::load_keepsLowEightBitsOfCodes()
{
    ExpenditureBook book;
    QVERIFY(ExpendituresFile::parseExpenditures(fixture(QStringLiteral("codes_beyond_eight_bits.txt")), &book));
    QCOMPARE(book.AllMoney, 0.0);
    QCOMPARE(book.Expenditures.size(), 1);
    QCOMPARE(book.Expenditures[0].Periodicity, quint8(1));
    QCOMPARE(book.Expenditures[0].Type, quint8(255));
    QCOMPARE(book.Expenditures[0].Occured, false);
}

void TestExpendituresFile::load_otherRootAndKeyCase_readNormally()
{
    ExpenditureBook book;
    QString rootName;
    QVERIFY(
        ExpendituresFile::parseExpenditures(fixture(QStringLiteral("other_root_mixed_case.txt")), &book, &rootName));
    QCOMPARE(rootName, QStringLiteral("Storage"));
    QCOMPARE(book.AllMoney, 1.0);
    QCOMPARE(book.Expenditures.size(), 1);
    QCOMPARE(book.Expenditures[0].Name, QStringLiteral("Bread & butter \u00e9"));
    QCOMPARE(book.Expenditures[0].Date, 39589.604166666664);
    QVERIFY(ExpendituresFile::expendituresData(book, rootName).contains("<Storage>"));
}

void TestExpendituresFile::load_unreadable_leavesBookUntouched_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("negative count") << QStringLiteral("negative_count.txt");
    QTest::newRow("count not a number") << QStringLiteral("count_not_a_number.txt");
    QTest::newRow("count beyond the entries") << QStringLiteral("count_beyond_entries.txt");
    QTest::newRow("not well formed") << QStringLiteral("not_well_formed.txt");
}

void TestExpendituresFile::load_unreadable_leavesBookUntouched()
{
    QFETCH(QString, file);
    ExpenditureBook book = sampleBook();
    const IoResult result = ExpendituresFile::parseExpenditures(fixture(file), &book);
    QVERIFY(!result.ok);
    QVERIFY(!result.error.isEmpty());
    QCOMPARE(book, sampleBook());
}

void TestExpendituresFile::loadFile_missing_leavesBookAsItIs()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ExpenditureBook book = sampleBook();
    const DataFile::LoadResult result =
        loadBook(dir.filePath(QStringLiteral("expenditures.txt")), &book, QDateTime::currentDateTime());
    QCOMPARE(result.outcome, DataFile::Outcome::Missing);
    QCOMPARE(book, sampleBook());
}

void TestExpendituresFile::saveFileThenLoadFile_roundTrip()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("expenditures.txt"));
    QVERIFY(DataFile::save(path, ExpendituresFile::expendituresData(sampleBook()), nullptr));
    ExpenditureBook book;
    const DataFile::LoadResult result = loadBook(path, &book, QDateTime::currentDateTime());
    QCOMPARE(result.outcome, DataFile::Outcome::Loaded);
    QCOMPARE(book, sampleBook());
}

void TestExpendituresFile::loadFile_unreadable_keepsFileAside()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("expenditures.txt"));
    QVERIFY(QFile::copy(QStringLiteral(MAREVO_TEST_DATA "/expenditures/count_beyond_entries.txt"), path));
    ExpenditureBook book = sampleBook();
    const DataFile::LoadResult result = loadBook(path, &book, QDateTime(QDate(2025, 3, 17), QTime(8, 5, 9)));
    QCOMPARE(result.outcome, DataFile::Outcome::KeptAside);
    QVERIFY(!QFile::exists(path));
    QVERIFY(QFile::exists(result.keptAsidePath));
    QVERIFY(result.message.contains(QStringLiteral("expenditures.txt")));
    QCOMPARE(book, sampleBook());
}

QTEST_GUILESS_MAIN(TestExpendituresFile)
#include "tst_expendituresfile.moc"
