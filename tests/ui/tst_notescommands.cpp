#include "NotesFixture.h"

#include "ui/pages/NotesPage.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

class TestNotesCommands final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { enterUiTestMode(); }
    void init();
    void cleanup();

    void moves_passHiddenNotes_data();
    void moves_passHiddenNotes();
    void moves_switchSortingOffRefreshAndSave();
    void commands_withoutSelection_doNothing_data();
    void commands_withoutSelection_doNothing();
    void markAsFinished_leavesListWhenFinishedHidden();
    void delete_asksAndRemovesOnlyOnYes_data();
    void delete_asksAndRemovesOnlyOnYes();
    void delete_yesWithoutSelection_removesNothing();
    void deleteFinished_removesEveryFinishedNote_data();
    void deleteFinished_removesEveryFinishedNote();
    void sortItems_sortAndSave_butDisabledDoesNeither();
    void deleteKey_inTheList_asks();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    bool m_busyDuringQuestion = false;
};

void TestNotesCommands::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_busyDuringQuestion = false;
}

void TestNotesCommands::cleanup()
{
    Messages::setObserver(nullptr);
    Messages::takeShown();
}

namespace {

// Public A, private B, public C, finished D, public E.
NotesCollection fiveNotes()
{
    return {makeNote(QStringLiteral("A")), makeNote(QStringLiteral("B"), 3, 0, true), makeNote(QStringLiteral("C")),
            makeNote(QStringLiteral("D"), 3, 100), makeNote(QStringLiteral("E"))};
}

} // namespace

void TestNotesCommands::moves_passHiddenNotes_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<bool>("hidePrivate");
    QTest::addColumn<bool>("showFinished");
    QTest::addColumn<NotesCollection>("notes");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<QStringList>("listed");

    const NotesCollection abc{makeNote(QStringLiteral("A")), makeNote(QStringLiteral("B"), 3, 0, true),
                              makeNote(QStringLiteral("C"))};
    QTest::newRow("up over a hidden note")
        << QByteArray("Moveup1") << true << true << abc << 1 << names("C A B") << names("C A");
    QTest::newRow("up, nothing hidden") << QByteArray("Moveup1") << false << true << abc << 2 << names("A C B")
                                        << names("A C B");
    const NotesCollection hiddenFirst{makeNote(QStringLiteral("P"), 3, 0, true), makeNote(QStringLiteral("Q"), 3, 100),
                                      makeNote(QStringLiteral("R"))};
    QTest::newRow("first listed climbs to the top")
        << QByteArray("Moveup1") << true << false << hiddenFirst << 0 << names("R P Q") << names("R");
    QTest::newRow("down over hidden notes")
        << QByteArray("Movedown1") << true << false << fiveNotes() << 0 << names("B C A D E") << names("C A E");
    QTest::newRow("down from the last") << QByteArray("Movedown1") << false << true << abc << 2 << names("A B C")
                                        << names("A B C");
    QTest::newRow("up from the first") << QByteArray("Moveup1") << false << true << abc << 0 << names("A B C")
                                       << names("A B C");
    QTest::newRow("to top puts hidden notes below")
        << QByteArray("Movetotop1") << true << false << fiveNotes() << 1 << names("C A B D E") << names("C A E");
    QTest::newRow("to top from the top") << QByteArray("Movetotop1") << false << true << abc << 0 << names("A B C")
                                         << names("A B C");
    QTest::newRow("to bottom") << QByteArray("Movetobottom1") << true << true << fiveNotes() << 0 << names("B C D E A")
                               << names("C D E A");
}

void TestNotesCommands::moves_passHiddenNotes()
{
    QFETCH(QByteArray, command);
    QFETCH(bool, hidePrivate);
    QFETCH(bool, showFinished);
    QFETCH(NotesCollection, notes);
    QFETCH(int, row);
    QFETCH(QStringList, order);
    QFETCH(QStringList, listed);
    auto window = startWithNotes(m_dir->path(), notes);
    window->findChild<QAbstractButton *>(QStringLiteral("JvSwitch1"))->setChecked(hidePrivate);
    window->findChild<QAbstractButton *>(QStringLiteral("JvSwitch3"))->setChecked(showFinished);
    selectRow(*window, row);
    const QString moved = listedTexts(*window)[row];
    trigger(*window, command.constData());
    QCOMPARE(textsOf(window->notes()), order);
    QCOMPARE(listedTexts(*window), listed);
    // The moved note stays selected and current, ready to be moved again by keys.
    const int selected = window->notesPage()->selectedRow();
    QCOMPARE(listedTexts(*window).value(selected), moved);
    QCOMPARE(notesList(*window)->currentIndex().row(), selected);
    QCOMPARE(textsOf(storedNotes(m_dir->path())), order);
}

