#include "SettingsTestData.h"

#include "protection/PasswordFile.h"
#include "protection/Protection.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/Startup.h"
#include "ui/pages/NotepadPage.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kPassPhrase = QStringLiteral("Correct Horse");

// A folder protected by kPassPhrase holding one note and a notepad line, as a previous run left it;
// oldForm: as the program's first versions protected it.
void prepareProtectedFolder(const QString &dir, bool oldForm = false)
{
    MainWindow window(dir + QLatin1Char('/'));
    DataFolder &folder = window.dataFolder();
    if (oldForm) {
        QRandomGenerator random(7);
        QVERIFY(PasswordFile::write(folder.path(DataFolder::File::Password),
                                    PasswordFile::create(kPassPhrase, random)));
        QCOMPARE(folder.unlock(kPassPhrase).verdict, Protection::Verdict::Correct);
    } else {
        folder.setNewKeyCost(StrongCipher::minimalCost());
        QCOMPARE(folder.acceptPassPhrase(kPassPhrase, kPassPhrase).outcome, Protection::AcceptOutcome::TurnedOn);
    }
    window.notes().append(TNotesData{2, 10, true, -1, QStringLiteral("secret plan"), QString(), 0});
    window.notepadPage()->editor()->setPlainText(QStringLiteral("hidden line"));
    QVERIFY(window.SaveAllNotes());
}

QMap<QString, QByteArray> snapshot(const QString &dir)
{
    QMap<QString, QByteArray> files;
    for (const QString &name : QDir(dir).entryList(QDir::Files | QDir::Hidden))
        files.insert(name, readAll(QDir(dir).filePath(name)));
    return files;
}

} // namespace

class TestPassPhrase final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { enterUiTestMode(); }
    void init() { Messages::takeShown(); }
    void rightPassPhrase_loadsAndLeavesFilesEnciphered();
    void wrongPassPhrase_endsWithoutTouchingAnyFile_data();
    void wrongPassPhrase_endsWithoutTouchingAnyFile();
    void plainFileWithProtectionOn_isReadAndEncipheredAgain();
    void saveAtStart_keepsTheStoredListHeight();
    void oldForm_offeredOnceEachStart_data();
    void oldForm_offeredOnceEachStart();
};

void TestPassPhrase::rightPassPhrase_loadsAndLeavesFilesEnciphered()
{
    QTemporaryDir dir;
    prepareProtectedFolder(dir.path());
    const QByteArray storedNotes = readAll(dir.filePath(QStringLiteral("data.txt")));
    QVERIFY(!storedNotes.startsWith("<?xml"));
    QVERIFY(!storedNotes.contains("secret"));
    QVERIFY(!readAll(dir.filePath(QStringLiteral("notepad.txt"))).contains("hidden"));

    MainWindow window(dir.path() + QLatin1Char('/'));
    bool asked = false;
    const auto exitCode = Startup::loadData(window, [&] {
        asked = true;
        return kPassPhrase;
    });
    QVERIFY(asked);
    QVERIFY(!exitCode.has_value());
    QVERIFY(Messages::takeShown().isEmpty());
    QCOMPARE(window.notes().size(), 1);
    QCOMPARE(window.notes()[0].Text, QStringLiteral("secret plan"));
    QCOMPARE(window.notepadPage()->lines(), QStringList{QStringLiteral("hidden line")});
    // Saved again under the same pass phrase: still enciphered, same content when read back.
    QVERIFY(!readAll(dir.filePath(QStringLiteral("data.txt"))).startsWith("<?xml"));
    MainWindow again(dir.path() + QLatin1Char('/'));
    QVERIFY(!Startup::loadData(again, [] { return kPassPhrase; }).has_value());
    QCOMPARE(again.notes(), window.notes());
}

void TestPassPhrase::wrongPassPhrase_endsWithoutTouchingAnyFile_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("one letter's case") << QStringLiteral("correct Horse");
    QTest::newRow("the placeholder") << QStringLiteral("enterpassword");
    QTest::newRow("empty") << QString();
}

