#include "SettingsTestData.h"

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

// A folder protected by kPassPhrase holding one note and a notepad line, as a previous run left it.
void prepareProtectedFolder(const QString &dir)
{
    QRandomGenerator random(7);
    const auto accepted = Protection::Accept(DataFolder(dir + QLatin1Char('/')).path(DataFolder::File::Password),
                                             kPassPhrase, kPassPhrase, random);
    QCOMPARE(accepted.outcome, Protection::AcceptOutcome::TurnedOn);
    MainWindow window(dir + QLatin1Char('/'));
    window.dataFolder().usePassPhrase(accepted.passPhrase, accepted.salt);
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

QTEST_MAIN(TestPassPhrase)
#include "tst_passphrase.moc"
