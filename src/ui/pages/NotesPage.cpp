#include "ui/pages/NotesPage.h"

#include "ui/dialogs/Messages.h"
#include "ui/pages/NotesListModel.h"
#include "ui/widgets/BalloonHint.h"
#include "ui/widgets/ImageList.h"
#include "ui_NotesPage.h"

#include "core/LocaleFormats.h"
#include "core/ProgramState.h"
#include "notes/NotesList.h"
#include "notes/NotesMoves.h"
#include "settings/Settings.h"
#include "settings/SettingsEffects.h"

#include <QActionGroup>
#include <QCursor>
#include <QDesktopServices>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QSplitter>
#include <QTimer>
#include <QToolTip>
#include <QUrl>

namespace {

// The labels of the details panel leave this much of the panel to their captions.
constexpr int kDetailsCaptionWidth = 95;

} // namespace

NotesPage::NotesPage(QWidget *parent) : QWidget(parent), m_ui(std::make_unique<Ui::NotesPage>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("NotesPage"));
    m_ui->ListView1->header()->setSectionsClickable(false);
    m_model = new NotesListModel(this);
    m_ui->ListView1->setModel(m_model);
    // "Note" takes what the other two columns leave.
    m_ui->ListView1->header()->setStretchLastSection(false);
    m_ui->ListView1->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    buildPopupMenu();
    connect(m_ui->ListView1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_popupMenu->popup(m_ui->ListView1->viewport()->mapToGlobal(pos)); });

    m_balloon = new BalloonHint(this);
    m_hoverTimer = new QTimer(this);
    m_hoverTimer->setSingleShot(true);
    connect(m_hoverTimer, &QTimer::timeout, this, &NotesPage::hoverTimeout);
    m_ui->ListView1->viewport()->setMouseTracking(true);
    m_ui->ListView1->viewport()->installEventFilter(this);
    m_ui->Panel1->installEventFilter(this);
    m_ui->Label7->installEventFilter(this);
    // Room gained or lost by the window goes to the details, so the list keeps its height.
    m_ui->notesSplitter->setStretchFactor(0, 0);
    m_ui->notesSplitter->setStretchFactor(1, 1);
    m_ui->notesSplitter->installEventFilter(this);
    for (QLabel *label : {m_ui->Label5, m_ui->Label6, m_ui->Label7}) {
        // Long texts are cut at the panel's edge instead of widening the window.
        label->setSizePolicy(QSizePolicy::Ignored, label->sizePolicy().verticalPolicy());
        label->setMinimumWidth(0);
    }
    // The style writes the caption's part over the fill in the highlighted text colour, white on light blue;
    // the plain text colour reads on the fill as well as on the empty trough.
    QPalette palette = m_ui->JvgProgress3->palette();
    palette.setColor(QPalette::HighlightedText, palette.color(QPalette::Text));
    m_ui->JvgProgress3->setPalette(palette);
}

NotesPage::~NotesPage() = default;

void NotesPage::attach(const EditedData &data, std::function<NotesFilter()> filter)
{
    m_data.emplace(data);
    m_filter = std::move(filter);
    QTreeView *list = m_ui->ListView1;
    connect(list, &QAbstractItemView::clicked, this, &NotesPage::ListView1Click);
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, &NotesPage::ListView1SelectItem);
    connect(list, &QAbstractItemView::doubleClicked, this, &NotesPage::ListView1DblClick);
    connect(m_balloon, &BalloonHint::closed, this, &NotesPage::JvBalloonHint1Close);
    // Only a list with no notes at all gets the hint; one whose notes are filtered out is not new.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        m_ui->ListView1->setPlaceholderText(
            m_data->notes.isEmpty()
                ? QStringLiteral("No notes yet. Click \"Add note\" or press Ctrl+Q to add the first one.")
                : QString());
    });
    connectPopupMenu();
}

