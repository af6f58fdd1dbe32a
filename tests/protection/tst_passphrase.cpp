#include "protection/FileCipher.h"
#include "protection/PassPhraseCodec.h"
#include "protection/PasswordFile.h"
#include "protection/Protection.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <set>

namespace {

const QString kDataDir = QStringLiteral(MAREVO_TEST_DATA "/protection/");

QByteArray readFixture(const QString &name)
{
    QFile file(kDataDir + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

bool readRaw(const QString &path, QByteArray *data)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *data = file.readAll();
    return true;
}

bool writeRaw(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

const QByteArray kSalt21("ABCDEFGHIJKLMNOPQRSTU");

QByteArray strongPasswordFile(const QString &phrase)
{
    TStrongKeyring keyring(phrase);
    return StrongPasswordFile::serialize(StrongPasswordFile::create(keyring, StrongCipher::minimalCost()));
}

} // namespace

class TestPassPhrase final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void CheckPassword_isTruncatedSha1_data()
    {
        QTest::addColumn<QByteArray>("phrase");
        QTest::addColumn<QByteArray>("salt");
        QTest::addColumn<QByteArray>("check");
        // Published SHA-1 digests of "abc" and of nothing, cut to 15 bytes.
        QTest::newRow("abc") << QByteArray("ab") << QByteArray("c")
                             << QByteArray::fromHex("a9993e364706816aba3e25717850c2");
        QTest::newRow("allInSalt") << QByteArray() << QByteArray("abc")
                                   << QByteArray::fromHex("a9993e364706816aba3e25717850c2");
        QTest::newRow("nothing") << QByteArray() << QByteArray()
                                 << QByteArray::fromHex("da39a3ee5e6b4b0d3255bfef956018");
    }

    void CheckPassword_isTruncatedSha1()
    {
        QFETCH(QByteArray, phrase);
        QFETCH(QByteArray, salt);
        QFETCH(QByteArray, check);
        QCOMPARE(CheckPassword(phrase, salt).toHex(), check.toHex());
    }

    void passPhraseBytes_latin1WhenItFitsElseUtf8_data()
    {
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QString() << QByteArray();
        QTest::newRow("ascii") << QStringLiteral("Marevo") << QByteArray("Marevo");
        QTest::newRow("latin1") << QStringLiteral("Zak\u00F3d") << QByteArray::fromHex("5a616bf364");
        QTest::newRow("yWithDiaeresis") << QStringLiteral("\u00FF") << QByteArray::fromHex("ff");
        QTest::newRow("euroSign") << QStringLiteral("\u20AC") << QByteArray::fromHex("e282ac");
        // One character beyond Latin-1 turns the whole phrase to UTF-8.
        QTest::newRow("mixed") << QStringLiteral("\u00F3\u0142") << QByteArray::fromHex("c3b3c582");
    }

    void passPhraseBytes_latin1WhenItFitsElseUtf8()
    {
        QFETCH(QString, phrase);
        QFETCH(QByteArray, bytes);
        QCOMPARE(FileCipher::passPhraseBytes(phrase).toHex(), bytes.toHex());
        QCOMPARE(CheckPassword(phrase, kSalt21), CheckPassword(bytes, kSalt21));
    }

    void parse_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("salt");
        QTest::addColumn<QByteArray>("check");
        const QByteArray check15("0123456789abcde");
        QTest::newRow("asWritten") << kSalt21 + "\r\n" + check15 + "\r\n" << kSalt21 << check15;
        // 40 bytes with CR LF at both line ends: by position, whatever lies inside.
        const QByteArray oddSalt = QByteArray("\r\nAB\x1A\n\rCDEFGHIJKLMNO", 21);
        const QByteArray oddCheck = QByteArray("\n\r\x1A" "456789abcdef", 15);
        QTest::newRow("byPosition") << oddSalt + "\r\n" + oddCheck + "\r\n" << oddSalt << oddCheck;
        QTest::newRow("lfOnly") << kSalt21 + "\n" + check15 + "\n" << kSalt21 << check15;
        QTest::newRow("noFinalLineEnd") << kSalt21 + "\r\n" + check15 << kSalt21 << check15;
        QTest::newRow("loneCrDropped") << QByteArray("ab\rc\r\nde\rf\r\n") << QByteArray("abc") << QByteArray("def");
        QTest::newRow("byte26EndsFile") << QByteArray("abc\r\nde\x1A" "f\r\n") << QByteArray("abc")
                                        << QByteArray("de");
        QTest::newRow("byte26InFirstLine") << QByteArray("ab\x1A" "c\r\ndef\r\n") << QByteArray("ab") << QByteArray();
        QTest::newRow("oneLine") << QByteArray("abc\r\n") << QByteArray("abc") << QByteArray();
        QTest::newRow("empty") << QByteArray() << QByteArray() << QByteArray();
        // 40 bytes, but the first line does not end at byte 21: the line rule.
        const QByteArray shifted = QByteArray("ABCDEFGHIJKLMNOPQRST\r\n") + "0123456789abcdef\r\n";
        QTest::newRow("fortyBytesOtherShape") << shifted << QByteArray("ABCDEFGHIJKLMNOPQRST")
                                              << QByteArray("0123456789abcdef");
    }

