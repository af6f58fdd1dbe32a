#pragma once

#include <QColor>
#include <QStyledItemDelegate>

// Grid lines of the report lists, drawn after the style's own item: a style sheet on the items would
// take over their painting and draw the selected row's light text on no highlight at all.
class GridLineDelegate final : public QStyledItemDelegate
{
public:
    enum class Lines
    {
        UnderRows,
        UnderRowsAndBetweenColumns
    };

    // An invalid colour takes the palette's midlight.
    GridLineDelegate(Lines lines, QColor colour, QObject *parent)
        : QStyledItemDelegate(parent), m_lines(lines), m_colour(colour)
    {
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    Lines m_lines;
    QColor m_colour;
};
