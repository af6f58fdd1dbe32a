#include "ExpenditureTestData.h"

#include "core/DataFile.h"
#include "expenditures/ExpendituresFile.h"
#include "ui/dialogs/AddTransactionDialog.h"
#include "ui/dialogs/ChangeBalanceDialog.h"
#include "ui/dialogs/ManageTransactionsDialog.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QDir>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

template <typename T> T *named(QObject *parent, const char *name)
{
    T *child = parent->findChild<T *>(QLatin1String(name));
    if (!child)
        qFatal("no child %s", name);
    return child;
}

// Contrast ratio of two colours as accessibility guidelines define it: 1 (same) to 21 (black on white).
double contrast(QColor a, QColor b)
{
    const auto luminance = [](QColor c) {
        const auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// How well text inside `area` stands out: the strongest contrast of any pixel against the area's
// most common colour, its background.
double textContrast(const QImage &image, const QRect &area)
{
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb background = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > counts.value(background))
            background = it.key();
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, contrast(QColor(it.key()), QColor(background)));
    return best;
}

ExpenditureBook bookOnDisk(const QString &dir)
{
    SaveQueue::shared().waitForIdle();
    ExpenditureBook book;
    const IoResult loaded =
        DataFile::read(dir + QStringLiteral("/expenditures.txt"), nullptr,
                       [&](const QByteArray &plain) { return ExpendituresFile::parseExpenditures(plain, &book); });
    if (!loaded)
        book.AllMoney = -12345; // never a balance of these tests
    return book;
}

} // namespace

class TestExpenditureWindows final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { enterUiTestMode(); }
    void init();
    void cleanup();

    void categoryIcons_oneForEachCode();
    void addDialog_showResetsFieldsButKeepsCategories();
    void addDialog_typeChoiceEnablesItsCategories();
    void addSingleExpenseToday_takesEffectAndIsSavedBeforeIt();
    void addSingleIncomeNextWeek_waitsInFutureList();
    void addMonthlyIncome_datedInTheNextMonth();
    void addMonthlyExpense_booksItsCopyWhenTheMonthComes();
    void addDialog_cancelChangesNothing();
    void pageControls_openTheirWindows();
    void manage_listsEveryTransactionWithItsState();
    void manage_undoOccurredExpenseTakesItsValueBack();
    void manage_undoWithoutSelectionRemovesNothing();
    void manage_allColumnsFitItsDesignSize();
    void manage_undoMonthlyTemplateKeepsBookedCopies();
    void manage_closingRefreshesAndSaves();
    void selectedRow_textStaysReadable_data();
    void selectedRow_textStaysReadable();
    void changeValue_showsRoundedBalance_data();
    void changeValue_showsRoundedBalance();
    void changeValue_okSetsBalance_data();
    void changeValue_okSetsBalance();
    void changeValue_closingWithoutOkKeepsBalance();
    void amountFields_refuseWhatTheBookCannotHold_data();
    void amountFields_refuseWhatTheBookCannotHold();
    void transactions_surviveARestart();
    void unreadableTransactionsFile_keptAside();
    void failedTransactionsSave_stopsTheClose();

private:
    AddTransactionDialog *addDialog() { return m_window->findChild<AddTransactionDialog *>(); }
    ManageTransactionsDialog *manage() { return m_window->findChild<ManageTransactionsDialog *>(); }
    ChangeBalanceDialog *changeValue() { return m_window->findChild<ChangeBalanceDialog *>(); }
    ExpenditureBook &book() { return m_window->expenditures(); }
    // Fills the add dialog and presses "Ok".
    void add(bool expense, int categoryButton, int periodicityButton, const QString &name, const QString &amount,
             QDate day = {});

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
};

void TestExpenditureWindows::init()
{
    setNow(2025, 3, 17);
    m_dir = std::make_unique<QTemporaryDir>();
    m_window = startProgram(m_dir->path());
}

void TestExpenditureWindows::cleanup()
{
    m_window.reset();
    m_dir.reset();
    Clock::resetForTesting();
    Messages::takeShown();
}

