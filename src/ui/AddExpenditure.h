#pragma once

#include <QDialog>

#include <array>
#include <memory>

class QRadioButton;
class TForm1;

namespace Ui {
class TForm7;
}

// The add transaction dialog: one new expense or income, single or monthly.
class TForm7 final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm7)

public:
    explicit TForm7(TForm1 &form1);
    ~TForm7() override;

    void FormShow();
    void RadioButton14Click();
    void RadioButton15Click();
    void DsFancyButton1Click();
    void DsFancyButton2Click();

    Ui::TForm7 &ui() { return *m_ui; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    int checkedIndex(const QRadioButton *const *buttons, int count) const;

    std::unique_ptr<Ui::TForm7> m_ui;
    TForm1 &m_form1;
    std::array<QRadioButton *, 11> m_expenseButtons{};
    std::array<QRadioButton *, 6> m_periodButtons{};
};