void TestNotesCommands::moves_switchSortingOffRefreshAndSave()
{
    // Sorted by importance at first; a move by hand must not be undone by the next refresh.
    auto window = startWithNotes(m_dir->path(), {makeNote(QStringLiteral("high"), 1), makeNote(QStringLiteral("low"))});
    trigger(*window, "bypriority1");
    QVERIFY(window->settings().SortByPriority);
    selectRow(*window, 1);
    trigger(*window, "Moveup1");
    QCOMPARE(window->notesPage()->selectedRow(), 0);
    QVERIFY(window->findChild<QAction *>(QStringLiteral("Sortingdisabled"))->isChecked());
    QVERIFY(window->settings().SortDisabled);
    QVERIFY(!window->settings().SortByPriority);
    window->RefreshNotes();
    QCOMPARE(textsOf(window->notes()), (names("low high")));
    QVERIFY(readAll(m_dir->filePath(QStringLiteral("settings.xml"))).contains("<SortDisabled>TRUE</SortDisabled>"));
}

void TestNotesCommands::commands_withoutSelection_doNothing_data()
{
    QTest::addColumn<QString>("command");
    for (const char *command : {"Markasfinished1", "Moveup1", "Movedown1", "Movetotop1", "Movetobottom1"})
        QTest::newRow(command) << QString::fromLatin1(command);
}

void TestNotesCommands::commands_withoutSelection_doNothing()
{
    QFETCH(QString, command);
    auto window = startWithNotes(m_dir->path(), fiveNotes());
    trigger(*window, "bypriority1");
    removeSavedFile(m_dir->filePath(QStringLiteral("data.txt")));
    trigger(*window, command.toLatin1().constData());
    QCOMPARE(textsOf(window->notes()), (names("A B C D E")));
    QCOMPARE(window->notes()[0].Progress, quint8(0));
    QVERIFY(window->settings().SortByPriority);
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("data.txt"))));
}

void TestNotesCommands::markAsFinished_leavesListWhenFinishedHidden()
{
    auto window = startWithNotes(m_dir->path(), fiveNotes());
    window->findChild<QAbstractButton *>(QStringLiteral("JvSwitch3"))->setChecked(false);
    QCOMPARE(listedTexts(*window), (names("A B C E")));
    selectRow(*window, 2);
    trigger(*window, "Markasfinished1");
    QCOMPARE(window->notes()[2].Progress, quint8(100));
    QCOMPARE(listedTexts(*window), (names("A B E")));
    QCOMPARE(storedNotes(m_dir->path())[2].Progress, quint8(100));
    QVERIFY(window->findChild<QAction *>(QStringLiteral("Sortingdisabled"))->isChecked());
}

void TestNotesCommands::delete_asksAndRemovesOnlyOnYes_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("remaining");
    QTest::newRow("yes") << true << names("A B C D");
    QTest::newRow("no") << false << names("A B C D E");
}

void TestNotesCommands::delete_asksAndRemovesOnlyOnYes()
{
    QFETCH(bool, yes);
    QFETCH(QStringList, remaining);
    auto window = startWithNotes(m_dir->path(), fiveNotes());
    // Row 2 of the list with private and finished notes hidden is E.
    window->findChild<QAbstractButton *>(QStringLiteral("JvSwitch1"))->setChecked(true);
    window->findChild<QAbstractButton *>(QStringLiteral("JvSwitch3"))->setChecked(false);
    selectRow(*window, 2);
    Messages::setObserver(
        [this, &window](const Messages::Shown &) { m_busyDuringQuestion = window->state().DialogBusy; });
    Messages::queueAnswer(yes);
    trigger(*window, "Delete1");

    const auto shown = Messages::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, Messages::Kind::Question);
    QCOMPARE(shown[0].text, QStringLiteral("Are you sure you want to delete selected note?"));
    QVERIFY(m_busyDuringQuestion);
    QVERIFY(!window->state().DialogBusy);
    QCOMPARE(textsOf(window->notes()), remaining);
    QCOMPARE(savedFileExists(m_dir->filePath(QStringLiteral("data.txt"))), yes);
    if (yes)
        QCOMPARE(textsOf(storedNotes(m_dir->path())), remaining);
}

