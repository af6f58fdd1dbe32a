// The commands of the week schedule's day lists: menus, keys, double-click, drag and drop.
#include "ui/pages/WeekSchedulePage.h"

#include "ui/dialogs/Messages.h"
#include "ui/widgets/DayListView.h"
#include "ui/widgets/ImageList.h"

#include "core/ProgramState.h"
#include "schedule/WeekEditing.h"

#include <QMenu>
#include <QStandardItemModel>

#include <optional>

namespace {

enum Command
{
    Edit,
    AddNote,
    MarkAsFinished,
    Delete,
    Copy,
    Paste,
    kCommands
};

// Item names of each day list's menu, in the order of Command.
const char *const kMenuItemNames[7][kCommands] = {
    {"MenuItem1", "Addnote2", "MenuItem2", "MenuItem15", "Copy4", "Paste1"},
    {"MenuItem3", "Addnote3", "MenuItem4", "MenuItem5", "Copy5", "Paste2"},
    {"MenuItem6", "Addnote4", "MenuItem7", "MenuItem8", "Copy6", "Paste3"},
    {"MenuItem9", "Addnote5", "MenuItem10", "MenuItem11", "Copy7", "Paste4"},
    {"MenuItem12", "Addnote6", "MenuItem13", "MenuItem14", "Copy8", "Paste5"},
    {"MenuItem16", "Addnote7", "MenuItem17", "MenuItem18", "Copy9", "Paste6"},
    {"MenuItem19", "Addnote8", "MenuItem20", "MenuItem21", "Copy10", "Paste7"},
};

// Column 1 of the list's selected row; nothing without a selected row.
std::optional<QString> selectedId(const QTreeView *list)
{
    const QItemSelectionModel *selection = list->selectionModel();
    if (!selection || !list->model())
        return std::nullopt;
    const QModelIndexList rows = selection->selectedRows(1);
    if (rows.isEmpty() || rows.first().row() >= list->model()->rowCount())
        return std::nullopt;
    return rows.first().data().toString();
}

} // namespace

void WeekSchedulePage::buildMenu(int day)
{
    DayListView *list = m_days[day];
    auto *menu = new QMenu(list);
    menu->setObjectName(QStringLiteral("JvPopupMenu%1").arg(day + 3));
    const auto add = [this, menu, day](Command command, const QString &caption, int image,
                                       void (WeekSchedulePage::*handler)(int)) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QLatin1String(kMenuItemNames[day][command]));
        if (image >= 0)
            action->setIcon(ImageList1::icon(image));
        connect(action, &QAction::triggered, this, [this, handler, day] { (this->*handler)(day); });
        return action;
    };
    add(Edit, QStringLiteral("Edit"), -1, &WeekSchedulePage::EditClick)
        ->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    add(AddNote, QStringLiteral("Add note"), ImageList1::AddNote, &WeekSchedulePage::AddNoteClick);
    menu->addSeparator();
    add(MarkAsFinished, QStringLiteral("Mark as finished"), ImageList1::MarkFinished,
        &WeekSchedulePage::MarkAsFinishedClick);
    add(Delete, QStringLiteral("Delete"), ImageList1::Delete, &WeekSchedulePage::DeleteClick)
        ->setShortcut(QKeySequence::Delete);
    menu->addSeparator();
    add(Copy, QStringLiteral("Copy"), ImageList1::Copy, &WeekSchedulePage::CopyClick);
    add(Paste, QStringLiteral("Paste"), -1, &WeekSchedulePage::PasteClick);
    // The keys work while the list has the focus.
    for (QAction *action : menu->actions())
        if (!action->shortcut().isEmpty()) {
            action->setShortcutContext(Qt::WidgetShortcut);
            list->addAction(action);
        }
    m_menus[day] = menu;
    connect(list, &QWidget::customContextMenuRequested, this,
            [list, menu](const QPoint &pos) { menu->popup(list->viewport()->mapToGlobal(pos)); });
}

qsizetype WeekSchedulePage::FindItem(int day) const
{
    if (!attached())
        return -1;
    const std::optional<QString> id = selectedId(m_days[day]);
    return id ? WeekEditing::findNoteById(*m_host.notes, *id) : -1;
}

void WeekSchedulePage::EditClick(int day)
{
    const qsizetype position = FindItem(day);
    if (position < 0 || position >= m_host.notes->size())
        return;
    Q_EMIT editNoteRequested(int(position));
}

void WeekSchedulePage::AddNoteClick(int day)
{
    if (attached())
        Q_EMIT addNoteRequested(dayDate(day));
}

void WeekSchedulePage::MarkAsFinishedClick(int day)
{
    const qsizetype position = FindItem(day);
    if (position < 0)
        return;
    (*m_host.notes)[position].Progress = 100;
    m_host.saveAllNotes();
    m_host.refreshNotes();
}

void WeekSchedulePage::DeleteClick(int day)
{
    if (!attached())
        return;
    // Automatic hiding waits while the question is open.
    m_host.state->DialogBusy = true;
    const bool yes = Messages::question(this, QStringLiteral("Are you sure you want to delete selected note?"));
    // Looked up after the answer: timers may have refreshed the lists meanwhile.
    const qsizetype position = yes ? FindItem(day) : -1;
    if (position >= 0) {
        DeleteNote(*m_host.notes, position);
        m_host.refreshNotes();
        m_host.saveAllNotes();
    }
    m_host.state->DialogBusy = false;
}

void WeekSchedulePage::CopyClick(int day)
{
    const qsizetype position = FindItem(day);
    if (position >= 0)
        m_noteClipboard = m_host.notes->at(position);
}

void WeekSchedulePage::PasteClick(int day)
{
    if (!attached())
        return;
    const bool pasted = WeekEditing::pasteNote(*m_host.notes, m_noteClipboard, dayDate(day));
    m_host.refreshNotes();
    // Saved at once like every other change here, so a crash cannot lose the note.
    if (pasted)
        m_host.saveAllNotes();
}

int WeekSchedulePage::dayOf(const QObject *list) const
{
    for (int day = 0; day < kDays; ++day)
        if (m_days[day] == list)
            return day;
    return -1;
}

bool WeekSchedulePage::DayListDragOver(const QObject *source) const
{
    // Only the day lists start drags, and only their rows name a note.
    return source && dayOf(source) >= 0;
}

void WeekSchedulePage::DayListDragDrop(int day, const QObject *source)
{
    if (!attached() || !DayListDragOver(source))
        return;
    // A drag begun on an empty part of a list carries no note.
    const std::optional<QString> id = selectedId(m_days[dayOf(source)]);
    if (!id)
        return;
    bool ok = false;
    const qsizetype position = id->toInt(&ok);
    // The ID is the note's position since the last refresh.
    if (!ok || !WeekEditing::moveNoteToDay(*m_host.notes, position, dayDate(day)))
        return;
    m_host.refreshNotes();
    m_host.saveAllNotes();
}
