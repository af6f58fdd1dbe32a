#include "WeekSchedulePage.h"

#include "ImageList.h"
#include "Switch.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTreeView>

namespace {

// Item names of each day list's menu: Edit, Add note, Mark as finished, Delete, Copy, Paste.
const char *const kMenuItemNames[7][6] = {
    {"MenuItem1", "Addnote2", "MenuItem2", "MenuItem15", "Copy4", "Paste1"},
    {"MenuItem3", "Addnote3", "MenuItem4", "MenuItem5", "Copy5", "Paste2"},
    {"MenuItem6", "Addnote4", "MenuItem7", "MenuItem8", "Copy6", "Paste3"},
    {"MenuItem9", "Addnote5", "MenuItem10", "MenuItem11", "Copy7", "Paste4"},
    {"MenuItem12", "Addnote6", "MenuItem13", "MenuItem14", "Copy8", "Paste5"},
    {"MenuItem16", "Addnote7", "MenuItem17", "MenuItem18", "Copy9", "Paste6"},
    {"MenuItem19", "Addnote8", "MenuItem20", "MenuItem21", "Copy10", "Paste7"},
};

} // namespace

WeekSchedulePage::WeekSchedulePage(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildNavigationBar();
    layout->addWidget(m_bar);
    for (int day = 0; day < 7; ++day)
        buildDayList(day);
    // Two rows; the last cell of the bottom row holds days 5 and 6 one above the other.
    auto *grid = new QGridLayout;
    grid->setSpacing(1);
    auto *top = new QWidget(this);
    top->setObjectName(QStringLiteral("Panel4"));
    auto *bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("Panel3"));
    auto *topLayout = new QHBoxLayout(top);
    auto *bottomLayout = new QHBoxLayout(bottom);
    topLayout->setContentsMargins(0, 0, 0, 0);
    bottomLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->setSpacing(1);
    bottomLayout->setSpacing(1);
    for (int day = 0; day < 3; ++day)
        topLayout->addWidget(m_days[day]);
    bottomLayout->addWidget(m_days[3]);
    bottomLayout->addWidget(m_days[4]);
    auto *split = new QVBoxLayout;
    split->setSpacing(1);
    split->addWidget(m_days[5]);
    split->addWidget(m_days[6]);
    bottomLayout->addLayout(split);
    grid->addWidget(top, 0, 0);
    grid->addWidget(bottom, 1, 0);
    layout->addLayout(grid, 1);
}

void WeekSchedulePage::buildNavigationBar()
{
    m_bar = new QWidget(this);
    m_bar->setObjectName(QStringLiteral("Panel2"));
    m_bar->setFixedHeight(36);
    QFont bold = m_bar->font();
    bold.setBold(true);
    m_bar->setFont(bold);
    auto *layout = new QHBoxLayout(m_bar);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    const auto button = [this, layout](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, m_bar);
        b->setObjectName(QLatin1String(name));
        b->setFixedWidth(28);
        layout->addWidget(b);
        return b;
    };
    button("DsFancyButton2", QStringLiteral("<"));
    button("DsFancyButton3", QStringLiteral(">"));
    QPushButton *today = button("DsFancyButton4", QString());
    today->setIcon(ImageList1::icon(ImageList1::TodayHeader));
    today->setToolTip(QStringLiteral("Today"));
    button("DsFancyButton7", QStringLiteral("<-7"));
    button("DsFancyButton6", QStringLiteral("+7>"));
    auto *picker = new QDateEdit(m_bar);
    picker->setObjectName(QStringLiteral("JvDateTimePicker1"));
    picker->setCalendarPopup(true);
    // The bar must fit the narrow main window; the date gives way first.
    picker->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    picker->setMinimumWidth(60);
    layout->addWidget(picker, 1);
    auto *time = new Switch(QStringLiteral("time"), m_bar);
    time->setObjectName(QStringLiteral("JvSwitch5"));
    auto *sorting = new Switch(QStringLiteral("sorting"), m_bar);
    sorting->setObjectName(QStringLiteral("JvSwitch4"));
    layout->addWidget(time);
    layout->addWidget(sorting);
}

void WeekSchedulePage::buildDayList(int day)
{
    auto *list = new QTreeView(this);
    list->setObjectName(QStringLiteral("ListView%1").arg(day + 4));
    list->setRootIsDecorated(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    list->header()->setSectionsClickable(false);
    auto *model = new QStandardItemModel(0, 2, list);
    model->setHorizontalHeaderLabels({QString(), QStringLiteral("ID")});
    list->setModel(model);
    list->setColumnHidden(1, true);
    m_days[day] = list;

    auto *menu = new QMenu(list);
    menu->setObjectName(QStringLiteral("JvPopupMenu%1").arg(day + 3));
    const auto add = [menu, day](int item, const QString &caption, int image) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QLatin1String(kMenuItemNames[day][item]));
        if (image >= 0)
            action->setIcon(ImageList1::icon(image));
        return action;
    };
    add(0, QStringLiteral("Edit"), -1)->setShortcut(QKeySequence(Qt::Key_Return));
    add(1, QStringLiteral("Add note"), ImageList1::AddNote);
    menu->addSeparator();
    add(2, QStringLiteral("Mark as finished"), ImageList1::MarkFinished);
    add(3, QStringLiteral("Delete"), ImageList1::Delete)->setShortcut(QKeySequence::Delete);
    menu->addSeparator();
    add(4, QStringLiteral("Copy"), ImageList1::Copy);
    add(5, QStringLiteral("Paste"), -1);
    for (QAction *action : menu->actions())
        if (!action->shortcut().isEmpty()) {
            action->setShortcutContext(Qt::WidgetShortcut);
            list->addAction(action);
        }
    m_menus[day] = menu;
    connect(list, &QWidget::customContextMenuRequested, this,
            [list, menu](const QPoint &pos) { menu->popup(list->viewport()->mapToGlobal(pos)); });
}