void TestNotesCommands::delete_yesWithoutSelection_removesNothing()
{
    auto window = startWithNotes(m_dir->path(), fiveNotes());
    Messages::queueAnswer(true);
    trigger(*window, "Delete1");
    QCOMPARE(Messages::takeShown().size(), 1); // asked all the same
    QCOMPARE(window->notes().size(), 5);
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("data.txt"))));
    QVERIFY(!window->state().DialogBusy);
}

void TestNotesCommands::deleteFinished_removesEveryFinishedNote_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("remaining");
    QTest::newRow("yes") << true << names("open2 open4");
    QTest::newRow("no") << false << names("done0 done1 open2 done3 open4");
}

void TestNotesCommands::deleteFinished_removesEveryFinishedNote()
{
    QFETCH(bool, yes);
    QFETCH(QStringList, remaining);
    auto window = startWithNotes(
        m_dir->path(), {makeNote(QStringLiteral("done0"), 1, 100), makeNote(QStringLiteral("done1"), 3, 100, true),
                        makeNote(QStringLiteral("open2"), 2, 99), makeNote(QStringLiteral("done3"), 3, 100),
                        makeNote(QStringLiteral("open4"))});
    // Hidden finished and private notes go too.
    window->findChild<QAbstractButton *>(QStringLiteral("JvSwitch1"))->setChecked(true);
    window->findChild<QAbstractButton *>(QStringLiteral("JvSwitch3"))->setChecked(false);
    Messages::setObserver(
        [this, &window](const Messages::Shown &) { m_busyDuringQuestion = window->state().DialogBusy; });
    Messages::queueAnswer(yes);
    trigger(*window, "Deletefinishedtasks1");

    const auto shown = Messages::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, Messages::Kind::Question);
    QCOMPARE(shown[0].text, QStringLiteral("Are you sure you want to delete all finished tasks?"));
    QVERIFY(m_busyDuringQuestion);
    QVERIFY(!window->state().DialogBusy);
    QCOMPARE(textsOf(window->notes()), remaining);
    QCOMPARE(savedFileExists(m_dir->filePath(QStringLiteral("data.txt"))), yes);
    if (yes) {
        QCOMPARE(textsOf(storedNotes(m_dir->path())), remaining);
        QCOMPARE(window->findChild<QLabel *>(QStringLiteral("JvFullColorLabel0"))->text(), QStringLiteral("0"));
    }
}

void TestNotesCommands::sortItems_sortAndSave_butDisabledDoesNeither()
{
    auto window =
        startWithNotes(m_dir->path(), {makeNote(QStringLiteral("n3"), 3), makeNote(QStringLiteral("h1"), 1),
                                       makeNote(QStringLiteral("i2"), 2), makeNote(QStringLiteral("h1b"), 1)});
    trigger(*window, "Sortingdisabled");
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("data.txt"))));
    trigger(*window, "bypriority1");
    const QStringList sorted = names("h1 h1b i2 n3");
    QCOMPARE(textsOf(window->notes()), sorted);
    QCOMPARE(textsOf(storedNotes(m_dir->path())), sorted);
    QCOMPARE(listedTexts(*window), sorted);

    // "disabled" keeps the last sorted order and saves nothing by itself.
    removeSavedFile(m_dir->filePath(QStringLiteral("data.txt")));
    trigger(*window, "Sortingdisabled");
    window->notes().prepend(makeNote(QStringLiteral("n3new"), 3));
    window->RefreshNotes();
    QCOMPARE(textsOf(window->notes()), (names("n3new h1 h1b i2 n3")));
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("data.txt"))));
}

void TestNotesCommands::deleteKey_inTheList_asks()
{
    auto window = startWithNotes(m_dir->path(), fiveNotes());
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTreeView *list = notesList(*window);
    list->setFocus();
    selectRow(*window, 0);
    Messages::queueAnswer(true);
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(Messages::takeShown().size(), 1);
    QCOMPARE(textsOf(window->notes()), names("B C D E"));
}

QTEST_MAIN(TestNotesCommands)
#include "tst_notescommands.moc"
