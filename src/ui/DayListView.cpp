#include "DayListView.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// Report lists draw a line under every row.
class GridLineDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(option.palette.color(QPalette::Midlight));
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }
};

} // namespace

DayListView::DayListView(QWidget *parent) : QTreeView(parent)
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new GridLineDelegate(this));
    header()->setSectionsClickable(false);
    header()->setSectionsMovable(false);
    // The drop only moves a note's date; the rows themselves are rebuilt afterwards, never moved.
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
    setDropIndicatorShown(false);
}

void DayListView::setDropHandlers(AcceptsDrop accepts, Drop drop)
{
    m_accepts = std::move(accepts);
    m_drop = std::move(drop);
}

bool DayListView::takeDrag(QDropEvent *event) const
{
    if (!m_accepts || !m_accepts(event->source())) {
        event->ignore();
        return false;
    }
    // A copy action: a move would make the source list delete the dragged row itself.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

void DayListView::dragEnterEvent(QDragEnterEvent *event)
{
    takeDrag(event);
}

void DayListView::dragMoveEvent(QDragMoveEvent *event)
{
    takeDrag(event);
}

void DayListView::dropEvent(QDropEvent *event)
{
    if (takeDrag(event) && m_drop)
        m_drop(event->source());
}
