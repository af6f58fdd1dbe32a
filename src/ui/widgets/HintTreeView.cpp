#include "ui/widgets/HintTreeView.h"

#include <QPainter>

HintTreeView::HintTreeView(QWidget *parent) : QTreeView(parent) {}

void HintTreeView::setPlaceholderText(const QString &text)
{
    if (text == m_placeholderText)
        return;
    m_placeholderText = text;
    viewport()->update();
}

void HintTreeView::paintEvent(QPaintEvent *event)
{
    QTreeView::paintEvent(event);
    if (m_placeholderText.isEmpty() || (model() && model()->rowCount(rootIndex()) > 0))
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const int margin = fontMetrics().height();
    painter.drawText(viewport()->rect().adjusted(margin, margin, -margin, -margin),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, m_placeholderText);
}
