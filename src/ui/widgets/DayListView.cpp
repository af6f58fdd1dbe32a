#include "ui/widgets/DayListView.h"

#include "ui/widgets/GridLineDelegate.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QPainter>

#include <algorithm>

namespace {

// A day's header holds its name and date (and today's an icon): in a narrow list it takes a second line
// rather than being cut.
class WrappingHeader final : public QHeaderView
{
public:
    explicit WrappingHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
    {
        // The header passes its alignment on as drawing flags, word wrapping among them.
        setDefaultAlignment(Qt::Alignment::fromInt(int(Qt::AlignLeft) | int(Qt::AlignVCenter) | int(Qt::TextWordWrap)));
        setTextElideMode(Qt::ElideNone);
    }

    QSize sizeHint() const override
    {
        QSize size = QHeaderView::sizeHint();
        const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
        // Measured as the header draws it: its lines can be a pixel taller than the font's line spacing.
        const int twoLines = fontMetrics().boundingRect(QRect(), 0, QStringLiteral("Ag\nAg")).height();
        size.setHeight(std::max(size.height(), twoLines + 2 * margin));
        return size;
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
    setItemDelegate(new GridLineDelegate(GridLineDelegate::Lines::UnderRows, QColor(), this));
    setHeader(new WrappingHeader(this));
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
