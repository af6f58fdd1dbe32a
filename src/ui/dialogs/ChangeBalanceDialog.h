#pragma once

#include <QDialog>

#include <memory>

struct ExpenditureBook;

namespace Ui {
class ChangeBalanceDialog;
}

// The change value dialog: sets the balance by hand.
class ChangeBalanceDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChangeBalanceDialog)

public:
    explicit ChangeBalanceDialog(ExpenditureBook &book, QWidget *parent = nullptr);
    ~ChangeBalanceDialog() override;

    void FormShow();
    void DsFancyButton8Click();

    Ui::ChangeBalanceDialog &ui() { return *m_ui; }

Q_SIGNALS:
    // "OK" set the balance; the window shows it (it is saved with the next save).
    void balanceChanged();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::ChangeBalanceDialog> m_ui;
    ExpenditureBook &m_book;
};