void TestExpenditureWindows::add(bool expense, int categoryButton, int periodicityButton, const QString &name,
                                 const QString &amount, QDate day)
{
    AddTransactionDialog *dialog = addDialog();
    dialog->show();
    (expense ? named<QRadioButton>(dialog, "RadioButton14") : named<QRadioButton>(dialog, "RadioButton15"))->click();
    dialog->findChild<QRadioButton *>(QStringLiteral("RadioButton%1").arg(categoryButton))->click();
    dialog->findChild<QRadioButton *>(QStringLiteral("RadioButton%1").arg(periodicityButton))->click();
    QTest::keyClicks(named<QLineEdit>(dialog, "Edit1"), name);
    named<QLineEdit>(dialog, "JvValidateEdit1")->clear();
    QTest::keyClicks(named<QLineEdit>(dialog, "JvValidateEdit1"), amount);
    if (day.isValid())
        named<QCalendarWidget>(dialog, "JvMonthCalendar1")->setSelectedDate(day);
    QTest::mouseClick(named<QPushButton>(dialog, "DsFancyButton1"), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
}

void TestExpenditureWindows::categoryIcons_oneForEachCode()
{
    QList<QImage> images;
    for (int code = 0; code < 13; ++code) {
        const QImage image = ImageList2::icon(code).pixmap(16, 16).toImage();
        QVERIFY2(!image.isNull(), qPrintable(QString::number(code)));
        QVERIFY2(!images.contains(image), qPrintable(QString::number(code)));
        images.append(image);
    }
    QVERIFY(ImageList2::icon(13).isNull());
    // A code without a category lists without an icon.
    book().Expenditures = {transaction(QStringLiteral("Odd"), -1, DateTime::encode(2025, 3, 1), true, 0, 40)};
    m_window->RefreshExpenditures();
    QVERIFY(pageList(*m_window, "ListView3")->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
}

void TestExpenditureWindows::addDialog_showResetsFieldsButKeepsCategories()
{
    AddTransactionDialog *dialog = addDialog();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Add transaction"));
    // Before the first showing: the design state.
    QVERIFY(named<QRadioButton>(dialog, "RadioButton1")->isChecked());
    QVERIFY(named<QRadioButton>(dialog, "RadioButton12")->isChecked());
    QVERIFY(named<QRadioButton>(dialog, "RadioButton15")->isChecked());
    QVERIFY(named<QRadioButton>(dialog, "RadioButton16")->isChecked());

    dialog->show();
    named<QRadioButton>(dialog, "RadioButton15")->click();
    named<QRadioButton>(dialog, "RadioButton13")->click();
    named<QRadioButton>(dialog, "RadioButton14")->click();
    named<QRadioButton>(dialog, "RadioButton7")->click();
    named<QRadioButton>(dialog, "RadioButton21")->click();
    named<QLineEdit>(dialog, "Edit1")->setText(QStringLiteral("old"));
    named<QLineEdit>(dialog, "JvValidateEdit1")->setText(QStringLiteral("77"));
    named<QCalendarWidget>(dialog, "JvMonthCalendar1")->setSelectedDate(QDate(2020, 1, 1));
    named<QRadioButton>(dialog, "RadioButton15")->click();
    dialog->hide();

    dialog->show();
    QVERIFY(named<QRadioButton>(dialog, "RadioButton14")->isChecked());
    QVERIFY(named<QRadioButton>(dialog, "RadioButton1")->isEnabled());
    QVERIFY(!named<QRadioButton>(dialog, "RadioButton12")->isEnabled());
    QVERIFY(named<QRadioButton>(dialog, "RadioButton16")->isChecked());
    QCOMPARE(named<QLineEdit>(dialog, "Edit1")->text(), QString());
    QCOMPARE(named<QLineEdit>(dialog, "JvValidateEdit1")->text(), QStringLiteral("0"));
    QCOMPARE(named<QCalendarWidget>(dialog, "JvMonthCalendar1")->selectedDate(), QDate(2025, 3, 17));
    QVERIFY(named<QRadioButton>(dialog, "RadioButton7")->isChecked());
    QVERIFY(named<QRadioButton>(dialog, "RadioButton13")->isChecked());
    QCOMPARE(named<QRadioButton>(dialog, "RadioButton18")->text(), QStringLiteral("Each month (1st working day)"));
    QCOMPARE(named<QRadioButton>(dialog, "RadioButton10")->text(), QStringLiteral("Fun"));
    QVERIFY(!named<QLabel>(dialog, "Image1")->pixmap().isNull());
    QVERIFY(!named<QLabel>(dialog, "Image13")->pixmap().isNull());
    dialog->reject();
}

void TestExpenditureWindows::addDialog_typeChoiceEnablesItsCategories()
{
    AddTransactionDialog *dialog = addDialog();
    dialog->show();
    named<QRadioButton>(dialog, "RadioButton5")->click();
    named<QRadioButton>(dialog, "RadioButton15")->click();
    for (int i = 1; i <= 11; ++i)
        QVERIFY(!dialog->findChild<QRadioButton *>(QStringLiteral("RadioButton%1").arg(i))->isEnabled());
    QVERIFY(named<QRadioButton>(dialog, "RadioButton12")->isEnabled() &&
            named<QRadioButton>(dialog, "RadioButton13")->isEnabled());
    named<QRadioButton>(dialog, "RadioButton14")->click();
    for (int i = 1; i <= 11; ++i)
        QVERIFY(dialog->findChild<QRadioButton *>(QStringLiteral("RadioButton%1").arg(i))->isEnabled());
    QVERIFY(!named<QRadioButton>(dialog, "RadioButton12")->isEnabled() &&
            !named<QRadioButton>(dialog, "RadioButton13")->isEnabled());
    QVERIFY(named<QRadioButton>(dialog, "RadioButton5")->isChecked());
    // The amount field takes a sign first and digits only.
    named<QLineEdit>(dialog, "JvValidateEdit1")->clear();
    QTest::keyClicks(named<QLineEdit>(dialog, "JvValidateEdit1"), QStringLiteral("-1a2+3"));
    QCOMPARE(named<QLineEdit>(dialog, "JvValidateEdit1")->text(), QStringLiteral("-123"));
    dialog->reject();
}

void TestExpenditureWindows::addSingleExpenseToday_takesEffectAndIsSavedBeforeIt()
{
    book().AllMoney = 100;
    add(true, 2, 16, QStringLiteral("Bread & <butter>"), QStringLiteral("-50"));
    QCOMPARE(book().Expenditures.size(), 1);
    const TExpenditure &e = book().Expenditures[0];
    QCOMPARE(e.Name, QStringLiteral("Bread & <butter>"));
    QCOMPARE(e.Value, -50.0);
    QCOMPARE(e.Type, quint8(1));
    QCOMPARE(e.Date, DateTime::encode(2025, 3, 17));
    QVERIFY(e.IsExpenditure);
    QVERIFY(e.Occured);
    QCOMPARE(book().AllMoney, 50.0);

    QAbstractItemModel *booked = pageList(*m_window, "ListView3");
    QCOMPARE(booked->rowCount(), 1);
    QCOMPARE(cell(booked, 0, 0), QStringLiteral("Bread & <butter>"));
    QCOMPARE(cell(booked, 0, 1), QStringLiteral("-50 PLN"));
    QVERIFY(!booked->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    QCOMPARE(pageList(*m_window, "ListView11")->rowCount(), 0);
    QCOMPARE(m_window->expenditurePage()->balanceLabel()->text(), QStringLiteral("50 PLN"));

    // The file was written before the transaction took effect; the next save carries the effect.
    const ExpenditureBook saved = bookOnDisk(m_dir->path());
    QCOMPARE(saved.AllMoney, 100.0);
    QCOMPARE(saved.Expenditures.size(), 1);
    QVERIFY(!saved.Expenditures[0].Occured);
    QCOMPARE(saved.Expenditures[0].Name, QStringLiteral("Bread & <butter>"));
    QVERIFY(m_window->SaveAllExpenditures());
    QCOMPARE(bookOnDisk(m_dir->path()), book());
}

void TestExpenditureWindows::addSingleIncomeNextWeek_waitsInFutureList()
{
    book().AllMoney = 10;
    add(false, 12, 16, QStringLiteral("Bonus"), QStringLiteral("200"), QDate(2025, 3, 24));
    QCOMPARE(book().AllMoney, 10.0);
    const TExpenditure &e = book().Expenditures[0];
    QCOMPARE(e.Value, 200.0);
    QCOMPARE(e.Type, quint8(11));
    QVERIFY(!e.IsExpenditure);
    QVERIFY(!e.Occured);
    QAbstractItemModel *future = pageList(*m_window, "ListView11");
    QCOMPARE(future->rowCount(), 1);
    QCOMPARE(cell(future, 0, 1), QStringLiteral("200 PLN"));
    QCOMPARE(cell(future, 0, 2), m_window->expenditurePage()->formats().formatDate(QDate(2025, 3, 24)));
    QCOMPARE(pageList(*m_window, "ListView3")->rowCount(), 0);

    setNow(2025, 3, 24, 8);
    m_window->RefreshNotes();
    QCOMPARE(book().AllMoney, 210.0);
    QCOMPARE(pageList(*m_window, "ListView11")->rowCount(), 0);
    QCOMPARE(pageList(*m_window, "ListView3")->rowCount(), 1);
}

void TestExpenditureWindows::addMonthlyIncome_datedInTheNextMonth()
{
    // A typed minus has no effect on an income.
    add(false, 13, 20, QStringLiteral("Rent in"), QStringLiteral("-30"), QDate(2025, 3, 1));
    const TExpenditure &e = book().Expenditures[0];
    QCOMPARE(e.Date, DateTime::encode(2025, 4, 15));
    QCOMPARE(e.Value, 30.0);
    QCOMPARE(e.Type, quint8(12));
    QCOMPARE(e.Periodicity, quint8(4));
    QVERIFY(!e.Occured);
    QCOMPARE(book().AllMoney, 0.0);
    QCOMPARE(pageList(*m_window, "ListView11")->rowCount(), 1);
    QCOMPARE(pageList(*m_window, "ListView12")->rowCount(), 1);
    QCOMPARE(cell(pageList(*m_window, "ListView12"), 0, 0), QStringLiteral("Rent in"));

    add(true, 7, 21, QString(), QString());
    QCOMPARE(book().Expenditures.size(), 2);
    QCOMPARE(book().Expenditures[1].Date, DateTime::encode(2025, 4, 30));
    QCOMPARE(book().Expenditures[1].Value, 0.0);
    QCOMPARE(book().Expenditures[1].Name, QString());
}

void TestExpenditureWindows::addMonthlyExpense_booksItsCopyWhenTheMonthComes()
{
    book().AllMoney = 500;
    add(true, 3, 17, QStringLiteral("Insurance"), QStringLiteral("120"));
    QCOMPARE(book().Expenditures[0].Date, DateTime::encode(2025, 4, 1));
    QCOMPARE(book().AllMoney, 500.0);

    setNow(2025, 4, 1, 9);
    m_window->RefreshNotes();
    QCOMPARE(book().AllMoney, 380.0);
    QCOMPARE(book().Expenditures.size(), 2);
    // Oldest first after the refresh: the booked copy, then the template on its next due day.
    QCOMPARE(book().Expenditures[0].Date, DateTime::encode(2025, 4, 1));
    QVERIFY(book().Expenditures[0].Occured);
    QCOMPARE(book().Expenditures[0].Periodicity, quint8(0));
    QCOMPARE(book().Expenditures[1].Date, DateTime::encode(2025, 5, 1));
    QVERIFY(!book().Expenditures[1].Occured);
    QAbstractItemModel *booked = pageList(*m_window, "ListView3");
    QCOMPARE(booked->rowCount(), 1);
    QCOMPARE(cell(booked, 0, 1), QStringLiteral("-120 PLN"));
    QCOMPARE(pageList(*m_window, "ListView12")->rowCount(), 1);

    // Refreshing again the same day books nothing more.
    m_window->RefreshNotes();
    QCOMPARE(book().AllMoney, 380.0);
    QCOMPARE(book().Expenditures.size(), 2);
}

void TestExpenditureWindows::addDialog_cancelChangesNothing()
{
    book().AllMoney = 5;
    QVERIFY(m_window->SaveAllExpenditures());
    const QByteArray before = readAll(m_dir->filePath(QStringLiteral("expenditures.txt")));
    AddTransactionDialog *dialog = addDialog();
    dialog->show();
    named<QRadioButton>(dialog, "RadioButton15")->click();
    named<QRadioButton>(dialog, "RadioButton19")->click();
    named<QLineEdit>(dialog, "Edit1")->setText(QStringLiteral("x"));
    named<QLineEdit>(dialog, "JvValidateEdit1")->setText(QStringLiteral("9"));
    QTest::mouseClick(named<QPushButton>(dialog, "DsFancyButton2"), Qt::LeftButton);
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QVERIFY(book().Expenditures.isEmpty());
    QCOMPARE(book().AllMoney, 5.0);
    QCOMPARE(readAll(m_dir->filePath(QStringLiteral("expenditures.txt"))), before);
}

void TestExpenditureWindows::pageControls_openTheirWindows()
{
    ExpenditurePage *page = m_window->expenditurePage();
    QStringList opened;
    const auto closeNextModal = [&opened] {
        QTimer::singleShot(0, [&opened] {
            QWidget *modal = QApplication::activeModalWidget();
            opened.append(modal ? modal->objectName() : QStringLiteral("none"));
            if (modal)
                modal->close();
        });
    };
    closeNextModal();
    page->findChild<QPushButton *>(QStringLiteral("DsFancyButton8"))->click();
    closeNextModal();
    page->findChild<QPushButton *>(QStringLiteral("DsFancyButton5"))->click();
    closeNextModal();
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                            Qt::NoModifier);
    QApplication::sendEvent(page->balanceLabel(), &doubleClick);
    QCOMPARE(opened, (QStringList{QStringLiteral("TForm7"), QStringLiteral("TForm8"), QStringLiteral("TForm9")}));
    QCOMPARE(page->findChild<QPushButton *>(QStringLiteral("DsFancyButton8"))->text(),
             QStringLiteral("Add transaction"));
    QCOMPARE(page->findChild<QPushButton *>(QStringLiteral("DsFancyButton5"))->text(), QStringLiteral("Manage"));
}

void TestExpenditureWindows::manage_listsEveryTransactionWithItsState()
{
    m_window->settings().CurrencyPrefix = true;
    m_window->settings().CurrencySuffix = false;
    book().Expenditures = {transaction(QStringLiteral("Fuel"), -25, DateTime::encode(2025, 3, 10), true, 0, 3),
                           transaction(QStringLiteral("Gym"), -40, DateTime::encode(2025, 4, 1), false, 1, 9)};
    ManageTransactionsDialog *window = manage();
    QCOMPARE(window->windowTitle(), QStringLiteral("Manage"));
    window->show();
    QAbstractItemModel *list = named<QTreeView>(window, "ListView3")->model();
    QCOMPARE(list->columnCount(), 5);
    QCOMPARE(list->headerData(4, Qt::Horizontal).toString(), QStringLiteral("Occured"));
    QCOMPARE(list->rowCount(), 2);
    QCOMPARE(cell(list, 0, 0), QStringLiteral("Fuel"));
    QCOMPARE(cell(list, 0, 1), QStringLiteral("PLN -25"));
    QCOMPARE(cell(list, 0, 3), QStringLiteral("No"));
    QCOMPARE(cell(list, 0, 4), QStringLiteral("Yes"));
    QCOMPARE(cell(list, 1, 3), QStringLiteral("Yes"));
    QCOMPARE(cell(list, 1, 4), QStringLiteral("No"));
    QCOMPARE(window->popupMenu()->actions().size(), 1);
    QCOMPARE(window->popupMenu()->actions()[0]->text(), QStringLiteral("Undo transaction (if occured)..."));
    window->hide();
    // The page's form of the same amount.
    m_window->RefreshExpenditures();
    QCOMPARE(cell(pageList(*m_window, "ListView3"), 0, 1), QStringLiteral("-PLN25"));
}

void TestExpenditureWindows::manage_undoOccurredExpenseTakesItsValueBack()
{
    book().AllMoney = 100;
    book().Expenditures = {transaction(QStringLiteral("Shoes"), -50, DateTime::encode(2025, 3, 1), true),
                           transaction(QStringLiteral("Prize"), 200, DateTime::encode(2025, 3, 30), false, 0, 12)};
    ManageTransactionsDialog *window = manage();
    window->show();
    QTreeView *list = named<QTreeView>(window, "ListView3");
    list->selectionModel()->select(list->model()->index(0, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    named<QAction>(window, "Undotransactionifoccured1")->trigger();
    QCOMPARE(book().AllMoney, 150.0);
    QCOMPARE(book().Expenditures.size(), 1);
    QCOMPARE(list->model()->rowCount(), 1);
    QCOMPARE(cell(list->model(), 0, 0), QStringLiteral("Prize"));

    // A future single transaction goes without touching the balance.
    list->selectionModel()->select(list->model()->index(0, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    named<QAction>(window, "Undotransactionifoccured1")->trigger();
    QCOMPARE(book().AllMoney, 150.0);
    QVERIFY(book().Expenditures.isEmpty());
    // With nothing left the item only redraws.
    named<QAction>(window, "Undotransactionifoccured1")->trigger();
    QCOMPARE(list->model()->rowCount(), 0);
    window->close();
}

void TestExpenditureWindows::manage_allColumnsFitItsDesignSize()
{
    ManageTransactionsDialog *window = manage();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QTreeView *list = named<QTreeView>(window, "ListView3");
    int columns = 0;
    for (int k = 0; k < list->model()->columnCount(); ++k)
        columns += list->columnWidth(k);
    QVERIFY(columns <= list->viewport()->width());
    window->close();
}

void TestExpenditureWindows::manage_undoWithoutSelectionRemovesNothing()
{
    book().AllMoney = 7;
    book().Expenditures = {transaction(QStringLiteral("Tea"), -3, DateTime::encode(2025, 3, 1), true)};
    ManageTransactionsDialog *window = manage();
    window->show();
    named<QTreeView>(window, "ListView3")->clearSelection();
    named<QAction>(window, "Undotransactionifoccured1")->trigger();
    QCOMPARE(book().Expenditures.size(), 1);
    QCOMPARE(book().AllMoney, 7.0);
    window->close();
}

void TestExpenditureWindows::manage_undoMonthlyTemplateKeepsBookedCopies()
{
    book().AllMoney = 1000;
    book().Expenditures = {transaction(QStringLiteral("Rent"), -300, DateTime::encode(2025, 3, 1), true),
                           transaction(QStringLiteral("Rent"), -300, DateTime::encode(2025, 4, 1), false, 1, 2)};
    ManageTransactionsDialog *window = manage();
    window->show();
    QTreeView *list = named<QTreeView>(window, "ListView3");
    list->selectionModel()->select(list->model()->index(1, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    named<QAction>(window, "Undotransactionifoccured1")->trigger();
    QCOMPARE(book().AllMoney, 1000.0);
    QCOMPARE(book().Expenditures.size(), 1);
    QVERIFY(book().Expenditures[0].Occured);
    window->close();
}

void TestExpenditureWindows::manage_closingRefreshesAndSaves()
{
    book().AllMoney = 100;
    book().Expenditures = {transaction(QStringLiteral("Shoes"), -50, DateTime::encode(2025, 3, 1), true)};
    m_window->RefreshExpenditures();
    QCOMPARE(pageList(*m_window, "ListView3")->rowCount(), 1);
    ManageTransactionsDialog *window = manage();
    window->show();
    QTreeView *list = named<QTreeView>(window, "ListView3");
    list->selectionModel()->select(list->model()->index(0, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    named<QAction>(window, "Undotransactionifoccured1")->trigger();
    // The page catches up when the window closes.
    QCOMPARE(pageList(*m_window, "ListView3")->rowCount(), 1);
    window->close();
    QCOMPARE(pageList(*m_window, "ListView3")->rowCount(), 0);
    QCOMPARE(m_window->expenditurePage()->balanceLabel()->text(), QStringLiteral("150 PLN"));
    const ExpenditureBook saved = bookOnDisk(m_dir->path());
    QCOMPARE(saved.AllMoney, 150.0);
    QVERIFY(saved.Expenditures.isEmpty());
}

void TestExpenditureWindows::selectedRow_textStaysReadable_data()
{
    QTest::addColumn<bool>("inManage");
    QTest::newRow("page") << false;
    QTest::newRow("manage") << true;
}

void TestExpenditureWindows::selectedRow_textStaysReadable()
{
    QFETCH(bool, inManage);
    book().Expenditures = {transaction(QStringLiteral("Bread"), -50, DateTime::encode(2025, 3, 10), true),
                           transaction(QStringLiteral("Milk"), -5, DateTime::encode(2025, 3, 11), true)};
    m_window->RefreshExpenditures();
    m_window->show();
    QWidget *owner = m_window->expenditurePage();
    if (inManage) {
        manage()->show();
        owner = manage();
    }
    auto *list = named<QTreeView>(owner, "ListView3");
    list->setCurrentIndex(list->model()->index(0, 0));
    QVERIFY(list->selectionModel()->isRowSelected(0));
    const QImage shot = list->viewport()->grab().toImage();
    const QRect amount = list->visualRect(list->model()->index(0, 1)).adjusted(2, 2, -2, -2);
    QVERIFY(!amount.isEmpty());
    const double selected = textContrast(shot, amount);
    QVERIFY2(selected >= 3, qPrintable(QStringLiteral("contrast %1").arg(selected)));
    if (inManage)
        manage()->close();
}

void TestExpenditureWindows::changeValue_showsRoundedBalance_data()
{
    QTest::addColumn<double>("balance");
    QTest::addColumn<QString>("shown");
    QTest::newRow("12.5") << 12.5 << QStringLiteral("12");
    QTest::newRow("13.5") << 13.5 << QStringLiteral("14");
    QTest::newRow("-2.5") << -2.5 << QStringLiteral("-2");
    QTest::newRow("whole") << 250.0 << QStringLiteral("250");
}

void TestExpenditureWindows::changeValue_showsRoundedBalance()
{
    QFETCH(double, balance);
    QFETCH(QString, shown);
    // Built alone: the dialog needs nothing but the book it edits.
    ExpenditureBook book;
    book.AllMoney = balance;
    ChangeBalanceDialog dialog(book);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Change value"));
    dialog.show();
    QCOMPARE(named<QLineEdit>(&dialog, "JvValidateEdit1")->text(), shown);
    dialog.close();
    QCOMPARE(book.AllMoney, balance);
}

void TestExpenditureWindows::changeValue_okSetsBalance_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("balance");
    QTest::addColumn<QString>("label");
    QTest::newRow("plain") << QStringLiteral("300") << 300.0 << QStringLiteral("300 PLN");
    QTest::newRow("negative") << QStringLiteral("-40") << -40.0 << QStringLiteral("-40 PLN");
    QTest::newRow("empty") << QString() << 0.0 << QStringLiteral("0 PLN");
    QTest::newRow("beyond 32 bits") << QStringLiteral("99999999999") << 99999999999.0
                                    << QStringLiteral("99999999999 PLN");
}

void TestExpenditureWindows::changeValue_okSetsBalance()
{
    QFETCH(QString, typed);
    QFETCH(double, balance);
    QFETCH(QString, label);
    book().AllMoney = 12.5;
    ChangeBalanceDialog *dialog = changeValue();
    dialog->show();
    named<QLineEdit>(dialog, "JvValidateEdit1")->clear();
    QTest::keyClicks(named<QLineEdit>(dialog, "JvValidateEdit1"), typed);
    QTest::mouseClick(named<QPushButton>(dialog, "DsFancyButton8"), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(book().AllMoney, balance);
    QCOMPARE(m_window->expenditurePage()->balanceLabel()->text(), label);
    // Not saved yet; closing the main window writes it.
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("expenditures.txt"))));
    m_window->show();
    m_window->close();
    QCOMPARE(bookOnDisk(m_dir->path()).AllMoney, balance);
}

void TestExpenditureWindows::changeValue_closingWithoutOkKeepsBalance()
{
    ExpenditureBook book;
    book.AllMoney = 42;
    ChangeBalanceDialog dialog(book);
    dialog.show();
    named<QLineEdit>(&dialog, "JvValidateEdit1")->setText(QStringLiteral("1"));
    dialog.close();
    QCOMPARE(book.AllMoney, 42.0);
}

void TestExpenditureWindows::amountFields_refuseWhatTheBookCannotHold_data()
{
    QTest::addColumn<bool>("addDialog");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("kept"); // what the book holds afterwards; NaN: refused
    const double refused = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("add, beyond 32 bits") << true << QStringLiteral("3000000000") << -3000000000.0;
    QTest::newRow("add, fifteen digits") << true << QStringLiteral("-999999999999999") << -999999999999999.0;
    QTest::newRow("add, sixteen digits") << true << QStringLiteral("1000000000000000") << refused;
    QTest::newRow("add, beyond 64 bits") << true << QStringLiteral("99999999999999999999") << refused;
    QTest::newRow("change, sixteen digits") << false << QStringLiteral("-1000000000000000") << refused;
}

void TestExpenditureWindows::amountFields_refuseWhatTheBookCannotHold()
{
    QFETCH(bool, addDialog);
    QFETCH(QString, typed);
    QFETCH(double, kept);
    book().AllMoney = 7;
    QDialog *dialog = addDialog ? static_cast<QDialog *>(this->addDialog()) : changeValue();
    dialog->show();
    named<QLineEdit>(dialog, "JvValidateEdit1")->setText(typed);
    QTest::mouseClick(named<QPushButton>(dialog, addDialog ? "DsFancyButton1" : "DsFancyButton8"), Qt::LeftButton);
    const QList<Messages::Shown> shown = Messages::takeShown();
    if (!std::isnan(kept)) {
        QVERIFY(shown.isEmpty());
        QCOMPARE(book().Expenditures.size(), 1);
        QCOMPARE(qint64(book().Expenditures[0].Value), qint64(kept)); // exactly, not fuzzily
        return;
    }
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text,
             QStringLiteral("The amount must be a whole number from -999999999999999 to 999999999999999."));
    QVERIFY(dialog->isVisible());
    QVERIFY(book().Expenditures.isEmpty());
    QCOMPARE(book().AllMoney, 7.0);
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("expenditures.txt"))));
    dialog->close();
}

void TestExpenditureWindows::transactions_surviveARestart()
{
    book().AllMoney = 100;
    add(true, 2, 16, QStringLiteral("Bread"), QStringLiteral("50"));
    add(false, 12, 18, QStringLiteral("Salary"), QStringLiteral("3000"));
    m_window->show();
    m_window->close();
    const ExpenditureBook before = book();
    m_window.reset();
    m_window = startProgram(m_dir->path());
    QCOMPARE(book(), before);
    QCOMPARE(pageList(*m_window, "ListView3")->rowCount(), 1);
    QCOMPARE(pageList(*m_window, "ListView12")->rowCount(), 1);
    QCOMPARE(m_window->expenditurePage()->balanceLabel()->text(), QStringLiteral("50 PLN"));
}

void TestExpenditureWindows::unreadableTransactionsFile_keptAside()
{
    m_window.reset();
    const QByteArray broken("<?xml version=\"1.0\"?>\r\n<Configuration>\r\n  <AllMoney>5");
    writeAll(m_dir->filePath(QStringLiteral("expenditures.txt")), broken);
    auto window = std::make_unique<MainWindow>(m_dir->path() + QLatin1Char('/'));
    window->loadAllData();
    const auto shown = Messages::takeShown();
    QCOMPARE(shown.size(), 2); // the missing notes file, then the transactions
    QCOMPARE(shown[1].kind, Messages::Kind::Error);
    const QStringList aside = QDir(m_dir->path()).entryList({QStringLiteral("expenditures.txt.unreadable-*")});
    QCOMPARE(aside.size(), 1);
    QCOMPARE(readAll(m_dir->filePath(aside[0])), broken);
    QCOMPARE(window->expenditures(), ExpenditureBook{});
}

void TestExpenditureWindows::failedTransactionsSave_stopsTheClose()
{
    book().AllMoney = 9;
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("expenditures.txt")));
    m_window->show();
    QCloseEvent event;
    QApplication::sendEvent(m_window.get(), &event);
    QVERIFY(!event.isAccepted());
    QVERIFY(m_window->isVisible() && !m_window->isMinimized());
    const auto shown = Messages::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, Messages::Kind::Error);
    QCOMPARE(book().AllMoney, 9.0);
    QVERIFY(QFile::exists(m_dir->filePath(QStringLiteral("data.txt"))));

    m_window->Close1Click();
    QCOMPARE(Messages::takeShown().size(), 1);
    QVERIFY(m_window->isVisible());
}

QTEST_MAIN(TestExpenditureWindows)
#include "tst_expenditurewindows.moc"
