#include "ui/widgets/Switch.h"

#include <QPainter>
#include <QStyleOption>

namespace {
constexpr int kTrackWidth = 30;
constexpr int kTrackHeight = 16;
constexpr int kGap = 6;
} // namespace

Switch::Switch(QWidget *parent) : QAbstractButton(parent)
{
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

Switch::Switch(const QString &caption, QWidget *parent) : Switch(parent)
{
    setText(caption);
}

QSize Switch::sizeHint() const
{
    const int textWidth = text().isEmpty() ? 0 : kGap + fontMetrics().horizontalAdvance(text());
    return {kTrackWidth + textWidth + 2, std::max(kTrackHeight + 4, fontMetrics().height() + 4)};
}

void Switch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track(1, (height() - kTrackHeight) / 2.0, kTrackWidth, kTrackHeight);
    const QColor on = palette().color(QPalette::Highlight);
    const QColor off = palette().color(QPalette::Mid);
    painter.setPen(Qt::NoPen);
    painter.setBrush(isEnabled() ? (isChecked() ? on : off) : palette().color(QPalette::Disabled, QPalette::Mid));
    painter.drawRoundedRect(track, kTrackHeight / 2.0, kTrackHeight / 2.0);
    const qreal knob = kTrackHeight - 4;
    const qreal x = isChecked() ? track.right() - knob - 2 : track.left() + 2;
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawEllipse(QRectF(x, track.top() + 2, knob, knob));
    if (hasFocus()) {
        painter.setPen(QPen(on, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(track.adjusted(-1, -1, 1, 1), kTrackHeight / 2.0, kTrackHeight / 2.0);
    }
    if (!text().isEmpty()) {
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        painter.drawText(QRect(kTrackWidth + kGap, 0, width() - kTrackWidth - kGap, height()),
                         Qt::AlignVCenter | Qt::AlignLeft, text());
    }
}
