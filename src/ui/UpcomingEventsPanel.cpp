#include "UpcomingEventsPanel.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

UpcomingEventsPanel::UpcomingEventsPanel(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_rollOut = new RollOutPanel(this);
    m_rollOut->setObjectName(QStringLiteral("JvRollOut1"));
    m_rollOut->setCaption(QStringLiteral("Upcoming events"));
    m_rollOut->setExpandedHeight(170);
    m_list = new QTreeView(m_rollOut);
    m_list->setObjectName(QStringLiteral("ListView2"));
    m_list->setRootIsDecorated(false);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->header()->setSectionsClickable(false);
    auto *model = new QStandardItemModel(0, 3, m_list);
    model->setHorizontalHeaderLabels({QStringLiteral("Note"), QStringLiteral("Left"), QStringLiteral("ID")});
    m_list->setModel(model);
    m_list->setColumnWidth(0, 183);
    m_list->setColumnWidth(1, 100);
    m_list->setColumnHidden(2, true);
    m_rollOut->setContent(m_list);
    layout->addWidget(m_rollOut);
}
