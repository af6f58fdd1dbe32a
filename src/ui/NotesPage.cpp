#include "NotesPage.h"

#include "ImageList.h"
#include "ui_NotesPage.h"

#include <QActionGroup>
#include <QHeaderView>
#include <QMenu>
#include <QStandardItemModel>

NotesPage::NotesPage(QWidget *parent) : QWidget(parent), m_ui(std::make_unique<Ui::NotesPage>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("NotesPage"));
    m_ui->ListView1->header()->setSectionsClickable(false);
    buildPopupMenu();
    connect(m_ui->ListView1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_popupMenu->popup(m_ui->ListView1->viewport()->mapToGlobal(pos)); });
}

NotesPage::~NotesPage() = default;

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
