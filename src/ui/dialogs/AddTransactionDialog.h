#pragma once

#include <QDialog>

#include <array>
#include <memory>

class QRadioButton;
struct ExpenditureBook;

namespace Ui {
class AddTransactionDialog;
}

// The add transaction dialog: one new expense or income, single or monthly.
class AddTransactionDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AddTransactionDialog)

public:
    explicit AddTransactionDialog(ExpenditureBook &book, QWidget *parent = nullptr);
    ~AddTransactionDialog() override;

    void FormShow();
    void RadioButton14Click();
    void RadioButton15Click();
    void DsFancyButton1Click();
    void DsFancyButton2Click();

    Ui::AddTransactionDialog &ui() { return *m_ui; }

Q_SIGNALS:
    // "Add" put a transaction into the book; the window saves, then shows it.
    void transactionAdded();

protected:
    void showEvent(QShowEvent *event) override;

private:
    int checkedIndex(const QRadioButton *const *buttons, int count) const;

    std::unique_ptr<Ui::AddTransactionDialog> m_ui;
    ExpenditureBook &m_book;
    std::array<QRadioButton *, 11> m_expenseButtons{};
    std::array<QRadioButton *, 6> m_periodButtons{};
};
