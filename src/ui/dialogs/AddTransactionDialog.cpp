#include "ui/dialogs/AddTransactionDialog.h"

#include "ui/dialogs/Messages.h"
#include "ui/widgets/ImageList.h"
#include "ui_AddTransactionDialog.h"

#include "core/Clock.h"
#include "expenditures/BookKeeping.h"

#include <QRegularExpressionValidator>

AddTransactionDialog::AddTransactionDialog(ExpenditureBook &book, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_ui(std::make_unique<Ui::AddTransactionDialog>()), m_book(book)
{
    m_ui->setupUi(this);
    m_expenseButtons = {m_ui->RadioButton1, m_ui->RadioButton2,  m_ui->RadioButton3, m_ui->RadioButton4,
                        m_ui->RadioButton5, m_ui->RadioButton6,  m_ui->RadioButton7, m_ui->RadioButton8,
                        m_ui->RadioButton9, m_ui->RadioButton10, m_ui->RadioButton11};
    m_periodButtons = {m_ui->RadioButton16, m_ui->RadioButton17, m_ui->RadioButton18,
                       m_ui->RadioButton19, m_ui->RadioButton20, m_ui->RadioButton21};
    QLabel *images[] = {m_ui->Image1,  m_ui->Image2,  m_ui->Image3, m_ui->Image4, m_ui->Image5,
                        m_ui->Image6,  m_ui->Image7,  m_ui->Image8, m_ui->Image9, m_ui->Image10,
                        m_ui->Image11, m_ui->Image12, m_ui->Image13};
    for (int code = 0; code < 13; ++code)
        images[code]->setPixmap(ImageList2::icon(code).pixmap(16, 16));
    // Whole numbers with an optional sign first; the value is read leniently anyway.
    m_ui->JvValidateEdit1->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[+-]?[0-9]*")), m_ui->JvValidateEdit1));
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_ui->RadioButton14, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            RadioButton14Click();
    });
    connect(m_ui->RadioButton15, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            RadioButton15Click();
    });
    connect(m_ui->DsFancyButton1, &QPushButton::clicked, this, &AddTransactionDialog::DsFancyButton1Click);
    connect(m_ui->DsFancyButton2, &QPushButton::clicked, this, &AddTransactionDialog::DsFancyButton2Click);
    RadioButton15Click();
}

AddTransactionDialog::~AddTransactionDialog() = default;

void AddTransactionDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void AddTransactionDialog::FormShow()
{
    m_ui->RadioButton14->setChecked(true);
    RadioButton14Click();
    m_ui->JvMonthCalendar1->setSelectedDate(DateTime::toQDate(Clock::today()));
    m_ui->RadioButton16->setChecked(true);
    m_ui->Edit1->clear();
    m_ui->JvValidateEdit1->setText(QStringLiteral("0"));
    m_ui->Edit1->setFocus();
}

void AddTransactionDialog::RadioButton14Click()
{
    for (QRadioButton *button : m_expenseButtons)
        button->setEnabled(true);
    m_ui->RadioButton12->setEnabled(false);
    m_ui->RadioButton13->setEnabled(false);
}

void AddTransactionDialog::RadioButton15Click()
{
    for (QRadioButton *button : m_expenseButtons)
        button->setEnabled(false);
    m_ui->RadioButton12->setEnabled(true);
    m_ui->RadioButton13->setEnabled(true);
}

int AddTransactionDialog::checkedIndex(const QRadioButton *const *buttons, int count) const
{
    for (int i = 0; i < count; ++i)
        if (buttons[i]->isChecked())
            return i;
    return 0;
}

void AddTransactionDialog::DsFancyButton1Click()
{
    const std::optional<qint64> amount = BookKeeping::parseWholeNumber(m_ui->JvValidateEdit1->text());
    if (!amount) {
        Messages::warning(this, BookKeeping::wholeNumberRefusal());
        m_ui->JvValidateEdit1->setFocus();
        return;
    }
    NewTransaction input;
    input.isExpenditure = m_ui->RadioButton14->isChecked();
    input.periodicity = static_cast<quint8>(checkedIndex(m_periodButtons.data(), 6));
    input.name = m_ui->Edit1->text();
    input.calendarDay = DateTime::fromQDate(m_ui->JvMonthCalendar1->selectedDate());
    input.amount = *amount;
    if (input.isExpenditure)
        input.type = static_cast<quint8>(checkedIndex(m_expenseButtons.data(), 11));
    else
        input.type = m_ui->RadioButton12->isChecked() ? Category::kSalary : Category::kOther;
    m_book.Expenditures.append(BookKeeping::makeTransaction(input, Clock::nowValue()));
    Q_EMIT transactionAdded();
    accept();
}

void AddTransactionDialog::DsFancyButton2Click()
{
    reject();
}
