#pragma once

#include <QWidget>

#include <memory>

class QMenu;
class QStandardItemModel;

namespace Ui {
class NotesPage;
}

// The "Notes" page: the list, the details panel and the full text.
class NotesPage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NotesPage)

public:
    explicit NotesPage(QWidget *parent = nullptr);
    ~NotesPage() override;

    Ui::NotesPage &ui() { return *m_ui; }
    QMenu *popupMenu() const { return m_popupMenu; }

private:
    void buildPopupMenu();

    std::unique_ptr<Ui::NotesPage> m_ui;
    QMenu *m_popupMenu = nullptr;
};
