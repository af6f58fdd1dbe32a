#include "protection/StrongCipher.h"
#include "protection/StrongPasswordFile.h"

#include <QTest>

namespace {

using namespace StrongCipher;

const QString kPhrase = QStringLiteral("correct horse ąę");
constexpr qsizetype kStoredChunk = kChunkSize + kChunkOverhead;

QByteArray plainOf(qsizetype size)
{
    QByteArray plain(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        plain[i] = char(i * 7 + i / 251);
    return plain;
}

QByteArray flipped(QByteArray bytes, qsizetype at, char mask = 0x01)
{
    bytes[at] = char(bytes[at] ^ mask);
    return bytes;
}

} // namespace

class TestStrongCipher final : public QObject
{
    Q_OBJECT

    TStrongParams m_folder = withFreshSalt(minimalCost());
    // Three chunks, the last one short.
    QByteArray m_plain = plainOf(2 * kChunkSize + 100);
    QByteArray m_stored;

private Q_SLOTS:
    void initTestCase()
    {
        TStrongKeyring keyring(kPhrase);
        m_stored = encipher(m_plain, keyring, m_folder);
        QCOMPARE(m_stored.size(), kFileHeaderSize + m_plain.size() + 3 * kChunkOverhead);
    }

    void encipher_thenDecipher_givesThePlainBack_data()
    {
        QTest::addColumn<qsizetype>("size");
        QTest::newRow("empty") << qsizetype(0);
        QTest::newRow("oneByte") << qsizetype(1);
        QTest::newRow("oneChunk") << qsizetype(kChunkSize);
        QTest::newRow("chunkAndOne") << qsizetype(kChunkSize + 1);
        QTest::newRow("severalChunks") << qsizetype(3 * kChunkSize + 5);
    }

    void encipher_thenDecipher_givesThePlainBack()
    {
        QFETCH(qsizetype, size);
        const QByteArray plain = plainOf(size);
        TStrongKeyring writer(kPhrase);
        const QByteArray stored = encipher(plain, writer, m_folder);
        QVERIFY(isStrongForm(stored));
        // Fresh stream header on every save.
        QVERIFY(encipher(plain, writer, m_folder) != stored);

        // A new unlock reads the file with the pass phrase alone.
        TStrongKeyring reader(kPhrase);
        const TDecipherResult result = decipher(stored, reader);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.plain, plain);
    }

    void decipher_changedOrForeignFile_isRefused_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("phrase");
        const qsizetype end = m_stored.size();
        const QString phrase = kPhrase;

        QTest::newRow("wrongPassPhrase") << m_stored << QStringLiteral("correct horse ąe");
        QTest::newRow("magic") << flipped(m_stored, 3) << phrase;
        // Still acceptable figures: the check, not the range test, must catch them.
        QTest::newRow("opsLimit") << flipped(m_stored, 8, 0x02) << phrase;
        QTest::newRow("memLimit") << flipped(m_stored, 17, 0x40) << phrase;
        QTest::newRow("opsLimitHuge") << flipped(m_stored, 15, 0x40) << phrase;
        QTest::newRow("salt") << flipped(m_stored, 30) << phrase;
        QTest::newRow("streamHeader") << flipped(m_stored, 50) << phrase;
        QTest::newRow("firstChunkBody") << flipped(m_stored, kFileHeaderSize + 5) << phrase;
        QTest::newRow("secondChunkBody") << flipped(m_stored, kFileHeaderSize + kStoredChunk + 9) << phrase;
        QTest::newRow("firstChunkTag") << flipped(m_stored, kFileHeaderSize) << phrase;
        QTest::newRow("lastAuthenticator") << flipped(m_stored, end - 1) << phrase;

        QTest::newRow("cutInMagic") << m_stored.left(5) << phrase;
        QTest::newRow("cutInHeader") << m_stored.left(kFileHeaderSize - 1) << phrase;
        for (int chunks = 0; chunks <= 2; ++chunks) {
            const qsizetype boundary = kFileHeaderSize + chunks * kStoredChunk;
            QTest::addRow("cutAfter%dChunks", chunks) << m_stored.left(boundary) << phrase;
            QTest::addRow("cutInChunk%d", chunks + 1) << m_stored.left(boundary + 40) << phrase;
        }
        QTest::newRow("cutLastByte") << m_stored.left(end - 1) << phrase;

