#include "UiTestData.h"

#include "notes/NotesFile.h"
#include "ui/desktop/TrayPresence.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/pages/NotepadPage.h"
#include "ui/widgets/HintTreeView.h"

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <csignal>

namespace {

// One start of the program on a folder, as main() does it.
std::unique_ptr<MainWindow> start(const QString &dir)
{
    auto window = std::make_unique<MainWindow>(dir + QLatin1Char('/'));
    window->loadAllData();
    window->finishStartup();
    return window;
}

bool closeWindow(MainWindow &window)
{
    window.show();
    return window.close();
}

} // namespace

class TestStartAndSave final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { enterUiTestMode(); }
    void init() { Messages::takeShown(); }
    void firstStart_asksNothingAndCloseCreatesFiles();
    void missingDataFile_warnsWhereOtherDataFilesAre_data();
    void missingDataFile_warnsWhereOtherDataFilesAre();
    void closing_savesHidesAndKeepsRunning();
    void notes_surviveARestart();
    void malformedDataFile_keptAsideAndNeverOverwritten();
    void hugeCount_refusedWithoutAllocating();
    void notepad_startupLinesDoNotCountAsEdits();
    void notepad_editSavedByTheFiveSecondTimer();
    void failedSave_showsErrorKeepsWindowAndData();
    void settings_switchesAndSortOrderSurviveARestart();
    void malformedSettings_keptAsideAndDefaultsKept();
    void endRequestDuringStart_endsCleanly_data();
    void endRequestDuringStart_endsCleanly();
};

void TestStartAndSave::firstStart_asksNothingAndCloseCreatesFiles()
{
    QTemporaryDir dir;
    auto window = start(dir.path());
    QVERIFY(Messages::takeShown().isEmpty()); // nothing was lost in a new folder
    auto *list = window->findChild<HintTreeView *>(QStringLiteral("ListView1"));
    QCOMPARE(list->model()->rowCount(), 0);
    QVERIFY(list->placeholderText().contains(QLatin1String("\"Add note\"")));
    QVERIFY(list->placeholderText().contains(QLatin1String("Ctrl+Q")));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("data.txt"))));

    closeWindow(*window);
    QCOMPARE(readAll(dir.filePath(QStringLiteral("data.txt"))),
             QByteArray("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<Configuration>\r\n"
                        "  <NumberOfNotes>0</NumberOfNotes>\r\n</Configuration>\r\n"));
    QCOMPARE(readAll(dir.filePath(QStringLiteral("notepad.txt"))), QByteArray("\r\n"));
    QVERIFY(readAll(dir.filePath(QStringLiteral("settings.xml"))).contains("<FormWidth>377</FormWidth>"));
    // There is no tray here: the first close says how to get one, and remembers that it did.
    const QList<Messages::Shown> shown = Messages::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().text, TrayPresence::kNoTrayNotice);
    QVERIFY(readAll(dir.filePath(QStringLiteral("settings.xml"))).contains("<TrayHintShown>TRUE</TrayHintShown>"));

    // The next start finds everything and says nothing.
    auto second = start(dir.path());
    QVERIFY(Messages::takeShown().isEmpty());
    // Once there is a note the hint goes, even while every note is filtered out of the list.
    TNotesData note;
    note.Text = QStringLiteral("private");
    note.PrivateMsg = true;
    second->notes().append(note);
    second->findChild<QAbstractButton *>(QStringLiteral("JvSwitch1"))->setChecked(true);
    second->RefreshNotes();
    auto *secondList = second->findChild<HintTreeView *>(QStringLiteral("ListView1"));
    QCOMPARE(secondList->model()->rowCount(), 0);
    QVERIFY(secondList->placeholderText().isEmpty());
    closeWindow(*second);
    QVERIFY(Messages::takeShown().isEmpty());
}

void TestStartAndSave::missingDataFile_warnsWhereOtherDataFilesAre_data()
{
    addOtherDataFileRows();
}

void TestStartAndSave::missingDataFile_warnsWhereOtherDataFilesAre()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    QFile other(dir.filePath(name));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.close();
    MainWindow window(dir.path() + QLatin1Char('/'));
    window.ReadAllNotes();
    const auto shown = Messages::takeShown();
    QVERIFY(!shown.isEmpty());
    QCOMPARE(shown[0].kind, Messages::Kind::Warning);
    QCOMPARE(shown[0].text, QStringLiteral("Data file not found!"));
}

void TestStartAndSave::closing_savesHidesAndKeepsRunning()
{
    QTemporaryDir dir;
    auto window = start(dir.path());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCloseEvent event;
    QApplication::sendEvent(window.get(), &event);
    QVERIFY(!event.isAccepted()); // the program goes on
    QVERIFY(!window->isVisible() || window->isMinimized());
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("data.txt"))));

    QFile::remove(dir.filePath(QStringLiteral("data.txt")));
    window->showFromTray();
    QCloseEvent again;
    QApplication::sendEvent(window.get(), &again);
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("data.txt"))));
}

