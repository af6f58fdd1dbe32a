#pragma once

#include <QColor>
#include <QPushButton>

// A button with a colour swatch beside its caption; a click picks a new colour.
// Colours are held as stored: red in the lowest byte, then green, then blue.
class ColorButton final : public QPushButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ColorButton)

public:
    explicit ColorButton(QWidget *parent = nullptr);

    quint32 colour() const { return m_colour; }
    void setColour(quint32 colour);

    static QColor toColor(quint32 colour);
    static quint32 fromColor(const QColor &color);

Q_SIGNALS:
    void colourChanged(quint32 colour);

private:
    void pickColour();
    void updateSwatch();

    quint32 m_colour = 0;
};