void NotesPage::buildPopupMenu()
{
    m_popupMenu = new QMenu(this);
    m_popupMenu->setObjectName(QStringLiteral("JvPopupMenu1"));
    const auto add = [this](QMenu *menu, const char *name, const QString &caption, int image = -1) {
        auto *action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        if (image >= 0)
            action->setIcon(ImageList1::icon(image));
        return action;
    };
    add(m_popupMenu, "Edit1", QStringLiteral("Edit"))->setShortcut(QKeySequence(Qt::Key_Return));
    add(m_popupMenu, "Markasfinished1", QStringLiteral("Mark as finished"), ImageList1::MarkFinished);
    m_popupMenu->addSeparator()->setObjectName(QStringLiteral("N2"));
    QMenu *sort = m_popupMenu->addMenu(QStringLiteral("Sort"));
    sort->menuAction()->setObjectName(QStringLiteral("Sort1"));
    auto *sortGroup = new QActionGroup(sort);
    const std::pair<const char *, const char *> sortItems[] = {{"Sortingdisabled", "disabled"},
                                                               {"bypriority1", "by priority"},
                                                               {"bydaysleft1", "by days left "},
                                                               {"bydonedesc1", "by % done"},
                                                               {"privatenonprivate1", "private / non private"}};
    for (const auto &[name, caption] : sortItems) {
        QAction *item = add(sort, name, QLatin1String(caption));
        item->setCheckable(true);
        sortGroup->addAction(item);
    }
    sort->findChild<QAction *>(QStringLiteral("bydonedesc1"))->setChecked(true);
    add(m_popupMenu, "Moveup1", QStringLiteral("Move up"), ImageList1::MoveUp);
    add(m_popupMenu, "Movedown1", QStringLiteral("Move down"), ImageList1::MoveDown);
    add(m_popupMenu, "Movetotop1", QStringLiteral("Move to top"), ImageList1::MoveToTop);
    add(m_popupMenu, "Movetobottom1", QStringLiteral("Move to bottom"), ImageList1::MoveToBottom);
    m_popupMenu->addSeparator()->setObjectName(QStringLiteral("N1"));
    add(m_popupMenu, "Delete1", QStringLiteral("Delete"), ImageList1::Delete)->setShortcut(QKeySequence::Delete);
    add(m_popupMenu, "Deletefinishedtasks1", QStringLiteral("Delete finished tasks..."), ImageList1::Delete);
    // The keys work while the list has the focus.
    for (QAction *action : m_popupMenu->actions())
        if (!action->shortcut().isEmpty()) {
            action->setShortcutContext(Qt::WidgetShortcut);
            m_ui->ListView1->addAction(action);
        }
}

void NotesPage::connectPopupMenu()
{
    const std::pair<const char *, void (NotesPage::*)()> commands[] = {
        {"Edit1", &NotesPage::Edit1Click},           {"Markasfinished1", &NotesPage::Markasfinished1Click},
        {"Moveup1", &NotesPage::Moveup1Click},       {"Movedown1", &NotesPage::Movedown1Click},
        {"Movetotop1", &NotesPage::Movetotop1Click}, {"Movetobottom1", &NotesPage::Movetobottom1Click},
        {"Delete1", &NotesPage::Delete1Click},       {"Deletefinishedtasks1", &NotesPage::Deletefinishedtasks1Click}};
    for (const auto &[name, handler] : commands)
        connect(m_popupMenu->findChild<QAction *>(QLatin1String(name)), &QAction::triggered, this, handler);
}

int NotesPage::positionOf(int row) const
{
    return static_cast<int>(SelectedItem(m_data->notes, m_filter(), row));
}

