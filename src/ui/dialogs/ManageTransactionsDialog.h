#pragma once

#include <QDialog>

#include <memory>

class ExpenditureListModel;
class QMenu;
struct ExpenditureBook;
struct LocaleFormats;
struct Settings;

namespace Ui {
class ManageTransactionsDialog;
}

// The manage window: every transaction with its state; the selected one can be undone.
class ManageTransactionsDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ManageTransactionsDialog)

public:
    // `formats` are the expenditure page's, which the rows follow.
    ManageTransactionsDialog(ExpenditureBook &book, const Settings &settings, const LocaleFormats &formats,
                             QWidget *parent = nullptr);
    ~ManageTransactionsDialog() override;

    void FormShow();
    void RedrawAllExpenditures();
    void Undotransactionifoccured1Click();
    void FormClose();

    Ui::ManageTransactionsDialog &ui() { return *m_ui; }
    QMenu *popupMenu() const { return m_menu; }

    // Every way the window closes ends here.
    void done(int result) override;

Q_SIGNALS:
    // Sent on closing, as an undo may have changed the book: the window refreshes, then saves.
    void bookEdited();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::ManageTransactionsDialog> m_ui;
    ExpenditureBook &m_book;
    const Settings &m_settings;
    const LocaleFormats &m_formats;
    ExpenditureListModel *m_model = nullptr;
    QMenu *m_menu = nullptr;
};
