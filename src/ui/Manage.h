#pragma once

#include <QDialog>

#include <memory>

class ExpenditureListModel;
class QMenu;
class TForm1;

namespace Ui {
class TForm8;
}

// The manage window: every transaction with its state; the selected one can be undone.
class TForm8 final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm8)

public:
    explicit TForm8(TForm1 &form1);
    ~TForm8() override;

    void FormShow();
    void RedrawAllExpenditures();
    void Undotransactionifoccured1Click();
    void FormClose();

    Ui::TForm8 &ui() { return *m_ui; }
    QMenu *popupMenu() const { return m_menu; }

    // Every way the window closes ends here.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::TForm8> m_ui;
    TForm1 &m_form1;
    ExpenditureListModel *m_model = nullptr;
    QMenu *m_menu = nullptr;
};