        QByteArray swapped = m_stored;
        swapped.replace(kFileHeaderSize, kStoredChunk, m_stored.mid(kFileHeaderSize + kStoredChunk, kStoredChunk));
        swapped.replace(kFileHeaderSize + kStoredChunk, kStoredChunk, m_stored.mid(kFileHeaderSize, kStoredChunk));
        QTest::newRow("chunksSwapped") << swapped << phrase;
        QTest::newRow("oneTrailingByte") << m_stored + QByteArray(1, '\0') << phrase;
        QTest::newRow("lastChunkTwice") << m_stored + m_stored.mid(kFileHeaderSize + 2 * kStoredChunk) << phrase;

        TStrongKeyring other(QStringLiteral("another folder"));
        QTest::newRow("otherFoldersFile")
            << encipher(m_plain, other, withFreshSalt(minimalCost())) << phrase;
    }

    void decipher_changedOrForeignFile_isRefused()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, phrase);
        TStrongKeyring keyring(phrase);
        const TDecipherResult result = decipher(stored, keyring);
        QVERIFY(!result.ok);
        QVERIFY(result.plain.isEmpty());
        QCOMPARE(result.error, damagedText());
    }

    void decipher_withTheFoldersKey_refusesOtherFigures()
    {
        // Same pass phrase, another salt: it reads on its own, but not as this folder's file.
        TStrongKeyring keyring(kPhrase);
        const QByteArray foreign = encipher(m_plain, keyring, withFreshSalt(minimalCost()));
        QVERIFY(decipher(foreign, keyring).ok);
        QVERIFY(!decipher(foreign, *keyring.keyFor(m_folder)).ok);
        QVERIFY(decipher(m_stored, *keyring.keyFor(m_folder)).ok);
    }

    void passwordFile_check_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<int>("expected");
        TStrongKeyring keyring(kPhrase);
        const QByteArray file = StrongPasswordFile::serialize(StrongPasswordFile::create(keyring, minimalCost()));
        const auto right = int(StrongPasswordFile::Check::Right);
        const auto wrong = int(StrongPasswordFile::Check::Wrong);
        const auto damaged = int(StrongPasswordFile::Check::Damaged);

        QTest::newRow("right") << file << kPhrase << right;
        QTest::newRow("wrong") << file << QStringLiteral("Correct horse ąę") << wrong;
        QTest::newRow("emptyPhrase") << file << QString() << wrong;
        QTest::newRow("saltChanged") << flipped(file, 30) << kPhrase << wrong;
        QTest::newRow("verifierChanged") << flipped(file, file.size() - 1) << kPhrase << wrong;
        QTest::newRow("magicChanged") << flipped(file, 0) << kPhrase << damaged;
        QTest::newRow("costOutOfRange") << flipped(file, 15, 0x40) << kPhrase << damaged;
        QTest::newRow("cut") << file.left(file.size() - 1) << kPhrase << damaged;
        QTest::newRow("trailing") << file + '\n' << kPhrase << damaged;
        QTest::newRow("oldForm") << QByteArray("ABCDEFGHIJKLMNOPQRSTU\r\n123456789012345\r\n") << kPhrase << damaged;
    }

    void passwordFile_check()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, phrase);
        QFETCH(int, expected);
        TStrongKeyring keyring(phrase);
        QCOMPARE(int(StrongPasswordFile::check(data, keyring)), expected);
    }

    void passwordFile_sharesItsKeyWithTheDataFiles()
    {
        TStrongKeyring keyring(kPhrase);
        std::shared_ptr<const TStrongKey> key;
        const TStrongPasswordFile file = StrongPasswordFile::create(keyring, minimalCost(), &key);
        QVERIFY(key);
        TStrongPasswordFile read;
        QVERIFY(StrongPasswordFile::parse(StrongPasswordFile::serialize(file), &read));
        QCOMPARE(read, file);
        // Deriving once per unlock: the data files of the folder find the same key.
        QCOMPARE(keyring.keyFor(read.params), key);
        TStrongParams params;
        QVERIFY(readParams(encipher(m_plain, *key), &params));
        QCOMPARE(params, file.params);
    }
};

QTEST_GUILESS_MAIN(TestStrongCipher)
#include "tst_strongcipher.moc"
