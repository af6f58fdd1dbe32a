#include "ui/dialogs/ManageTransactionsDialog.h"

#include "ui/pages/ExpenditureListModel.h"
#include "ui/pages/ExpenditurePage.h"
#include "ui_ManageTransactionsDialog.h"

#include "expenditures/BookKeeping.h"
#include "expenditures/ExpenditureRows.h"
#include "settings/Settings.h"

#include <QHeaderView>
#include <QMenu>

ManageTransactionsDialog::ManageTransactionsDialog(ExpenditureBook &book, const Settings &settings,
                                                   const LocaleFormats &formats, QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_ui(std::make_unique<Ui::ManageTransactionsDialog>()), m_book(book), m_settings(settings), m_formats(formats)
{
    m_ui->setupUi(this);
    m_model = new ExpenditureListModel({QStringLiteral("Description"), QStringLiteral("Amount"), QStringLiteral("Date"),
                                        QStringLiteral("Periodic"), QStringLiteral("Occured")},
                                       this);
    setUpReportList(m_ui->ListView3, m_model);
    // The description takes what the four short columns leave, so that "Occured" stays in sight.
    m_ui->ListView3->header()->setStretchLastSection(false);
    m_ui->ListView3->header()->setSectionResizeMode(0, QHeaderView::Stretch);

    m_menu = new QMenu(m_ui->ListView3);
    m_menu->setObjectName(QStringLiteral("PopupMenu1"));
    m_menu->addAction(m_ui->Undotransactionifoccured1);
    m_ui->ListView3->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_ui->ListView3, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_menu->popup(m_ui->ListView3->viewport()->mapToGlobal(at)); });
    connect(m_ui->Undotransactionifoccured1, &QAction::triggered, this,
            &ManageTransactionsDialog::Undotransactionifoccured1Click);
}

ManageTransactionsDialog::~ManageTransactionsDialog() = default;

void ManageTransactionsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void ManageTransactionsDialog::FormShow()
{
    RedrawAllExpenditures();
}

void ManageTransactionsDialog::RedrawAllExpenditures()
{
    m_model->setRows(ExpenditureRowText::manageRows(m_book.Expenditures, expenditureSettings(m_settings), m_formats));
}

void ManageTransactionsDialog::Undotransactionifoccured1Click()
{
    const QModelIndexList selected = m_ui->ListView3->selectionModel()->selectedRows();
    if (!selected.isEmpty())
        BookKeeping::UndoTransaction(m_book, selected.first().row());
    RedrawAllExpenditures();
}

void ManageTransactionsDialog::FormClose()
{
    Q_EMIT bookEdited();
}

void ManageTransactionsDialog::done(int result)
{
    FormClose();
    QDialog::done(result);
}
