#pragma once

#include "ui/mainwindow/EditedData.h"

#include "notes/NotesList.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class BalloonHint;
class NotesListModel;
class QMenu;
class QTimer;

namespace Ui {
class NotesPage;
}

// The "Notes" page: the list with its pop-up menu, the details panel and the full text.
class NotesPage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NotesPage)

public:
    // What the page remembers between events.
    struct ListState
    {
        qint32 LastHintNote = 0;    // position of the note whose balloon was shown last
        bool LinkAvailable = false; // Label7 holds a link that a click opens
    };

    explicit NotesPage(QWidget *parent = nullptr);
    ~NotesPage() override;

    // The page acts on the main window's notes, listed through `filter`; called once, before the first refresh.
    void attach(const EditedData &data, std::function<NotesFilter()> filter);

    Ui::NotesPage &ui() { return *m_ui; }
    QMenu *popupMenu() const { return m_popupMenu; }
    NotesListModel *model() const { return m_model; }
    BalloonHint *balloon() const { return m_balloon; }
    const ListState &listState() const { return m_listState; }
    // The selected row of the list, -1 when none is.
    int selectedRow() const;
    // Selects the note at collection position `position` when the list shows it.
    void selectNote(qsizetype position);
    // The list's height as stored; it takes it once the page is laid out, within the room there is.
    void setListHeight(int height);
    // "Note", "%" and "Left"; a negative width leaves its column as it is.
    void setColumnWidths(const std::array<int, 3> &widths);
    std::array<int, 3> columnWidths() const;
    void setListFont(const QFont &font);
    void setDetailsFont(const QFont &font);
    void setDetailsPanelVisible(bool visible);
    // The height the list is shown with; the stored one until the page has been laid out.
    int listHeight() const;

    void ListView1Click();
    void ListView1SelectItem();
    void ListView1DblClick();
    // The list asks for a tooltip for `row`; the handler may replace `tip`.
    void ListView1InfoTip(int row, QString &tip);
    void JvBalloonHint1Close();
    void Label7Click();
    void Panel1Resize();

    void Edit1Click();
    void Markasfinished1Click();
    void Moveup1Click();
    void Movedown1Click();
    void Movetotop1Click();
    void Movetobottom1Click();
    void Delete1Click();
    void Deletefinishedtasks1Click();

Q_SIGNALS:
    // The collection changed and the views must show it; a save is asked for separately, after.
    void notesChanged();
    void saveRequested();
    // "Edit" or a double click on the note at collection position `position`.
    void editNoteRequested(int position);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildPopupMenu();
    void connectPopupMenu();
    void hoverTimeout();
    // Moves by hand switch sorting off first, so the next refresh keeps the new order.
    template <class Move> void moveSelected(Move move);
    void applyListHeight();
    // Collection position of the note in list row `row`.
    int positionOf(int row) const;

    std::unique_ptr<Ui::NotesPage> m_ui;
    std::optional<EditedData> m_data;
    std::function<NotesFilter()> m_filter;
    NotesListModel *m_model = nullptr;
    QMenu *m_popupMenu = nullptr;
    BalloonHint *m_balloon = nullptr;
    QTimer *m_hoverTimer = nullptr;
    int m_hoverRow = -1;
    int m_listHeight = 0;
    bool m_listHeightPending = false;
    ListState m_listState;
};
