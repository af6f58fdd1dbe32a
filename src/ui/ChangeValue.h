#pragma once

#include <QDialog>

#include <memory>

class TForm1;

namespace Ui {
class TForm9;
}

// The change value dialog: sets the balance by hand.
class TForm9 final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm9)

public:
    explicit TForm9(TForm1 &form1);
    ~TForm9() override;

    void FormShow();
    void DsFancyButton8Click();

    Ui::TForm9 &ui() { return *m_ui; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::TForm9> m_ui;
    TForm1 &m_form1;
};
