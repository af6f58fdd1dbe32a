#include "NotesFixture.h"

#include "ui/dialogs/AddTransactionDialog.h"
#include "ui/mainwindow/StatusBar.h"
#include "ui/pages/ExpenditurePage.h"
#include "ui/pages/NotepadPage.h"
#include "ui/widgets/SearchBar.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

class TestSearchUndo final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { enterUiTestMode(); }
    void search_narrowsTheListAndCountersUntilEscape_data();
    void search_narrowsTheListAndCountersUntilEscape();
    void search_findsInTheNotepadAndFiltersTransactions();
    void undo_bringsDeletedNotesBackAsTheyWereSaved();
    void undo_takesBackAnAddedTransaction();
};

namespace {

NotesCollection searchNotes()
{
    return {makeNote(QStringLiteral("Żółć list")),
            makeNote(QStringLiteral("Meeting"), 1, 0, false, DateTime::kNoDeadline, QStringLiteral("Café, Paris")),
            makeNote(QStringLiteral("Dentist\r\nMonday"), 2, 0, true),
            makeNote(QStringLiteral("Dentist paid"), 3, 100)};
}

QStringList counters(MainWindow &window)
{
    QStringList texts;
    for (int i = 3; i >= 0; --i)
        texts.append(window.statusBarPro()->counter(i)->text());
    return texts;
}

} // namespace

void TestSearchUndo::search_narrowsTheListAndCountersUntilEscape_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("hidePrivate");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QStringList>("counted"); // highest, increased, normal, finished
    QTest::newRow("accents") << u"zolc"_qs << false << QStringList{u"Żółć list"_qs} << names("0 0 1 0");
    QTest::newRow("location, two words") << u"PARIS cafe"_qs << false << QStringList{u"Meeting"_qs}
                                         << names("1 0 0 0");
    QTest::newRow("second line") << u"dentist monday"_qs << false << QStringList{u"Dentist  Monday"_qs}
                                 << names("0 1 0 0");
    QTest::newRow("private hidden, still counted") << u"dentist"_qs << true << QStringList{u"Dentist paid"_qs}
                                                   << names("0 1 0 1");
    QTest::newRow("nothing") << u"xyz"_qs << false << QStringList{} << names("0 0 0 0");
}

void TestSearchUndo::search_narrowsTheListAndCountersUntilEscape()
{
    QFETCH(QString, typed);
    QFETCH(bool, hidePrivate);
    QFETCH(QStringList, listed);
    QFETCH(QStringList, counted);
    QTemporaryDir dir;
    auto window = startWithNotes(dir.path(), searchNotes());
    window->show();
    if (hidePrivate)
        window->findChild<QAbstractButton *>(QStringLiteral("JvSwitch1"))->setChecked(true);
    SearchBar *bar = window->searchBar();
    QVERIFY(!bar->isVisible());
    trigger(*window, "Find1");
    QVERIFY(bar->isVisible());
    QTest::keyClicks(bar->edit(), typed);
    QCOMPARE(listedTexts(*window), listed);
    QCOMPARE(counters(*window), counted);

    QTest::keyClick(bar->edit(), Qt::Key_Escape);
    QVERIFY(!bar->isVisible());
    QCOMPARE(listedTexts(*window).size(), hidePrivate ? 3 : 4);
    QCOMPARE(counters(*window), names("1 1 1 1"));
}

void TestSearchUndo::search_findsInTheNotepadAndFiltersTransactions()
{
    QTemporaryDir dir;
    auto window = startWithNotes(dir.path(), {});
    window->show();
    window->notepadPage()->appendLines({u"Le Café"_qs, u"cafe au lait, CAFÉ"_qs});
    window->expenditures().Expenditures = {{u"Café"_qs, 46000, true, -5, 1, 0, true},
                                           {u"Rent"_qs, 46001, true, -500, 1, 0, true}};
    window->RefreshExpenditures();
    window->findChild<QTabWidget *>(QStringLiteral("PageControl1"))->setCurrentIndex(1);
    trigger(*window, "Find1");
    QTest::keyClicks(window->searchBar()->edit(), u"cafe"_qs);
    auto *info = window->findChild<QLabel *>(QStringLiteral("SearchInfo1"));
    QCOMPARE(info->text(), u"1 of 3"_qs);
    QTest::keyClick(window->searchBar()->edit(), Qt::Key_Return);
    QCOMPARE(window->notepadPage()->editor()->textCursor().selectedText(), u"cafe"_qs);
    QTest::keyClick(window->searchBar()->edit(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(window->searchBar()->edit(), Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(info->text(), u"3 of 3"_qs);
    QCOMPARE(window->notepadPage()->editor()->textCursor().selectedText(), u"CAFÉ"_qs);
    QCOMPARE(window->notepadPage()->editor()->extraSelections().size(), 3);
    // The same words narrow the transaction lists.
    QCOMPARE(window->expenditurePage()->bookedList()->model()->rowCount(), 1);
}

void TestSearchUndo::undo_bringsDeletedNotesBackAsTheyWereSaved()
{
    QTemporaryDir dir;
    auto window = startWithNotes(dir.path(), searchNotes());
    window->SaveAllNotes();
    const QByteArray before = readAll(dir.filePath(QStringLiteral("data.txt")));
    QPushButton *offer = window->statusBarPro()->undoOffer();
    QVERIFY(offer->isHidden());

    Messages::queueAnswer(true);
    trigger(*window, "Deletefinishedtasks1");
    QCOMPARE(storedNotes(dir.path()).size(), 3);
    QVERIFY(!offer->isHidden());
    QVERIFY(window->findChild<QAction *>(QStringLiteral("Undo1"))->isEnabled());
    QVERIFY(!window->findChild<QAction *>(QStringLiteral("Redo1"))->isEnabled());

    offer->click();
    QCOMPARE(readAll(dir.filePath(QStringLiteral("data.txt"))), before);
    QCOMPARE(textsOf(window->notes()), textsOf(searchNotes()));
    QVERIFY(offer->isHidden());

    trigger(*window, "Redo1");
    QCOMPARE(textsOf(storedNotes(dir.path())), (QStringList{u"Żółć list"_qs, u"Meeting"_qs, u"Dentist\r\nMonday"_qs}));
    trigger(*window, "Undo1");
    QCOMPARE(readAll(dir.filePath(QStringLiteral("data.txt"))), before);
}

void TestSearchUndo::undo_takesBackAnAddedTransaction()
{
    QTemporaryDir dir;
    auto window = startWithNotes(dir.path(), {});
    ExpenditureBook &book = window->expenditures();
    book.Expenditures = {{u"Rent"_qs, 46000, true, -500, 1, 0, true}};
    book.AllMoney = -500;
    window->RefreshExpenditures();
    window->SaveAllExpenditures();
    const QString file = dir.filePath(QStringLiteral("expenditures.txt"));
    const QByteArray before = readAll(file);

    book.Expenditures.append({u"Café"_qs, 46001, true, -7, 1, 0, true});
    book.AllMoney -= 7;
    Q_EMIT window->findChild<AddTransactionDialog *>(QStringLiteral("TForm7"))->transactionAdded();
    const QByteArray added = readAll(file);
    QVERIFY(added != before);

    trigger(*window, "Undo1");
    QCOMPARE(readAll(file), before);
    QCOMPARE(window->expenditures().AllMoney, -500.0);
    trigger(*window, "Redo1");
    QCOMPARE(readAll(file), added);
}

QTEST_MAIN(TestSearchUndo)
#include "tst_searchundo.moc"