    void parse()
    {
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, salt);
        QFETCH(QByteArray, check);
        const TPasswordFile file = PasswordFile::parse(data);
        QCOMPARE(file.salt.toHex(), salt.toHex());
        QCOMPARE(file.check.toHex(), check.toHex());
    }

    void oldFormFile_withLineBytesInside_verifies()
    {
        const QByteArray data = readFixture(QStringLiteral("passwd-old-form.txt"));
        QCOMPARE(data.size(), 40);
        QVERIFY(PasswordFile::holdsLineBreaking(data.left(21)));
        QVERIFY(PasswordFile::holdsLineBreaking(data.mid(23, 15)));
        const TPasswordFile file = PasswordFile::parse(data);
        QCOMPARE(Protection::verifyPassPhrase(file, QStringLiteral("Marevo"), QStringLiteral("passwd.txt")).verdict, Protection::Verdict::Correct);
        QCOMPARE(Protection::verifyPassPhrase(file, QStringLiteral("marevo"), QStringLiteral("passwd.txt")).verdict, Protection::Verdict::Wrong);
    }

    void lineRuleFile_verifies()
    {
        const TPasswordFile file = PasswordFile::parse(readFixture(QStringLiteral("passwd-lf-only.txt")));
        QCOMPARE(Protection::verifyPassPhrase(file, QStringLiteral("Marevo"), QStringLiteral("passwd.txt")).verdict, Protection::Verdict::Correct);
    }

    void drawSalt_neverHoldsLineBytes_butAllOthers()
    {
        QRandomGenerator random(2026);
        std::set<int> seen;
        for (int round = 0; round < 3000; ++round) {
            const QByteArray salt = PasswordFile::drawSalt(random);
            QCOMPARE(salt.size(), 21);
            for (char b : salt) {
                QVERIFY2(!PasswordFile::isLineBreaking(quint8(b)), salt.toHex().constData());
                seen.insert(quint8(b));
            }
        }
        QCOMPARE(int(seen.size()), 253);
    }

    void create_bothLinesReadBackByLineRule()
    {
        // About one check value in six holds a line byte; 300 phrases meet many.
        QRandomGenerator random(7);
        for (int i = 0; i < 300; ++i) {
            const QString phrase = QStringLiteral("phrase %1").arg(i);
            const TPasswordFile file = PasswordFile::create(phrase, random);
            QVERIFY(!PasswordFile::holdsLineBreaking(file.salt));
            QVERIFY(!PasswordFile::holdsLineBreaking(file.check));
            QCOMPARE(file.check, CheckPassword(phrase, file.salt));
            const QByteArray data = PasswordFile::serialize(file);
            QCOMPARE(data.size(), 40);
            // Drop the CRs: only the line rule can read that back.
            QByteArray lfOnly;
            for (char b : data)
                if (b != '\r')
                    lfOnly.append(b);
            QCOMPARE(PasswordFile::parse(lfOnly), file);
        }
    }

    void write_isPrivate_andReadsBack()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("passwd.txt"));
        QRandomGenerator random(3);
        const TPasswordFile file = PasswordFile::create(QStringLiteral("x"), random);
        QVERIFY(PasswordFile::write(path, file));
        QCOMPARE(QFile(path).permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        TPasswordFile back;
        QVERIFY(PasswordFile::read(path, &back));
        QCOMPARE(back, file);
    }

    void read_missingOrHuge_fails()
    {
        QTemporaryDir dir;
        TPasswordFile file;
        QVERIFY(!PasswordFile::read(dir.filePath(QStringLiteral("passwd.txt")), &file));
        const QString huge = dir.filePath(QStringLiteral("huge.txt"));
        QVERIFY(writeRaw(huge, QByteArray(1024 * 1024, 'a')));
        QVERIFY(!PasswordFile::read(huge, &file));
    }

    void verifyPassPhrase_data()
    {
        QTest::addColumn<QByteArray>("fileData");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("exitCode");
        const QByteArray good = kSalt21 + "\r\n" + CheckPassword(QStringLiteral("Tajne"), kSalt21) + "\r\n";
        const QString wrong = QStringLiteral("Wrong password!");
        QTest::newRow("right") << good << QStringLiteral("Tajne") << int(Protection::Verdict::Correct) << QString()
                               << 0;
        QTest::newRow("caseDiffers") << good << QStringLiteral("tajne") << int(Protection::Verdict::Wrong) << wrong
                                     << 0;
        QTest::newRow("trailingSpace") << good << QStringLiteral("Tajne ") << int(Protection::Verdict::Wrong)
                                       << wrong << 0;
        QTest::newRow("empty") << good << QString() << int(Protection::Verdict::Wrong) << wrong << 0;
        const QByteArray emptyPhrase = kSalt21 + "\r\n" + CheckPassword(QString(), kSalt21) + "\r\n";
        QTest::newRow("emptyPhraseSet") << emptyPhrase << QString() << int(Protection::Verdict::Correct) << QString()
                                        << 0;
        const QString damaged = QStringLiteral("The password file \"passwd.txt\" is damaged; no password can match "
                                               "it. No file was changed.");
        QTest::newRow("checkTooShort") << good.left(35) << QStringLiteral("Tajne") << int(Protection::Verdict::Damaged)
                                       << damaged << 1;
        QTest::newRow("emptyFile") << QByteArray() << QString() << int(Protection::Verdict::Damaged) << damaged << 1;
        const QByteArray strong = strongPasswordFile(QStringLiteral("Tajne"));
        QTest::newRow("strongRight") << strong << QStringLiteral("Tajne") << int(Protection::Verdict::Correct)
                                     << QString() << 0;
        QTest::newRow("strongWrong") << strong << QStringLiteral("tajne") << int(Protection::Verdict::Wrong) << wrong
                                     << 0;
        QTest::newRow("strongEmptyPhraseSet") << strongPasswordFile(QString()) << QString()
                                              << int(Protection::Verdict::Correct) << QString() << 0;
        QTest::newRow("strongTruncated") << strong.chopped(1) << QStringLiteral("Tajne")
                                         << int(Protection::Verdict::Damaged) << damaged << 1;
        QByteArray hugeCost = strong;
        hugeCost[8] = char(0x7f); // an opslimit no file of ours asks for
        QTest::newRow("strongCostOutOfRange") << hugeCost << QStringLiteral("Tajne")
                                              << int(Protection::Verdict::Damaged) << damaged << 1;
    }

    void verifyPassPhrase()
    {
        QFETCH(QByteArray, fileData);
        QFETCH(QString, typed);
        QFETCH(int, verdict);
        QFETCH(QString, message);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("passwd.txt"));
        QVERIFY(writeRaw(path, fileData));
        const Protection::TUnlock unlock = Protection::verifyPassPhraseFile(path, typed);
        QCOMPARE(int(unlock.verdict), verdict);
        QCOMPARE(unlock.message, message);
        const bool correct = verdict == int(Protection::Verdict::Correct);
        QCOMPARE(unlock.endProgram, !correct);
        QCOMPARE(unlock.exitCode, exitCode);
        QCOMPARE(unlock.codec != nullptr, correct);
        if (correct) {
            // The codec of an old-form folder still reads its files; a strong one refuses them.
            QByteArray oldForm;
            QVERIFY(PassPhraseCodec(typed).encode("<?xml?><C/>", &oldForm));
            QByteArray plain;
            const bool strong = StrongPasswordFile::isStrongForm(fileData);
            QCOMPARE(bool(unlock.codec->decode(oldForm, &plain)), !strong);
            QCOMPARE(unlock.codec->writesStrongForm(), strong);
            QByteArray stored;
            QVERIFY(unlock.codec->encode("<?xml?><D/>", &stored));
            QVERIFY(unlock.codec->decode(stored, &plain));
            QCOMPARE(plain, QByteArray("<?xml?><D/>"));
        }
    }

    void verifyPassPhraseFile_unreadable_endsWithError()
    {
        QTemporaryDir dir;
        const Protection::TUnlock unlock =
            Protection::verifyPassPhraseFile(dir.filePath(QStringLiteral("passwd.txt")), QStringLiteral("x"));
        QCOMPARE(unlock.verdict, Protection::Verdict::Unreadable);
        QVERIFY(unlock.endProgram);
        QVERIFY(unlock.message.contains(QStringLiteral("passwd.txt")));
    }

    void Accept_equalTexts_writesFileThatVerifies_data()
    {
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<bool>("replacing");
        QTest::newRow("plain") << QStringLiteral("Tajne has\u0142o") << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("replacesOld") << QStringLiteral("new one") << true;
    }

    void Accept_equalTexts_writesFileThatVerifies()
    {
        QFETCH(QString, phrase);
        QFETCH(bool, replacing);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("passwd.txt"));
        const TStrongParams cost = StrongCipher::minimalCost();
        if (replacing)
            QVERIFY(Protection::Accept(path, QStringLiteral("old"), QStringLiteral("old"), cost).outcome
                    == Protection::AcceptOutcome::TurnedOn);
        const Protection::TAccept accepted = Protection::Accept(path, phrase, phrase, cost);
        QCOMPARE(accepted.outcome, Protection::AcceptOutcome::TurnedOn);
        QCOMPARE(accepted.message, QStringLiteral("Encryption turned on"));
        QVERIFY(accepted.codec && accepted.codec->writesStrongForm());
        QByteArray stored;
        QVERIFY(readRaw(path, &stored));
        QVERIFY(StrongPasswordFile::isStrongForm(stored));
        const Protection::TUnlock unlock = Protection::verifyPassPhraseFile(path, phrase);
        QCOMPARE(unlock.verdict, Protection::Verdict::Correct);
        // The files the new pass phrase writes read back after the next unlock.
        QByteArray enciphered;
        QVERIFY(accepted.codec->encode("notes", &enciphered));
        QByteArray plain;
        QVERIFY(unlock.codec->decode(enciphered, &plain));
        QCOMPARE(plain, QByteArray("notes"));
        if (replacing)
            QCOMPARE(Protection::verifyPassPhraseFile(path, QStringLiteral("old")).verdict,
                     Protection::Verdict::Wrong);
    }

    void Accept_differentTexts_writesNothing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("passwd.txt"));
        const Protection::TAccept accepted =
            Protection::Accept(path, QStringLiteral("one"), QStringLiteral("One"), StrongCipher::minimalCost());
        QCOMPARE(accepted.outcome, Protection::AcceptOutcome::PassPhrasesDiffer);
        QCOMPARE(accepted.message, QStringLiteral("Typed passwords are different! Try again."));
        QVERIFY(!accepted.codec);
        QVERIFY(!QFile::exists(path));
    }

    void Accept_missingFolder_failsWithMessage()
    {
        QTemporaryDir dir;
        const Protection::TAccept accepted =
            Protection::Accept(dir.filePath(QStringLiteral("gone/passwd.txt")), QStringLiteral("a"),
                               QStringLiteral("a"), StrongCipher::minimalCost());
        QCOMPARE(accepted.outcome, Protection::AcceptOutcome::WriteFailed);
        QVERIFY(accepted.message.contains(QStringLiteral("passwd.txt")));
    }

    void turnProtectionOff_data()
    {
        QTest::addColumn<bool>("passwdExists");
        QTest::addColumn<bool>("saveSucceeds");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("passwdAfter");
        QTest::newRow("saved") << true << true << true << false;
        QTest::newRow("saveFailed_keepsPasswd") << true << false << false << true;
        QTest::newRow("noPasswd") << false << true << true << false;
    }

    void turnProtectionOff()
    {
        QFETCH(bool, passwdExists);
        QFETCH(bool, saveSucceeds);
        QFETCH(bool, ok);
        QFETCH(bool, passwdAfter);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("passwd.txt"));
        if (passwdExists)
            QVERIFY(writeRaw(path, kSalt21 + "\r\n" + CheckPassword(QString(), kSalt21) + "\r\n"));
        bool passwdPresentWhileSaving = false;
        const IoResult result = Protection::turnProtectionOff(path, [&] {
            passwdPresentWhileSaving = QFile::exists(path);
            return saveSucceeds ? IoResult::success() : IoResult::failure(QStringLiteral("disk full"));
        });
        QCOMPARE(result.ok, ok);
        QCOMPARE(passwdPresentWhileSaving, passwdExists);
        QCOMPARE(QFile::exists(path), passwdAfter);
        if (!ok)
            QCOMPARE(result.error, QStringLiteral("disk full"));
    }

    void decideEncryptToggle_data()
    {
        QTest::addColumn<bool>("checked");
        QTest::addColumn<bool>("startup");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("information");
        QTest::addColumn<bool>("fieldsEnabled");
        QTest::addColumn<bool>("switchOn");
        QTest::newRow("startupOn") << true << true << int(Protection::ToggleAction::Nothing) << QString() << false
                                   << false;
        QTest::newRow("startupOff") << false << true << int(Protection::ToggleAction::Nothing) << QString() << false
                                    << false;
        QTest::newRow("turnedOn") << true << false << int(Protection::ToggleAction::PrepareNewPassPhrase)
                                  << QStringLiteral("Type password and retype it. Then click Accept") << true << true;
        QTest::newRow("turnedOff") << false << false << int(Protection::ToggleAction::TurnOff) << QString() << false
                                   << false;
    }

    void decideEncryptToggle()
    {
        QFETCH(bool, checked);
        QFETCH(bool, startup);
        QFETCH(int, action);
        QFETCH(QString, information);
        QFETCH(bool, fieldsEnabled);
        QFETCH(bool, switchOn);
        const Protection::TEncryptToggle toggle = Protection::decideEncryptToggle(checked, startup);
        QCOMPARE(int(toggle.action), action);
        QCOMPARE(toggle.information, information);
        QCOMPARE(toggle.fieldsEnabled, fieldsEnabled);
        QCOMPARE(toggle.clearFields, fieldsEnabled);
        QCOMPARE(toggle.focusFirstField, fieldsEnabled);
        QCOMPARE(toggle.switchOn, switchOn);
    }
};

QTEST_GUILESS_MAIN(TestPassPhrase)
#include "tst_passphrase.moc"
