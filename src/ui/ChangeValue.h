#pragma once

#include <QDialog>

#include <memory>

struct ExpenditureBook;

namespace Ui {
class TForm9;
}

// The change value dialog: sets the balance by hand.
class TForm9 final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm9)

public:
    explicit TForm9(ExpenditureBook &book, QWidget *parent = nullptr);
    ~TForm9() override;

    void FormShow();
    void DsFancyButton8Click();

    Ui::TForm9 &ui() { return *m_ui; }

Q_SIGNALS:
    // "OK" set the balance; the window shows it (it is saved with the next save).
    void balanceChanged();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::TForm9> m_ui;
    ExpenditureBook &m_book;
};
