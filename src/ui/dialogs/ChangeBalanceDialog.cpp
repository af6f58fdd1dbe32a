#include "ui/dialogs/ChangeBalanceDialog.h"

#include "ui/dialogs/Messages.h"
#include "ui_ChangeBalanceDialog.h"

#include "expenditures/BookKeeping.h"

#include <QRegularExpressionValidator>

ChangeBalanceDialog::ChangeBalanceDialog(ExpenditureBook &book, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_ui(std::make_unique<Ui::ChangeBalanceDialog>()), m_book(book)
{
    m_ui->setupUi(this);
    m_ui->JvValidateEdit1->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[+-]?[0-9]*")), m_ui->JvValidateEdit1));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    connect(m_ui->DsFancyButton8, &QPushButton::clicked, this, &ChangeBalanceDialog::DsFancyButton8Click);
}

ChangeBalanceDialog::~ChangeBalanceDialog() = default;

void ChangeBalanceDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void ChangeBalanceDialog::FormShow()
{
    m_ui->JvValidateEdit1->setText(QString::number(BookKeeping::balanceFieldValue(m_book.AllMoney)));
    m_ui->JvValidateEdit1->setFocus();
}

void ChangeBalanceDialog::DsFancyButton8Click()
{
    const std::optional<qint64> value = BookKeeping::parseWholeNumber(m_ui->JvValidateEdit1->text());
    if (!value) {
        Messages::warning(this, BookKeeping::wholeNumberRefusal());
        m_ui->JvValidateEdit1->setFocus();
        return;
    }
    BookKeeping::SetBalance(m_book, *value);
    Q_EMIT balanceChanged();
    accept();
}
