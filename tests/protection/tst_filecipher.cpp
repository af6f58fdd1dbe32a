#include "protection/FileCipher.h"
#include "protection/PassPhraseCodec.h"
#include "protection/PiDigits.h"

#include "core/DataFile.h"

#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

const QString kDataDir = QStringLiteral(MAREVO_TEST_DATA "/protection/");

QByteArray readFixture(const QString &name)
{
    QFile file(kDataDir + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

QByteArray keyBytes(const TCipherKey &key)
{
    return QByteArray(reinterpret_cast<const char *>(key.data()), qsizetype(key.size()));
}

// The byte at position 7 of the last block, deciphered by hand.
int deciphered(const QByteArray &stored, qsizetype at, const TCipherMask &mask)
{
    const quint32 word = (at % 8) < 4 ? mask.E : mask.O;
    return quint8(stored[at]) ^ quint8(word >> (8 * (at % 4)));
}

// Bailey-Borwein-Plouffe: sum over k of 16^(n-k) / (8k + j), fractional part only.
double bbpSeries(int j, int n)
{
    double sum = 0;
    for (int k = 0; k <= n; ++k) {
        double power = 1, base = 16;
        const double modulus = 8.0 * k + j;
        for (int e = n - k; e > 0; e >>= 1) {
            if (e & 1)
                power = std::fmod(power * base, modulus);
            base = std::fmod(base * base, modulus);
        }
        sum = std::fmod(sum + power / modulus, 1.0);
    }
    for (int k = n + 1; k <= n + 12; ++k)
        sum += std::pow(16.0, n - k) / (8.0 * k + j);
    return sum - std::floor(sum);
}

int piHexDigit(int n)
{
    double x = 4 * bbpSeries(1, n) - 2 * bbpSeries(4, n) - bbpSeries(5, n) - bbpSeries(6, n);
    x -= std::floor(x);
    return int(x * 16);
}

const TCipherMask kSecretMask = FileCipher::keySchedule(FileCipher::GenerateKey(QStringLiteral("secret")));

} // namespace

class TestFileCipher final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void piTable_matchesDigitExtraction()
    {
        for (int i = 0; i < 256; ++i) {
            const int expected = piHexDigit(2 * i) * 16 + piHexDigit(2 * i + 1);
            QCOMPARE(int(PiDigits::kFractionBytes[i]), expected);
        }
    }

    void mixFour_knownAnswer()
    {
        quint32 a = 1, b = 2, c = 3, d = 4;
        FileCipher::mixFour(a, b, c, d);
        QCOMPARE(a, 0x03F37DC9u);
        QCOMPARE(b, 0xF96D90F7u);
        QCOMPARE(c, 0xFCF0EB44u);
        QCOMPARE(d, 0xC9E4E3BBu);
    }

    void mixEight_knownAnswer()
    {
        std::array<quint32, 8> words = {1, 2, 3, 4, 5, 6, 7, 8};
        FileCipher::mixEight(words);
        const std::array<quint32, 8> expected = {0x04795161, 0x04691D3B, 0x40647E64, 0x0000100F,
                                                 0x40442D18, 0x00102425, 0x04691D36, 0x4054695C};
        QCOMPARE(words, expected);
    }

    void GenerateKey_knownAnswers_data()
    {
        QTest::addColumn<QByteArray>("phrase");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<quint32>("maskE");
        QTest::addColumn<quint32>("maskO");
        // Empty: the key comes from the fill bytes alone.
        QTest::newRow("empty") << QByteArray() << QByteArray::fromHex("0bd132aa831c56ac1f92e61084a342d2")
                               << 0x62644CD7u << 0x0DFB3F88u;
        QTest::newRow("oneByte") << QByteArray("a") << QByteArray::fromHex("845eb2948758dc943b8a2f887491032e")
                                 << 0xEDEBCCE9u << 0x09BFB5B0u;
        QTest::newRow("sevenBytes") << QByteArray("1234567")
                                    << QByteArray::fromHex("24fc3cdb60455598e1015696707cc139") << 0x4D4942A6u
                                    << 0xEEA23CBCu;
        // A whole block: the fill adds a second mix of eight bytes.
        QTest::newRow("eightBytes") << QByteArray("12345678")
                                    << QByteArray::fromHex("b71bccfc7a8c64aae7e3b7c6716ad7d6") << 0xDEAEB281u
                                    << 0xF46B0D8Eu;
        QTest::newRow("nineBytes") << QByteArray("123456789")
                                   << QByteArray::fromHex("c19b40cfe741e4dd0f903f1a60c9af50") << 0xA82E3EB2u
                                   << 0x69A68DF9u;
        QTest::newRow("highBytes") << QByteArray::fromHex("5a616bf364")
                                   << QByteArray::fromHex("d2867d6dc86d180a453c663c371e7eec") << 0xBB330310u
                                   << 0x468A712Eu;
        QByteArray wraps;
        for (int i = 0; i < 512; ++i)
            wraps.append(char(i));
        wraps.append('x');
        // 513 bytes: the digest index wraps around twice.
        QTest::newRow("wrapsDigest") << wraps << QByteArray::fromHex("0096c6249e68cf300a40aa384c108137")
                                     << 0x6923B859u << 0x108FA614u;
    }

    void GenerateKey_knownAnswers()
    {
        QFETCH(QByteArray, phrase);
        QFETCH(QByteArray, key);
        QFETCH(quint32, maskE);
        QFETCH(quint32, maskO);
        const TCipherKey generated = FileCipher::GenerateKey(phrase);
        QCOMPARE(keyBytes(generated).toHex(), key.toHex());
        const TCipherMask mask = FileCipher::keySchedule(generated);
        QCOMPARE(mask.E, maskE);
        QCOMPARE(mask.O, maskO);
    }

    void GenerateKey_passPhraseBytes_data()
    {
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("latin1") << QStringLiteral("Zak\u00F3d") << QByteArray::fromHex("5a616bf364");
        QTest::newRow("utf8") << QStringLiteral("Za\u017C\u00F3\u0142\u0107")
                              << QByteArray::fromHex("5a61c5bcc3b3c582c487");
    }

    void GenerateKey_passPhraseBytes()
    {
        QFETCH(QString, phrase);
        QFETCH(QByteArray, bytes);
        QCOMPARE(keyBytes(FileCipher::GenerateKey(phrase)).toHex(), keyBytes(FileCipher::GenerateKey(bytes)).toHex());
    }

    void cipherObject_keepsKeyOfLastGenerateKey()
    {
        TFileCipher cipher;
        cipher.GenerateKey(QStringLiteral("first"));
        cipher.GenerateKey(QString());
        QCOMPARE(keyBytes(cipher.key()).toHex(), QByteArray("0bd132aa831c56ac1f92e61084a342d2"));
        QCOMPARE(cipher.mask(), (TCipherMask{0x62644CD7u, 0x0DFB3F88u}));
    }

    void EncryptFile_knownAnswers_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("empty") << QByteArray() << QByteArray::fromHex("7dd85d09310ed5f7");
        QTest::newRow("oneBlock") << QByteArray("ABCDEFGH") << QByteArray::fromHex("3c9a1e4d744892bf7dd85d09310ed5f7");
        QTest::newRow("thirteen") << QByteArray("Hello, world!")
                                  << QByteArray::fromHex("35bd31655e22f58012aa316d100ed5f2");
        QTest::newRow("xmlHead") << QByteArray("<?xml version=\"1.0\"?>")
                                 << QByteArray::fromHex("41e725645d2ea3920fab34665f33f7c653e87f360f0ed5f2");
    }

    void EncryptFile_knownAnswers()
    {
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, stored);
        QCOMPARE(FileCipher::EncryptFile(plain, kSecretMask).toHex(), stored.toHex());
        QByteArray back;
        QVERIFY(FileCipher::DecryptFile(stored, kSecretMask, &back));
        QCOMPARE(back, plain);
    }

    void eightBytes_getSecondBlockWithCountZero()
    {
        const QByteArray stored = FileCipher::EncryptFile("12345678", kSecretMask);
        QCOMPARE(stored.size(), 16);
        for (int at = 8; at < 16; ++at)
            QCOMPARE(deciphered(stored, at, kSecretMask), 0);
    }

    void thirteenBytes_lastByteDecipheresToFive()
    {
        const QByteArray stored = FileCipher::EncryptFile("Hello, world!", kSecretMask);
        QCOMPARE(stored.size(), 16);
        QCOMPARE(deciphered(stored, 15, kSecretMask), 5);
    }

    void equalPlainBlocks_encipherEqually()
    {
        const QByteArray stored = FileCipher::EncryptFile("same8bytsame8byt", kSecretMask);
        QCOMPARE(stored.mid(0, 8), stored.mid(8, 8));
    }

    void transformBlock_twiceGivesBlockBack()
    {
        char block[8] = {'\x00', '\x7F', '\x80', '\xFF', 'a', 'b', 'c', 'd'};
        const QByteArray before(block, 8);
        FileCipher::transformBlock(block, kSecretMask);
        QVERIFY(QByteArray(block, 8) != before);
        FileCipher::transformBlock(block, kSecretMask);
        QCOMPARE(QByteArray(block, 8), before);
    }

    void roundTrip_everySmallSize_data()
    {
        QTest::addColumn<int>("size");
        for (int size = 0; size <= 40; ++size)
            QTest::addRow("%d bytes", size) << size;
    }

    void roundTrip_everySmallSize()
    {
        QFETCH(int, size);
        QRandomGenerator random(quint32(size) + 7);
        QByteArray plain(size, Qt::Uninitialized);
        for (char &b : plain)
            b = char(random.bounded(256));
        const TFileCipher cipher(QStringLiteral("round trip"));
        const QByteArray stored = cipher.EncryptFile(plain);
        QCOMPARE(stored.size(), 8 * (size / 8 + 1));
        QCOMPARE(deciphered(stored, stored.size() - 1, cipher.mask()), size % 8);
        QByteArray back;
        const IoResult result = cipher.DecryptFile(stored, &back);
        QVERIFY2(result, qPrintable(result.error));
        QCOMPARE(back, plain);
    }

    void roundTrip_largeBuffer()
    {
        QRandomGenerator random(42);
        QByteArray plain(3 * 1024 * 1024, Qt::Uninitialized);
        random.fillRange(reinterpret_cast<quint32 *>(plain.data()), plain.size() / 4);
        plain.append("tail!");
        const TFileCipher cipher(QStringLiteral("large"));
        const QByteArray stored = cipher.EncryptFile(plain);
        QCOMPARE(stored.size(), plain.size() - 5 + 8);
        QByteArray back;
        QVERIFY(cipher.DecryptFile(stored, &back));
        QCOMPARE(back, plain);
    }

    void DecryptFile_wrongPassPhrase_neverGivesPlainBack()
    {
        const QByteArray plain = readFixture(QStringLiteral("notepad-plain.txt"));
        const QByteArray stored = TFileCipher(QStringLiteral("secret")).EncryptFile(plain);
        for (const QString &other : {QStringLiteral("Secret"), QStringLiteral("secret "), QString()}) {
            QByteArray back;
            const IoResult result = TFileCipher(other).DecryptFile(stored, &back);
            QVERIFY2(!result || back != plain, qPrintable(other));
        }
    }

    void DecryptFile_rejectsWhatEncryptingCannotWrite_data()
    {
        QTest::addColumn<QByteArray>("stored");
        const QByteArray good = FileCipher::EncryptFile("Hello, world!", kSecretMask); // 16 bytes, count 5
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("oneByte") << good.left(1);
        QTest::newRow("sevenBytes") << good.left(7);
        QTest::newRow("nineBytes") << good.left(9);
        QTest::newRow("fifteenBytes") << good.left(15);
        QTest::newRow("trailingByte") << good + 'x';
        for (int count : {8, 9, 128, 255}) {
            QByteArray bad = good;
            bad[15] = char(quint8(good[15]) ^ 5 ^ count);
            QTest::addRow("count %d", count) << bad;
        }
        QByteArray dirtyFill = good;
        dirtyFill[13] = char(dirtyFill[13] ^ 1);
        QTest::newRow("fillNotZero") << dirtyFill;
        QTest::newRow("plainText") << QByteArray("Plain notes!!!!\n");
    }

    void DecryptFile_rejectsWhatEncryptingCannotWrite()
    {
        QFETCH(QByteArray, stored);
        QByteArray plain("untouched");
        const IoResult result = FileCipher::DecryptFile(stored, kSecretMask, &plain);
        QVERIFY(!result);
        QCOMPARE(result.error, QStringLiteral("Invalid file format"));
        QCOMPARE(plain, QByteArray("untouched"));
    }

    void DecryptFile_randomInput_neverFailsHard()
    {
        // Any input either deciphers to fewer bytes than it has or is refused.
        QRandomGenerator random(1234);
        for (int round = 0; round < 2000; ++round) {
            QByteArray stored(random.bounded(70), Qt::Uninitialized);
            for (char &b : stored)
                b = char(random.bounded(256));
            QByteArray plain;
            if (FileCipher::DecryptFile(stored, kSecretMask, &plain)) {
                QCOMPARE(stored.size() % 8, 0);
                QVERIFY(plain.size() >= stored.size() - 8 && plain.size() < stored.size());
            }
        }
    }

    void storedFixture_decipheresWithUtf8PassPhrase()
    {
        const TFileCipher cipher(QStringLiteral("Za\u017C\u00F3\u0142\u0107"));
        const QByteArray stored = readFixture(QStringLiteral("notepad-enciphered.bin"));
        const QByteArray plain = readFixture(QStringLiteral("notepad-plain.txt"));
        QByteArray back;
        QVERIFY(cipher.DecryptFile(stored, &back));
        QCOMPARE(back, plain);
        QCOMPARE(cipher.EncryptFile(plain), stored);
    }

    void codec_savesEncipheredAndLoadsPlain()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("notepad.txt"));
        const QByteArray plain = readFixture(QStringLiteral("notepad-plain.txt"));
        const PassPhraseCodec codec(QStringLiteral("Za\u017C\u00F3\u0142\u0107"));
        QVERIFY(DataFile::save(path, plain, &codec));

        QFile onDisk(path);
        QVERIFY(onDisk.open(QIODevice::ReadOnly));
        QCOMPARE(onDisk.readAll(), readFixture(QStringLiteral("notepad-enciphered.bin")));
        QCOMPARE(onDisk.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), QFileDevice::Permissions());
        onDisk.close();

        QByteArray parsed;
        const DataFile::LoadResult loaded = DataFile::load(
            path, &codec, [&parsed](const QByteArray &bytes) { parsed = bytes; return IoResult::success(); },
            QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
        QCOMPARE(loaded.outcome, DataFile::Outcome::Loaded);
        QCOMPARE(parsed, plain);
    }

    void codec_wrongPassPhrase_fileKeptAside()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("notepad.txt"));
        const PassPhraseCodec right(QStringLiteral("right"));
        QVERIFY(DataFile::save(path, readFixture(QStringLiteral("notepad-plain.txt")), &right));
        const PassPhraseCodec wrong(QStringLiteral("wrong"));
        bool parserCalled = false;
        const DataFile::LoadResult loaded = DataFile::load(
            path, &wrong, [&parserCalled](const QByteArray &) { parserCalled = true; return IoResult::success(); },
            QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
        QCOMPARE(loaded.outcome, DataFile::Outcome::KeptAside);
        QVERIFY(!parserCalled);
        QVERIFY(loaded.message.contains(QStringLiteral("Invalid file format")));
        QVERIFY(QFile::exists(loaded.keptAsidePath));
    }
};

QTEST_GUILESS_MAIN(TestFileCipher)
#include "tst_filecipher.moc"