int NotesPage::selectedRow() const
{
    const QModelIndexList rows = m_ui->ListView1->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void NotesPage::ListView1Click()
{
    m_balloon->closeBalloon();
    m_data->state.HintShown = false;
    const int p = positionOf(selectedRow());
    const NotesCollection &notes = m_data->notes;
    if (p < 0 || p >= notes.size())
        return;
    const NoteDetails details = noteDetails(notes[p], m_data->formats);
    m_ui->Label5->setText(details.date);
    m_ui->JvgProgress3->setValue(details.progress);
    m_ui->Label6->setText(details.location);
    m_listState.LinkAvailable = details.linkAvailable;
    QFont font = m_ui->Label7->font();
    font.setUnderline(details.linkAvailable);
    m_ui->Label7->setFont(font);
    m_ui->Label7->setCursor(details.linkAvailable ? Qt::PointingHandCursor : Qt::ArrowCursor);
    m_ui->Label7->setText(details.hyperlink);
    m_ui->JvMemo1->setPlainText(details.text);
}

void NotesPage::ListView1SelectItem()
{
    ListView1Click();
}

void NotesPage::ListView1DblClick()
{
    Edit1Click();
}

void NotesPage::ListView1InfoTip(int row, QString &tip)
{
    const Settings &settings = m_data->settings;
    if (!settings.ShowFullInfo)
        return;
    tip.clear();
    const int visibleMs = SettingsEffects::hintVisibleMs(settings);
    const int p = positionOf(row);
    ProgramState &state = m_data->state;
    if (p != m_listState.LastHintNote) {
        m_balloon->closeBalloon();
        state.HintShown = false;
    }
    if (state.HintShown)
        return;
    state.HintShown = true;
    const QPoint anchor = QCursor::pos() - window()->frameGeometry().topLeft() - QPoint(0, 50);
    m_listState.LastHintNote = p;
    const NotesCollection &notes = m_data->notes;
    if (p < 0 || p >= notes.size())
        return;
    const int icon = balloonIcon(notes[p]);
    if (icon < 0)
        return;
    m_balloon->showBalloon(window()->mapToGlobal(anchor), balloonHeader(notes[p], m_data->formats), notes[p].Text,
                           ImageList1::icon(icon), visibleMs);
}

void NotesPage::JvBalloonHint1Close()
{
    m_data->state.HintShown = false;
}

void NotesPage::Label7Click()
{
    if (m_listState.LinkAvailable)
        QDesktopServices::openUrl(QUrl(m_ui->Label7->text()));
}

void NotesPage::Panel1Resize()
{
    const int width = std::max(0, m_ui->Panel1->width() - kDetailsCaptionWidth);
    for (QLabel *label : {m_ui->Label5, m_ui->Label6, m_ui->Label7})
        label->setMaximumWidth(width);
}

void NotesPage::setListHeight(int height)
{
    m_listHeight = std::max(0, height);
    m_listHeightPending = true;
    applyListHeight();
}

void NotesPage::setColumnWidths(const std::array<int, 3> &widths)
{
    for (int column = 0; column < 3; ++column)
        if (widths[column] >= 0)
            m_ui->ListView1->header()->resizeSection(column, widths[column]);
}

std::array<int, 3> NotesPage::columnWidths() const
{
    const QHeaderView *header = m_ui->ListView1->header();
    return {header->sectionSize(0), header->sectionSize(1), header->sectionSize(2)};
}

void NotesPage::setListFont(const QFont &font)
{
    m_ui->ListView1->setFont(font);
}

void NotesPage::setDetailsFont(const QFont &font)
{
    m_ui->JvMemo1->setFont(font);
}

void NotesPage::setDetailsPanelVisible(bool visible)
{
    m_ui->Panel1->setVisible(visible);
}

int NotesPage::listHeight() const
{
    return m_listHeightPending ? m_listHeight : m_ui->ListView1->height();
}

void NotesPage::applyListHeight()
{
    QSplitter *splitter = m_ui->notesSplitter;
    // Before the page is shown its sizes are placeholders that the first layout replaces.
    if (!m_listHeightPending || !splitter->isVisible())
        return;
    const int room = splitter->height() - splitter->handleWidth();
    splitter->setSizes({m_listHeight, std::max(0, room - m_listHeight)});
    m_listHeightPending = false;
}

void NotesPage::hoverTimeout()
{
    if (m_hoverRow < 0 || m_hoverRow >= m_model->rowCount())
        return;
    // Without the full-info balloon the list offers the note's text as its own tooltip.
    QString tip = m_model->rows()[m_hoverRow].note;
    ListView1InfoTip(m_hoverRow, tip);
    if (!tip.isEmpty())
        QToolTip::showText(QCursor::pos(), tip, m_ui->ListView1->viewport());
}

bool NotesPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui->ListView1->viewport()) {
        switch (event->type()) {
        case QEvent::MouseMove: {
            const QPoint pos = static_cast<QMouseEvent *>(event)->position().toPoint();
            const int row = m_ui->ListView1->indexAt(pos).row();
            if (row != m_hoverRow) {
                m_hoverRow = row;
                QToolTip::hideText();
                if (row >= 0 && m_data)
                    m_hoverTimer->start(SettingsEffects::hintPauseMs(m_data->settings));
                else
                    m_hoverTimer->stop();
            }
            break;
        }
        case QEvent::Leave:
            m_hoverRow = -1;
            m_hoverTimer->stop();
            break;
        case QEvent::ToolTip:
            return true; // the hover timer above asks instead, after the configured pause
        default:
            break;
        }
    } else if (watched == m_ui->notesSplitter && event->type() == QEvent::Show) {
        applyListHeight();
    } else if (watched == m_ui->Panel1 && event->type() == QEvent::Resize) {
        Panel1Resize();
    } else if (watched == m_ui->Label7 && event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        Label7Click();
    }
    return QWidget::eventFilter(watched, event);
}

