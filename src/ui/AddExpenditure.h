#pragma once

#include <QDialog>

#include <array>
#include <memory>

class QRadioButton;
struct ExpenditureBook;

namespace Ui {
class TForm7;
}

// The add transaction dialog: one new expense or income, single or monthly.
class TForm7 final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm7)

public:
    explicit TForm7(ExpenditureBook &book, QWidget *parent = nullptr);
    ~TForm7() override;

    void FormShow();
    void RadioButton14Click();
    void RadioButton15Click();
    void DsFancyButton1Click();
    void DsFancyButton2Click();

    Ui::TForm7 &ui() { return *m_ui; }

Q_SIGNALS:
    // "Add" put a transaction into the book; the window saves, then shows it.
    void transactionAdded();

protected:
    void showEvent(QShowEvent *event) override;

private:
    int checkedIndex(const QRadioButton *const *buttons, int count) const;

    std::unique_ptr<Ui::TForm7> m_ui;
    ExpenditureBook &m_book;
    std::array<QRadioButton *, 11> m_expenseButtons{};
    std::array<QRadioButton *, 6> m_periodButtons{};
};
