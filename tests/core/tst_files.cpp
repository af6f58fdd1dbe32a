#include "core/DataFile.h"
#include "core/FileIo.h"
#include "core/TextLines.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Stands in for the pass-phrase cipher: flips every byte.
class FlipCodec final : public DataFileCodec
{
public:
    static QByteArray flipped(QByteArray bytes)
    {
        for (char &c : bytes)
            c = static_cast<char>(~c);
        return bytes;
    }
    // Refuses what holds "fail", as a codec without its key would.
    IoResult encode(const QByteArray &plain, QByteArray *stored) const override
    {
        if (plain.contains("fail"))
            return IoResult::failure(QStringLiteral("No key"));
        *stored = flipped(plain);
        return IoResult::success();
    }
    IoResult decode(const QByteArray &stored, QByteArray *plain) const override
    {
        if (stored.isEmpty())
            return IoResult::failure(QStringLiteral("Invalid file format"));
        *plain = flipped(stored);
        return IoResult::success();
    }
};

void writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestFiles final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void splitLines_data();
    void splitLines();
    void joinLines_data();
    void joinLines();
    void load_missingFile_reportsMissing();
    void load_unparsable_keepsFileAsideAndSaysWhere();
    void load_throughCodec_andPlainXmlStillReadable();
    void save_throughCodec_writesEncodedBytes();
    void save_intoMissingFolder_failsAndSaysWhy();
    void readFile_refusesOversizedFile();
};

void TestFiles::splitLines_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << QByteArray("one\r\ntwo\r\n") << QStringList{QStringLiteral("one"), QStringLiteral("two")};
    QTest::newRow("lone LF") << QByteArray("one\ntwo") << QStringList{QStringLiteral("one"), QStringLiteral("two")};
    QTest::newRow("lone CR dropped") << QByteArray("o\rne\r\n") << QStringList{QStringLiteral("one")};
    QTest::newRow("byte 26 inside is text") << QByteArray("one\r\ntwo\x1Athree\r\n")
                                            << QStringList{QStringLiteral("one"), QStringLiteral("two\u001Athree")};
    QTest::newRow("byte 26 as the last byte ends the file")
        << QByteArray("one\r\ntwo\x1A") << QStringList{QStringLiteral("one"), QStringLiteral("two")};
    QTest::newRow("empty file") << QByteArray() << QStringList{QString()};
    QTest::newRow("blank lines kept") << QByteArray("\r\n\r\nx\r\n") << QStringList{QString(), QString(), QStringLiteral("x")};
    QTest::newRow("latin-1 byte") << QByteArray("caf\xE9\r\n") << QStringList{QStringLiteral("caf") + QChar(0xE9)};
    QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBF\xE2\x82\xAC 5\r\n")
                                     << QStringList{QString(QChar(0x20AC)) + QStringLiteral(" 5")};
}

void TestFiles::splitLines()
{
    QFETCH(QByteArray, data);
    QFETCH(QStringList, lines);
    QCOMPARE(TextLines::split(data), lines);
}

void TestFiles::joinLines_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("one empty line") << QStringList{QString()} << QByteArray("\r\n");
    QTest::newRow("latin-1 stays single-byte") << QStringList{QStringLiteral("caf") + QChar(0xE9), QStringLiteral("x")}
                                               << QByteArray("caf\xE9\r\nx\r\n");
    QTest::newRow("beyond latin-1 is utf-8 with mark") << QStringList{QString(QChar(0x20AC))}
                                                       << QByteArray("\xEF\xBB\xBF\xE2\x82\xAC\r\n");
    QTest::newRow("latin-1 looking like the mark is utf-8 with mark")
        << QStringList{QStringLiteral("\u00EF\u00BB\u00BF"), QStringLiteral("d")}
        << QByteArray("\xEF\xBB\xBF\xC3\xAF\xC2\xBB\xC2\xBF\r\nd\r\n");
    QTest::newRow("a line starting with U+FEFF keeps it")
        << QStringList{QStringLiteral("\uFEFF\u20AC"), QStringLiteral("\uFEFF")}
        << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF\xE2\x82\xAC\r\n\xEF\xBB\xBF\r\n");
}

