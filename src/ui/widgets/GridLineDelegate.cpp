#include "ui/widgets/GridLineDelegate.h"

#include <QPainter>

void GridLineDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    painter->setPen(m_colour.isValid() ? m_colour : option.palette.color(QPalette::Midlight));
    if (m_lines == Lines::UnderRowsAndBetweenColumns)
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->restore();
}