void TestStartAndSave::notes_surviveARestart()
{
    QTemporaryDir dir;
    TNotesData note;
    note.Importance = 1;
    note.Progress = 30;
    note.Deadline = DateTime::encode(2026, 12, 24, 18, 30);
    note.Text = QStringLiteral("Gifts: <toys> & caf") + QChar(0xE9) + QStringLiteral("\r\nwrap them");
    note.Location = QStringLiteral("Market");
    {
        auto window = start(dir.path());
        window->notes().append(note);
        window->notepadPage()->editor()->setPlainText(QStringLiteral("line one\nline two"));
        QVERIFY(closeWindow(*window) || true);
    }
    Messages::takeShown();
    auto window = start(dir.path());
    QVERIFY(Messages::takeShown().isEmpty());
    QCOMPARE(window->notes().size(), 1);
    QCOMPARE(window->notes()[0], note);
    QCOMPARE(window->notepadPage()->lines(), (QStringList{QStringLiteral("line one"), QStringLiteral("line two")}));
    auto *list = window->findChild<QTreeView *>(QStringLiteral("ListView1"));
    QCOMPARE(list->model()->rowCount(), 1);
    QCOMPARE(list->model()->index(0, 0).data().toString(),
             QStringLiteral("Gifts: <toys> & caf") + QChar(0xE9) + QStringLiteral("  wrap them"));
}

void TestStartAndSave::malformedDataFile_keptAsideAndNeverOverwritten()
{
    QTemporaryDir dir;
    const QByteArray broken(
        "<?xml version=\"1.0\"?>\r\n<Configuration>\r\n  <NumberOfNotes>1</NumberOfNotes>\r\n  <Text0>half");
    writeAll(dir.filePath(QStringLiteral("data.txt")), broken);
    auto window = start(dir.path());
    const auto shown = Messages::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, Messages::Kind::Error);
    const QStringList aside = QDir(dir.path()).entryList({QStringLiteral("data.txt.unreadable-*")});
    QCOMPARE(aside.size(), 1);
    QVERIFY2(shown[0].text.contains(aside[0]), qPrintable(shown[0].text));
    QVERIFY(shown[0].text.contains(QStringLiteral("line 4")));

    closeWindow(*window);
    QCOMPARE(readAll(dir.filePath(aside[0])), broken);
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("data.txt"))));
}

void TestStartAndSave::hugeCount_refusedWithoutAllocating()
{
    QTemporaryDir dir;
    writeAll(dir.filePath(QStringLiteral("data.txt")),
             "<?xml version=\"1.0\"?>\r\n<Configuration>\r\n  <NumberOfNotes>2000000000</NumberOfNotes>\r\n"
             "</Configuration>\r\n");
    auto window = start(dir.path());
    const auto shown = Messages::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown[0].text.contains(QStringLiteral("2000000000")));
    QCOMPARE(window->notes().size(), 0);
}

void TestStartAndSave::notepad_startupLinesDoNotCountAsEdits()
{
    QTemporaryDir dir;
    writeAll(dir.filePath(QStringLiteral("notepad.txt")), "kept\r\n\r\nlines\r\n");
    auto window = start(dir.path());
    QCOMPARE(window->notepadPage()->lines(), (QStringList{QStringLiteral("kept"), QString(), QStringLiteral("lines")}));
    QVERIFY(!window->state().NotepadChanged);
    window->Timer3Timer();
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("data.txt"))));
}

void TestStartAndSave::notepad_editSavedByTheFiveSecondTimer()
{
    QTemporaryDir dir;
    auto window = start(dir.path());
    auto *timer = window->findChild<QTimer *>(QStringLiteral("Timer3"));
    QVERIFY(timer && timer->isActive());
    QCOMPARE(timer->interval(), 5000);
    window->notepadPage()->editor()->setPlainText(QStringLiteral("shopping"));
    QVERIFY(window->state().NotepadChanged);
    window->Timer3Timer();
    QVERIFY(!window->state().NotepadChanged);
    QCOMPARE(readAll(dir.filePath(QStringLiteral("notepad.txt"))), QByteArray("shopping\r\n"));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("data.txt"))));
}