void TestFiles::joinLines()
{
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, data);
    QCOMPARE(TextLines::join(lines), data);
    QCOMPARE(TextLines::split(data), lines);
}

void TestFiles::load_missingFile_reportsMissing()
{
    QTemporaryDir dir;
    bool parsed = false;
    const auto result = DataFile::load(dir.filePath(QStringLiteral("data.txt")), nullptr,
                                       [&](const QByteArray &) { parsed = true; return IoResult::success(); },
                                       QDateTime::currentDateTime());
    QCOMPARE(result.outcome, DataFile::Outcome::Missing);
    QVERIFY(!parsed);
}

void TestFiles::load_unparsable_keepsFileAsideAndSaysWhere()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.txt"));
    writeRaw(path, "broken");
    const QDateTime now(QDate(2026, 12, 9), QTime(10, 11, 12));
    const auto result = DataFile::load(
        path, nullptr, [](const QByteArray &) { return IoResult::failure(QStringLiteral("line 1: junk")); }, now);
    QCOMPARE(result.outcome, DataFile::Outcome::KeptAside);
    const QString aside = dir.filePath(QStringLiteral("data.txt.unreadable-20261209-101112"));
    QCOMPARE(result.keptAsidePath, aside);
    QVERIFY(!QFile::exists(path));
    QVERIFY(result.message.contains(QStringLiteral("line 1: junk")));
    QVERIFY(result.message.contains(aside));
    QFile kept(aside);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("broken"));

    // A second failure in the same second does not overwrite the first copy.
    writeRaw(path, "broken again");
    const auto second = DataFile::load(
        path, nullptr, [](const QByteArray &) { return IoResult::failure(QStringLiteral("x")); }, now);
    QVERIFY(second.keptAsidePath != aside);
    QVERIFY(QFile::exists(aside) && QFile::exists(second.keptAsidePath));
}

void TestFiles::load_throughCodec_andPlainXmlStillReadable()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.txt"));
    FlipCodec codec;
    QByteArray seen;
    const auto parse = [&](const QByteArray &plain) { seen = plain; return IoResult::success(); };
    writeRaw(path, FlipCodec::flipped("<Configuration/>"));
    QCOMPARE(DataFile::load(path, &codec, parse, QDateTime::currentDateTime()).outcome, DataFile::Outcome::Loaded);
    QCOMPARE(seen, QByteArray("<Configuration/>"));
    writeRaw(path, "<?xml version=\"1.0\"?><C/>");
    QCOMPARE(DataFile::load(path, &codec, parse, QDateTime::currentDateTime()).outcome, DataFile::Outcome::Loaded);
    QCOMPARE(seen, QByteArray("<?xml version=\"1.0\"?><C/>"));
    writeRaw(path, QByteArray());
    QCOMPARE(DataFile::load(path, &codec, parse, QDateTime::currentDateTime()).outcome,
             DataFile::Outcome::KeptAside);
}

void TestFiles::save_throughCodec_writesEncodedBytes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("notepad.txt"));
    FlipCodec codec;
    QVERIFY(DataFile::save(path, "abc", &codec));
    QByteArray stored;
    QVERIFY(FileIo::readFile(path, &stored));
    QCOMPARE(stored, FlipCodec::flipped("abc"));
    // A codec that cannot encode leaves the file as it was.
    const IoResult failed = DataFile::save(path, "fail", &codec);
    QVERIFY(!failed);
    QCOMPARE(failed.error, QStringLiteral("No key"));
    QVERIFY(FileIo::readFile(path, &stored));
    QCOMPARE(stored, FlipCodec::flipped("abc"));
}

void TestFiles::save_intoMissingFolder_failsAndSaysWhy()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no/such/folder/data.txt"));
    const IoResult result = DataFile::save(path, "x", nullptr);
    QVERIFY(!result);
    QVERIFY(result.error.contains(path));
}

void TestFiles::readFile_refusesOversizedFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.txt"));
    writeRaw(path, QByteArray(1000, 'x'));
    QByteArray data;
    QVERIFY(!FileIo::readFile(path, &data, 999));
    QVERIFY(data.isEmpty());
    QVERIFY(FileIo::readFile(path, &data, 1000));
}

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