void TestPassPhrase::wrongPassPhrase_endsWithoutTouchingAnyFile()
{
    QFETCH(QString, typed);
    QTemporaryDir dir;
    prepareProtectedFolder(dir.path());
    const auto before = snapshot(dir.path());
    MainWindow window(dir.path() + QLatin1Char('/'));
    const auto exitCode = Startup::loadData(window, [&] { return typed; });
    QCOMPARE(exitCode, std::optional<int>(0));
    const auto shown = Messages::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("Wrong password!"));
    QCOMPARE(window.notes().size(), 0);
    QCOMPARE(snapshot(dir.path()), before);
}

void TestPassPhrase::plainFileWithProtectionOn_isReadAndEncipheredAgain()
{
    QTemporaryDir dir;
    prepareProtectedFolder(dir.path());
    writeAll(
        dir.filePath(QStringLiteral("data.txt")),
        "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<Configuration>\r\n  <NumberOfNotes>1</NumberOfNotes>\r\n"
        "  <Text0>restored by hand</Text0>\r\n</Configuration>\r\n");
    MainWindow window(dir.path() + QLatin1Char('/'));
    QVERIFY(!Startup::loadData(window, [] { return kPassPhrase; }).has_value());
    QCOMPARE(window.notes().size(), 1);
    QCOMPARE(window.notes()[0].Text, QStringLiteral("restored by hand"));
    QVERIFY(!readAll(dir.filePath(QStringLiteral("data.txt"))).startsWith("<?xml"));
}

void TestPassPhrase::saveAtStart_keepsTheStoredListHeight()
{
    QTemporaryDir dir;
    prepareProtectedFolder(dir.path());
    Settings stored;
    stored.ListViewHeight = 222;
    writeSettingsFile(dir.path(), stored);
    MainWindow window(dir.path() + QLatin1Char('/'));
    QVERIFY(!Startup::loadData(window, [] { return kPassPhrase; }).has_value());
    // The window is not laid out yet: what it would measure now is no height the user chose.
    QCOMPARE(readSettingsFile(dir.path()).ListViewHeight, 222);
}

void TestPassPhrase::oldForm_offeredOnceEachStart_data()
{
    QTest::addColumn<bool>("convert");
    QTest::newRow("convertNow") << true;
    QTest::newRow("later") << false;
}

void TestPassPhrase::oldForm_offeredOnceEachStart()
{
    QFETCH(bool, convert);
    QTemporaryDir dir;
    prepareProtectedFolder(dir.path(), true);
    const QString passwd = dir.filePath(QStringLiteral("passwd.txt"));
    QVERIFY(Protection::isOldFormPasswordFile(passwd));
    {
        MainWindow window(dir.path() + QLatin1Char('/'));
        window.dataFolder().setNewKeyCost(StrongCipher::minimalCost());
        Messages::queueAnswer(convert);
        QVERIFY(!Startup::loadData(window, [] { return kPassPhrase; }).has_value());
        const auto shown = Messages::takeShown();
        QVERIFY(!shown.isEmpty());
        QCOMPARE(shown[0].kind, Messages::Kind::Question);
        QCOMPARE(shown[0].text, Startup::oldFormText());
        QCOMPARE(shown.size(), convert ? 2 : 1); // the conversion says it is done
        QCOMPARE(window.notes()[0].Text, QStringLiteral("secret plan"));
    }
    QCOMPARE(Protection::isOldFormPasswordFile(passwd), !convert);
    QCOMPARE(readAll(dir.filePath(QStringLiteral("notepad.txt"))).startsWith("MRVSTRG1"), convert);
    // The next start asks again only while the folder is still in the old form.
    MainWindow again(dir.path() + QLatin1Char('/'));
    QVERIFY(!Startup::loadData(again, [] { return kPassPhrase; }).has_value());
    QCOMPARE(Messages::takeShown().size(), convert ? 0 : 1);
    QCOMPARE(again.notes()[0].Text, QStringLiteral("secret plan"));
    QCOMPARE(again.notepadPage()->lines(), QStringList{QStringLiteral("hidden line")});
}

QTEST_MAIN(TestPassPhrase)
#include "tst_passphrase.moc"