void NotesPage::Edit1Click()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    Q_EMIT editNoteRequested(positionOf(row));
}

void NotesPage::Markasfinished1Click()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    markAsFinished(m_data->notes, positionOf(row));
    Q_EMIT notesChanged();
    Q_EMIT saveRequested();
}

template <class Move> void NotesPage::moveSelected(Move move)
{
    const int row = selectedRow();
    if (row < 0)
        return;
    // Choosing "disabled" runs no handler of its own: it only marks the order.
    m_popupMenu->findChild<QAction *>(QStringLiteral("Sortingdisabled"))->trigger();
    const qsizetype moved = move(m_data->notes, positionOf(row));
    Q_EMIT notesChanged();
    // The refresh cleared the selection; the moved note keeps it, so the keys can move it on.
    const qsizetype newRow = listRowOf(m_data->notes, m_filter(), moved);
    if (newRow >= 0)
        m_ui->ListView1->selectionModel()->setCurrentIndex(
            m_model->index(int(newRow), 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    Q_EMIT saveRequested();
}

void NotesPage::selectNote(qsizetype position)
{
    const qsizetype row = listRowOf(m_data->notes, m_filter(), position);
    if (row < 0)
        return;
    const QModelIndex index = m_model->index(int(row), 0);
    m_ui->ListView1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                                  QItemSelectionModel::Rows);
    m_ui->ListView1->scrollTo(index);
}

void NotesPage::Moveup1Click()
{
    const NotesFilter filter = m_filter();
    moveSelected([filter](NotesCollection &notes, qsizetype p) { return MoveNoteUp(notes, p, filter); });
}

void NotesPage::Movedown1Click()
{
    const NotesFilter filter = m_filter();
    moveSelected([filter](NotesCollection &notes, qsizetype p) { return MoveNoteDown(notes, p, filter); });
}

void NotesPage::Movetotop1Click()
{
    moveSelected(moveNoteToTop);
}

void NotesPage::Movetobottom1Click()
{
    moveSelected(moveNoteToBottom);
}

void NotesPage::Delete1Click()
{
    m_data->state.DialogBusy = true;
    // The question comes first; the selection is looked at once it is answered.
    if (Messages::question(this, QStringLiteral("Are you sure you want to delete selected note?"))) {
        const int row = selectedRow();
        if (row >= 0) {
            DeleteNote(m_data->notes, positionOf(row));
            Q_EMIT notesChanged();
            Q_EMIT saveRequested();
        }
    }
    m_data->state.DialogBusy = false;
}

void NotesPage::Deletefinishedtasks1Click()
{
    m_data->state.DialogBusy = true;
    if (Messages::question(this, QStringLiteral("Are you sure you want to delete all finished tasks?"))) {
        deleteFinishedNotes(m_data->notes);
        Q_EMIT notesChanged();
        Q_EMIT saveRequested();
    }
    m_data->state.DialogBusy = false;
}
