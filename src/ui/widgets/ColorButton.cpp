#include "ui/widgets/ColorButton.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

ColorButton::ColorButton(QWidget *parent) : QPushButton(parent)
{
    connect(this, &QPushButton::clicked, this, &ColorButton::pickColour);
    updateSwatch();
}

void ColorButton::setColour(quint32 colour)
{
    if (colour == m_colour)
        return;
    m_colour = colour;
    updateSwatch();
    Q_EMIT colourChanged(m_colour);
}

QColor ColorButton::toColor(quint32 colour)
{
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

quint32 ColorButton::fromColor(const QColor &color)
{
    return static_cast<quint32>(color.red()) | (static_cast<quint32>(color.green()) << 8) |
           (static_cast<quint32>(color.blue()) << 16);
}

void ColorButton::pickColour()
{
    const QColor chosen = QColorDialog::getColor(toColor(m_colour), this, text());
    if (chosen.isValid())
        setColour(fromColor(chosen));
}

void ColorButton::updateSwatch()
{
    QPixmap swatch(16, 16);
    swatch.fill(toColor(m_colour));
    QPainter painter(&swatch);
    painter.setPen(Qt::darkGray);
    painter.drawRect(0, 0, 15, 15);
    painter.end();
    setIcon(QIcon(swatch));
}
