#include "ui/pages/UpcomingEventsPanel.h"

#include "ui/pages/UpcomingEventsModel.h"

#include <QHeaderView>
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
    m_list->setUniformRowHeights(true);
    m_list->setAlternatingRowColors(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->header()->setSectionsClickable(false);
    m_list->header()->setStretchLastSection(false);
    m_model = new UpcomingEventsModel(m_list);
    m_list->setModel(m_model);
    setColumnWidths(183, 100);
    m_list->setColumnHidden(2, true);
    m_rollOut->setContent(m_list);
    layout->addWidget(m_rollOut);
}

void UpcomingEventsPanel::showEvents(const QList<UpcomingEvent> &events)
{
    m_model->setRows(events);
}

void UpcomingEventsPanel::setColumnWidths(int note, int left)
{
    m_list->setColumnWidth(0, note);
    m_list->setColumnWidth(1, left);
}

int UpcomingEventsPanel::columnWidth(int column) const
{
    return m_list->columnWidth(column);
}
