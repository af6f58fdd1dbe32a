#include "ui/widgets/ZoneClock.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

const QColor kFace(250, 250, 246);
const QColor kRim(70, 70, 70);
const QColor kHands(20, 20, 20);
const QColor kDigitalBack(16, 16, 16);
const QColor kDigits(120, 230, 110);

void drawHand(QPainter &painter, double degrees, double length, double width)
{
    painter.save();
    painter.rotate(degrees);
    QPainterPath hand;
    hand.moveTo(-width / 2, length * 0.12);
    hand.lineTo(-width / 3, -length);
    hand.lineTo(width / 3, -length);
    hand.lineTo(width / 2, length * 0.12);
    hand.closeSubpath();
    painter.fillPath(hand, kHands);
    painter.restore();
}

} // namespace

ZoneClock::ZoneClock(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
}

void ZoneClock::setAnalogue(bool analogue)
{
    if (m_analogue == analogue)
        return;
    m_analogue = analogue;
    update();
}

void ZoneClock::showTime(const ZoneClockView &view)
{
    // Repaint only when what is drawn changes; seconds are not drawn.
    const bool changed = !m_hasTime || view.digitalText != m_view.digitalText;
    m_view = view;
    m_hasTime = true;
    if (changed)
        update();
}

QSize ZoneClock::sizeHint() const
{
    return {90, 56};
}

QSize ZoneClock::minimumSizeHint() const
{
    return {40, 20};
}

void ZoneClock::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_analogue)
        paintAnalogue(painter);
    else
        paintDigital(painter);
}

void ZoneClock::paintAnalogue(QPainter &painter) const
{
    const double radius = std::min(width(), height()) / 2.0 - 1.5;
    if (radius < 4)
        return;
    painter.translate(width() / 2.0, height() / 2.0);
    painter.setPen(QPen(kRim, std::max(1.0, radius / 18)));
    painter.setBrush(kFace);
    painter.drawEllipse(QPointF(0, 0), radius, radius);

    for (int mark = 0; mark < 12; ++mark) {
        const bool quarter = mark % 3 == 0;
        painter.setPen(QPen(kRim, quarter ? std::max(1.5, radius / 12) : std::max(1.0, radius / 24)));
        const double inner = radius * (quarter ? 0.74 : 0.82);
        painter.drawLine(QPointF(0, -inner), QPointF(0, -radius * 0.92));
        painter.rotate(30);
    }
    if (!m_hasTime)
        return;
    drawHand(painter, m_view.hourHandDegrees, radius * 0.52, std::max(2.0, radius / 7));
    drawHand(painter, m_view.minuteHandDegrees, radius * 0.8, std::max(1.5, radius / 10));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kHands);
    painter.drawEllipse(QPointF(0, 0), radius / 12 + 1, radius / 12 + 1);
}

void ZoneClock::paintDigital(QPainter &painter) const
{
    const QRectF area = QRectF(rect()).adjusted(1, 1, -1, -1);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kDigitalBack);
    painter.drawRoundedRect(area, 3, 3);
    if (!m_hasTime)
        return;
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::Monospace);
    font.setBold(true);
    font.setPixelSize(std::max(8, static_cast<int>(area.height() * 0.8)));
    // Narrow clocks get smaller digits rather than clipped ones.
    const QFontMetricsF metrics(font);
    const double textWidth = metrics.horizontalAdvance(m_view.digitalText);
    if (textWidth > area.width() * 0.9)
        font.setPixelSize(std::max(6, static_cast<int>(font.pixelSize() * area.width() * 0.9 / textWidth)));
    painter.setFont(font);
    painter.setPen(kDigits);
    painter.drawText(area, Qt::AlignCenter, m_view.digitalText);
}
