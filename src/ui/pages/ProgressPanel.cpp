#include "ui/pages/ProgressPanel.h"

#include "daypanels/DayPanels.h"

#include <QGridLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>

#include <algorithm>

namespace {

// Black trough, a green-to-yellow fill, and white text outlined in dark grey so it reads on both.
class DayProgressBar final : public QProgressBar
{
public:
    explicit DayProgressBar(QWidget *parent) : QProgressBar(parent), m_colours(progressBarColours()) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QRectF area = rect();
        painter.fillRect(area, QColor(m_colours.background));
        const int span = maximum() - minimum();
        if (span > 0 && value() > minimum()) {
            const double share = static_cast<double>(value() - minimum()) / span;
            QLinearGradient fill(area.topLeft(), area.topRight());
            fill.setColorAt(0, QColor(m_colours.fillFrom));
            fill.setColorAt(1, QColor(m_colours.fillTo));
            painter.fillRect(QRectF(area.left(), area.top(), area.width() * share, area.height()), fill);
        }
        const QString caption = text();
        if (!isTextVisible() || caption.isEmpty())
            return;
        QFont font = this->font();
        font.setBold(true);
        font.setPixelSize(std::max(7, height() - 2));
        const QFontMetricsF metrics(font);
        const QPointF origin(area.center().x() - metrics.horizontalAdvance(caption) / 2,
                             area.center().y() + (metrics.ascent() - metrics.descent()) / 2);
        QPainterPath path;
        path.addText(origin, font, caption);
        painter.setRenderHint(QPainter::Antialiasing);
        // A plain grey rim is too faint where the fill turns yellow: a darker, wider one keeps the digits apart.
        painter.strokePath(path, QPen(QColor(m_colours.textOutline).darker(200), 3));
        painter.fillPath(path, QColor(m_colours.text));
    }

private:
    ProgressBarColours m_colours;
};

} // namespace

ProgressPanel::ProgressPanel(const QString &name, const QString &leftName, const QString &rightName,
                             const QString &barName, QWidget *parent)
    : QFrame(parent)
{
    setObjectName(name);
    setFrameShape(QFrame::StyledPanel);
    setFixedHeight(35);
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(2, 0, 2, 2);
    layout->setSpacing(0);
    m_left = new QLabel(this);
    m_left->setObjectName(leftName);
    m_left->setFixedHeight(20);
    m_right = new QLabel(this);
    m_right->setObjectName(rightName);
    m_right->setFixedHeight(20);
    m_right->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_bar = new DayProgressBar(this);
    m_bar->setObjectName(barName);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    layout->addWidget(m_left, 0, 0);
    layout->addWidget(m_right, 0, 1);
    layout->addWidget(m_bar, 1, 0, 1, 2);
    layout->setRowStretch(1, 1);
}

void ProgressPanel::showView(const ProgressPanelView &view)
{
    m_left->setText(view.leftLabel);
    m_right->setText(view.rightLabel);
    if (view.barValueSet)
        m_bar->setValue(view.barValue);
    // Neither "hh:mm" nor the form caption holds a code the bar would expand.
    m_bar->setFormat(view.barText);
    m_bar->setTextVisible(!view.barText.isEmpty());
}