void TestStartAndSave::failedSave_showsErrorKeepsWindowAndData()
{
    QTemporaryDir dir;
    auto window = start(dir.path());
    window->notes().append(TNotesData{3, 0, false, -1, QStringLiteral("keep me"), QString(), 0});
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    Messages::takeShown();
    // A folder in the file's place makes the final rename fail, even for root.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("data.txt")));
    QCloseEvent event;
    QApplication::sendEvent(window.get(), &event);
    const auto shown = Messages::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, Messages::Kind::Error);
    QVERIFY(shown[0].text.contains(QStringLiteral("data.txt")));
    QVERIFY(window->isVisible());
    QCOMPARE(window->notes().size(), 1);
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("notepad.txt")))); // the save stopped at its failing step
}

void TestStartAndSave::settings_switchesAndSortOrderSurviveARestart()
{
    QTemporaryDir dir;
    {
        auto window = start(dir.path());
        window->findChild<QAbstractButton *>(QStringLiteral("JvSwitch1"))->click();
        window->findChild<QAction *>(QStringLiteral("bypriority1"))->trigger();
        QVERIFY(window->settings().SortByPriority);
        closeWindow(*window);
    }
    auto window = start(dir.path());
    QVERIFY(window->findChild<QAbstractButton *>(QStringLiteral("JvSwitch1"))->isChecked());
    QVERIFY(window->findChild<QAction *>(QStringLiteral("bypriority1"))->isChecked());
    QVERIFY(!window->findChild<QAction *>(QStringLiteral("bydonedesc1"))->isChecked());
}

void TestStartAndSave::malformedSettings_keptAsideAndDefaultsKept()
{
    QTemporaryDir dir;
    const QByteArray broken(
        "<?xml version=\"1.0\"?>\r\n<Configuration>\r\n  <FormWidth>500</FormWidth>\r\n  <Font1>Ari");
    writeAll(dir.filePath(QStringLiteral("settings.xml")), broken);
    auto window = start(dir.path());
    const auto shown = Messages::takeShown();
    QCOMPARE(shown.size(), 2); // no data file yet, and the settings
    const QStringList aside = QDir(dir.path()).entryList({QStringLiteral("settings.xml.unreadable-*")});
    QCOMPARE(aside.size(), 1);
    QVERIFY(shown[1].text.contains(aside[0]));
    QCOMPARE(window->settings().FormWidth, 377); // the record keeps its values
    QVERIFY(window->findChild<QAbstractButton *>(QStringLiteral("JvSwitch3"))->isChecked());
    closeWindow(*window);
    QCOMPARE(readAll(dir.filePath(aside[0])), broken);
}

void TestStartAndSave::endRequestDuringStart_endsCleanly_data()
{
    QTest::addColumn<bool>("protect");
    QTest::addColumn<bool>("withNotes");
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("pass phrase window, SIGTERM") << true << true << SIGTERM;
    QTest::newRow("pass phrase window, SIGINT") << true << true << SIGINT;
    QTest::newRow("data file not found box, SIGTERM") << false << false << SIGTERM;
    QTest::newRow("while the files load, SIGINT") << false << true << SIGINT;
}

void TestStartAndSave::endRequestDuringStart_endsCleanly()
{
    QFETCH(bool, protect);
    QFETCH(bool, withNotes);
    QFETCH(int, signalNumber);
    QTemporaryDir dir;
    {
        MainWindow window(dir.path() + QLatin1Char('/'));
        window.notes().append(TNotesData{1, 0, false, -1, QStringLiteral("kept"), QString(), 0});
        window.notepadPage()->editor()->setPlainText(QStringLiteral("kept line"));
        QVERIFY(window.saveAllDataFiles());
    }
    if (protect)
        QVERIFY(QFile::copy(QStringLiteral(MAREVO_TEST_DATA "/protection/passwd-old-form.txt"),
                            dir.filePath(QStringLiteral("passwd.txt"))));
    if (!withNotes)
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("data.txt"))));
    const auto snapshot = [&dir] {
        QMap<QString, QByteArray> files;
        for (const QString &name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden))
            files.insert(name, readAll(dir.filePath(name)));
        return files;
    };
    auto before = snapshot();

    QProcess process;
    process.start(QStringLiteral(MAREVO_EXECUTABLE), {QStringLiteral("--data-dir"), dir.path()});
    // From the moment it holds the folder's lock the program answers the request, whatever it shows.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.filePath(QStringLiteral(".marevo-notes.lock"))), 20000);
    QCOMPARE(::kill(pid_t(process.processId()), signalNumber), 0);
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    // The lock is gone and every file is as it was. Once the files are read the end saves as "Close"
    // does: the same data, and the settings with the window's layout of the moment.
    auto after = snapshot();
    if (withNotes && !protect) {
        QVERIFY(after.remove(QStringLiteral("settings.xml")));
        before.remove(QStringLiteral("settings.xml"));
    }
    QCOMPARE(after, before);
}

QTEST_MAIN(TestStartAndSave)
#include "tst_startandsave.moc"
